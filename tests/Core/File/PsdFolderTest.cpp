#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "Core/Base/Stream.h"
#include "Core/File/BuildPack.h"
#include "Core/File/ImageFileInfo.h"
#include "Core/File/PsdFolder.h"
#include "tests/Core/File/LayoutFixture.h"

namespace {

using testing_support::Names;

class PsdFolderTest : public testing_support::LayoutFixture {
 protected:
  std::unique_ptr<file::ImageContainer> Layout(const std::string& layers) {
    root_.WriteFile("menu/layers.xml", layers);
    return OpenLayout(u"menu");
  }

  static std::string Layers(const std::string& elements) { return "<Layers>" + elements + "</Layers>"; }
};

TEST_F(PsdFolderTest, ReadsEachLayersRectangleOpacityAndIndex) {
  const auto layout = Layout(Layers(R"(<Layer name="back" x="1" y="2" width="30" height="40" opacity="128" ind="7"/>
                                       <Layer name="button/play" x="-5" y="6" width="7" height="8"/>
                                       <Layer name="loud" opacity="999"/><Layer name="quiet" opacity="-3"/>)"));
  ASSERT_NE(dynamic_cast<file::PsdFolder*>(layout.get()), nullptr);
  ASSERT_EQ(layout->GetImageCount(), 4);

  const base::ImageInfo* back = layout->GetImageInfo(0);
  EXPECT_EQ(back->name, u"back");
  EXPECT_EQ(back->rect.x, 1.0f);
  EXPECT_EQ(back->rect.y, 2.0f);
  EXPECT_EQ(back->rect.width, 30.0f);
  EXPECT_EQ(back->rect.height, 40.0f);
  EXPECT_EQ(back->opacity, 128);
  EXPECT_EQ(back->index, 7);
  EXPECT_TRUE(back->drawable);
  EXPECT_FALSE(back->fromDocument);
  EXPECT_FALSE(back->inAtlas);

  const base::ImageInfo* play = layout->GetImageInfo(1);
  EXPECT_EQ(play, layout->FindImageInfo(u"button/play"));
  EXPECT_EQ(play->rect.x, -5.0f);
  EXPECT_EQ(play->opacity, 255) << "no opacity: fully opaque";
  EXPECT_EQ(play->index, 1) << "no index: the layer's position";
  EXPECT_EQ(layout->FindImageInfo(u"loud")->opacity, 255) << "opacity is kept within 0-255";
  EXPECT_EQ(layout->FindImageInfo(u"quiet")->opacity, 0);
  EXPECT_EQ(layout->GetImageInfo(4), nullptr);
}

TEST_F(PsdFolderTest, ALayerWithoutNameEndsTheList) {
  const auto layout = Layout(Layers(R"(<Layer name="a"/><Layer name="b"/><Layer x="1"/><Layer name="c"/>)"));
  ASSERT_EQ(layout->GetImageCount(), 2);
  EXPECT_EQ(layout->GetImageInfo(1)->name, u"b");
  EXPECT_EQ(layout->FindImageInfo(u"c"), nullptr);
}

TEST_F(PsdFolderTest, AtlasLayersGetTheirRectangleInTheAtlas) {
  const auto layout = Layout(Layers(R"(<Layer name="a" atlas="sheet.png" tu1="0.25" tv1="0.5" tu2="0.75" tv2="1.0"/>
                                       <Layer name="b" atlas="sheet.png" tu1="nan" tv2="1e300"/>)"));
  const base::ImageInfo* a = layout->FindImageInfo(u"a");
  ASSERT_NE(a, nullptr);
  EXPECT_TRUE(a->inAtlas);
  EXPECT_EQ(a->atlasPath, u"menu/sheet.png");
  EXPECT_EQ(a->atlasRect.x, 0.25f);
  EXPECT_EQ(a->atlasRect.y, 0.0f);
  EXPECT_EQ(a->atlasRect.width, 0.5f);
  EXPECT_EQ(a->atlasRect.height, 0.5f);

  const base::ImageInfo* b = layout->FindImageInfo(u"b");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->atlasRect.x, 0.0f) << "coordinates that are not numbers give the whole atlas";
  EXPECT_EQ(b->atlasRect.y, 0.0f);
  EXPECT_EQ(b->atlasRect.width, 1.0f);
  EXPECT_EQ(b->atlasRect.height, 1.0f);
}

TEST_F(PsdFolderTest, ARepeatedNameKeepsTheFirstDescriptionInBothPlaces) {
  const auto layout = Layout(Layers(R"(<Layer name="a" x="1"/><Layer name="a" x="2"/>)"));
  ASSERT_EQ(layout->GetImageCount(), 2);
  EXPECT_EQ(layout->GetImageInfo(0), layout->GetImageInfo(1));
  EXPECT_EQ(layout->GetImageInfo(1)->rect.x, 1.0f);
}

TEST_F(PsdFolderTest, AnUnreadableListGivesAnEmptyLayout) {
  struct Case {
    const char* what;
    const char* text;
    bool logged;
  };
  const Case cases[] = {
      {"not XML", "<Layers><Layer name=\"a\">", true},
      {"no Layers element", "<Other><Layer name=\"a\"/></Other>", true},
      {"empty file", "", true},
  };
  for (const Case& c : cases) {
    log_.clear();
    const auto layout = Layout(c.text);
    ASSERT_NE(layout, nullptr) << c.what;
    EXPECT_EQ(layout->GetImageCount(), 0) << c.what;
    EXPECT_EQ(!log_.empty(), c.logged) << c.what;
  }

  root_.WriteFile("bare/image.png", "");
  const auto bare = OpenLayout(u"bare");
  ASSERT_NE(bare, nullptr) << "a folder without a list is an empty layout";
  EXPECT_EQ(bare->GetImageCount(), 0);
}

TEST_F(PsdFolderTest, ListsImagesAndGroupsUnderAFolder) {
  const auto layout = Layout(Layers(R"(<Layer name="button/play_normal"/><Layer name="button/x/y"/>
                                       <Layer name="Button/close"/><Layer name="top"/><Layer name="button/x/z"/>
                                       <Layer name="text/title"/>)"));
  struct Case {
    const char16_t* folder;
    bool recursive;
    bool relative;
    Names expected;
  };
  const Case cases[] = {
      {u"button", false, false, {u"button/play_normal"}},
      {u"BUTTON\\", false, true, {u"play_normal"}},
      {u"button/", true, false, {u"button/play_normal", u"button/x/y", u"button/x/z"}},
      {u"button/x", true, true, {u"y", u"z"}},
      {u"", false, false, {u"top"}},
      {u"none", true, false, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ImageNames(*layout, c.folder, c.recursive, c.relative), c.expected)
        << std::string(c.folder, c.folder + std::char_traits<char16_t>::length(c.folder));
  }

  EXPECT_EQ(FolderNames(*layout, u""), (Names{u"Button", u"button", u"text"}));
  EXPECT_EQ(FolderNames(*layout, u"button"), (Names{u"x"}));
  Names relative;
  layout->ListFolders(u"button", relative, true);
  EXPECT_EQ(relative, (Names{u"x"})) << "a group is named by its part below the folder";

  // A folder is there when a group lies below it, as ListFolders would show.
  EXPECT_TRUE(layout->HasFolder(u"BUTTON"));
  EXPECT_FALSE(layout->HasFolder(u"button/x"));
  EXPECT_TRUE(layout->HasImage(u"TOP"));
  EXPECT_FALSE(layout->HasImage(u"Button/close")) << "only lower-case names can be found this way";
}

TEST_F(PsdFolderTest, OpenImageFindsTheLayersFileUnderTheFirstExtensionThatExists) {
  root_.WriteFile("menu/button/play.png", "PNG!");
  root_.WriteFile("menu/button/play.tga", "TGA");
  const auto layout = Layout(Layers(R"(<Layer name="button/play" x="3"/><Layer name="lost"/>
                                       <Layer name="sheet/a" atlas="sheet.png"/>)"));
  const base::WString* extensions = file::ImageContainer::GetImageExtensions();
  const int count = file::ImageContainer::GetImageExtensionCount();

  int index = -1;
  std::unique_ptr<file::FileInfo> found(layout->Open(u"button/play", extensions, count, &index));
  auto* image = dynamic_cast<file::ImageFileInfo*>(found.get());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(index, 4);
  EXPECT_EQ(image->GetPath(), u"button/play.png");
  EXPECT_EQ(image->GetName(), u"play");
  EXPECT_FALSE(image->IsFromArchive());
  EXPECT_EQ(image->GetImageInfo().rect.x, 3.0f);
  std::unique_ptr<base::Stream> stream(image->OpenStream());
  ASSERT_NE(stream, nullptr);
  char bytes[4] = {};
  EXPECT_EQ(stream->Read(bytes, 4), 4u);
  EXPECT_EQ(std::string(bytes, 4), "PNG!");

  EXPECT_EQ(std::unique_ptr<file::ImageFileInfo>(layout->OpenImage(u"lost", extensions, count, &index)), nullptr)
      << "a layer without its file";
  EXPECT_EQ(std::unique_ptr<file::ImageFileInfo>(layout->OpenImage(u"unknown", nullptr, 0, nullptr)), nullptr);

  index = -1;
  std::unique_ptr<file::ImageFileInfo> atlas(layout->OpenImage(u"sheet/a", extensions, count, &index));
  ASSERT_NE(atlas, nullptr) << "an atlas layer needs no file of its own";
  EXPECT_EQ(atlas->GetPath(), u"sheet/a");
  EXPECT_EQ(index, -1);

  EXPECT_TRUE(layout->ImageFileExists(u"button/play"));
  EXPECT_FALSE(layout->ImageFileExists(u"lost"));
}

// A trailing separator on the folder must not double it: names in a pack are
// matched exactly.
TEST_F(PsdFolderTest, ReadsAFolderInsideAPackWhateverItsPathEndsWith) {
  root_.WriteFile("kp/menu/layers.xml", Layers(R"(<Layer name="play"/><Layer name="a" atlas="sheet.png"/>)"));
  root_.WriteFile("kp/menu/play.png", "PNG!");
  ASSERT_EQ(BuildPack(u"kp", u"data.dat"), QL_OK);
  std::filesystem::remove_all(root_.Path() / "kp");
  file::FileManager::Instance()->mounts[u"kp/"] = u"data.dat";

  const auto layout = OpenLayout(u"kp/menu/");
  ASSERT_NE(layout, nullptr);
  ASSERT_EQ(layout->GetImageCount(), 2);
  EXPECT_EQ(layout->FindImageInfo(u"a")->atlasPath, u"kp/menu/sheet.png");
  int index = -1;
  std::unique_ptr<file::ImageFileInfo> image(layout->OpenImage(u"play", file::ImageContainer::GetImageExtensions(),
                                                               file::ImageContainer::GetImageExtensionCount(), &index));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(index, 4);
  EXPECT_TRUE(image->IsFromArchive());
  std::unique_ptr<base::Stream> stream(image->OpenStream());
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->GetSize(), 4u);
}

TEST_F(PsdFolderTest, TheOpenerMakesNothingOfAMissingPath) { EXPECT_EQ(OpenLayout(u"nowhere"), nullptr); }

}  // namespace
