#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Core/Base/Stream.h"
#include "Core/File/BuildPack.h"
#include "Core/File/ImageFileInfo.h"
#include "Core/File/PsdFile.h"
#include "tests/Core/File/LayoutFixture.h"
#include "tools/art/PsdWriter/PsdWriter.h"

namespace {

using testing_support::Names;
using tools::PsdWriter;
using tools::PsdWriterLayer;

PsdWriterLayer Layer(const std::string& name, std::int32_t left = 0, std::int32_t top = 0, std::int32_t width = 1,
                     std::int32_t height = 1) {
  PsdWriterLayer layer;
  layer.name = name;
  layer.left = left;
  layer.top = top;
  layer.width = width;
  layer.height = height;
  return layer;
}

std::string Bytes(const PsdWriter& writer) {
  const std::vector<std::uint8_t> bytes = writer.Write();
  return {bytes.begin(), bytes.end()};
}

class PsdFileTest : public testing_support::LayoutFixture {
 protected:
  std::unique_ptr<file::ImageContainer> Document(const PsdWriter& writer) {
    root_.WriteFile("menu.psd", Bytes(writer));
    return OpenLayout(u"menu");
  }

  // From the bottom: a background, the group menu holding the group button
  // holding play, a centre marker, a box marker, and a stray group end.
  static PsdWriter Example() {
    PsdWriter writer(200, 100);
    PsdWriterLayer back = Layer("back", 0, 0, 2, 1);
    back.pixels = {0x80112233u, 0xFF445566u};
    back.opacity = 200;
    writer.AddLayer(back);
    writer.BeginGroup();
    writer.BeginGroup();
    writer.AddLayer(Layer("play", 5, 6, 7, 8));
    writer.EndGroup("button");
    writer.EndGroup("menu");
    writer.AddLayer(Layer("title|center", 10, 20, 101, 50));
    writer.AddLayer(Layer("hit|box", 1, 2, 3, 4));
    writer.BeginGroup();
    return writer;
  }
};

TEST_F(PsdFileTest, LayersAreNamedByTheirGroupsFromTheTopDown) {
  const auto layout = Document(Example());
  ASSERT_NE(dynamic_cast<file::PsdFile*>(layout.get()), nullptr);
  ASSERT_EQ(layout->GetImageCount(), 4);
  const Names expected = {u"hit|box", u"title|center", u"menu/button/play", u"back"};
  const int indices[] = {7, 6, 3, 0};
  for (int i = 0; i < 4; ++i) {
    const base::ImageInfo* layer = layout->GetImageInfo(i);
    EXPECT_EQ(layer->name, expected[static_cast<std::size_t>(i)]);
    EXPECT_EQ(layer->index, indices[i]) << "the entry's place in the document";
    EXPECT_TRUE(layer->fromDocument);
    EXPECT_EQ(layout->FindImageInfo(layer->name), layer);
  }

  const base::ImageInfo* play = layout->FindImageInfo(u"menu/button/play");
  EXPECT_TRUE(play->drawable);
  EXPECT_EQ(play->rect.x, 5.0f);
  EXPECT_EQ(play->rect.y, 6.0f);
  EXPECT_EQ(play->rect.width, 7.0f);
  EXPECT_EQ(play->rect.height, 8.0f);
  EXPECT_EQ(layout->FindImageInfo(u"back")->opacity, 200);

  const base::ImageInfo* box = layout->FindImageInfo(u"hit|box");
  EXPECT_FALSE(box->drawable);
  EXPECT_EQ(box->rect.x, 1.0f);
  EXPECT_EQ(box->rect.height, 4.0f);

  const base::ImageInfo* centre = layout->FindImageInfo(u"title|center");
  EXPECT_FALSE(centre->drawable);
  EXPECT_EQ(centre->rect.x, 60.0f);
  EXPECT_EQ(centre->rect.y, 45.0f);
  EXPECT_EQ(centre->rect.width, 0.0f);
  EXPECT_EQ(centre->rect.height, 0.0f);
}

TEST_F(PsdFileTest, ALayersStreamHoldsItsPixels) {
  const auto layout = Document(Example());
  int index = -1;
  std::unique_ptr<file::ImageFileInfo> image(layout->OpenImage(u"back", file::ImageContainer::GetImageExtensions(),
                                                               file::ImageContainer::GetImageExtensionCount(), &index));
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(index, 0) << "the empty extension";
  EXPECT_EQ(image->GetPath(), u"back");
  EXPECT_TRUE(image->IsFromArchive());
  EXPECT_EQ(image->GetImageInfo().opacity, 200);

  std::unique_ptr<base::Stream> stream(image->OpenStream());
  ASSERT_NE(stream, nullptr);
  ASSERT_EQ(stream->GetSize(), 8u);
  std::uint8_t bytes[8] = {};
  ASSERT_EQ(stream->Read(bytes, 8), 8u);
  const std::uint8_t expected[8] = {0x33, 0x22, 0x11, 0x80, 0x66, 0x55, 0x44, 0xFF};
  EXPECT_EQ(std::vector<std::uint8_t>(bytes, bytes + 8), std::vector<std::uint8_t>(expected, expected + 8));

  EXPECT_EQ(std::unique_ptr<file::ImageFileInfo>(layout->OpenImage(u"menu", nullptr, 0, nullptr)), nullptr);
  EXPECT_EQ(std::unique_ptr<base::Stream>(layout->OpenStream(u"nothing")), nullptr);
  EXPECT_EQ(layout->CreateStreamCreator(u"back"), nullptr);
  EXPECT_FALSE(layout->ImageFileExists(u"back"));
}

TEST_F(PsdFileTest, CountsEachNameOnce) {
  PsdWriter single(4, 4);
  single.AddLayer(Layer("only"));
  EXPECT_EQ(Document(single)->GetImageCount(), 1);

  PsdWriter twice(4, 4);
  twice.AddLayer(Layer("a", 1));
  twice.AddLayer(Layer("a", 2));
  const auto layout = Document(twice);
  ASSERT_EQ(layout->GetImageCount(), 1);
  EXPECT_EQ(layout->FindImageInfo(u"a")->rect.x, 2.0f) << "the top-most layer of a name is read first";
}

// The same layout as a document and as a layer folder answers every query
// alike.
TEST_F(PsdFileTest, ListsLikeTheSameLayoutAsAFolder) {
  PsdWriter writer(50, 50);
  writer.AddLayer(Layer("top"));
  writer.BeginGroup();
  writer.AddLayer(Layer("close"));
  writer.EndGroup("Button");
  writer.BeginGroup();
  writer.BeginGroup();
  writer.AddLayer(Layer("z"));
  writer.AddLayer(Layer("y"));
  writer.EndGroup("x");
  writer.AddLayer(Layer("play_normal"));
  writer.EndGroup("button");
  const auto document = Document(writer);
  root_.WriteFile("folder/layers.xml", R"(<Layers><Layer name="button/play_normal"/><Layer name="button/x/y"/>
      <Layer name="button/x/z"/><Layer name="Button/close"/><Layer name="top"/></Layers>)");
  const auto folder = OpenLayout(u"folder");
  ASSERT_EQ(folder->GetImageCount(), 5);
  ASSERT_EQ(document->GetImageCount(), 5);

  for (const base::WString path : {u"", u"button", u"Button/", u"button/x", u"top"}) {
    for (const bool recursive : {false, true}) {
      for (const bool relative : {false, true}) {
        EXPECT_EQ(ImageNames(*document, path, recursive, relative), ImageNames(*folder, path, recursive, relative));
      }
    }
    EXPECT_EQ(FolderNames(*document, path), FolderNames(*folder, path));
    EXPECT_EQ(document->HasFolder(path), folder->HasFolder(path));
  }
  EXPECT_EQ(FolderNames(*document, u""), (Names{u"Button", u"button"}));
  for (const base::WString name : {u"TOP", u"button/x/y", u"Button/close"})
    EXPECT_EQ(document->HasImage(name), folder->HasImage(name));
}

TEST_F(PsdFileTest, TheOpenerPrefersTheDocumentWithItsExtension) {
  PsdWriter withExtension(4, 4);
  withExtension.AddLayer(Layer("from_psd"));
  PsdWriter bare(4, 4);
  bare.AddLayer(Layer("from_bare"));
  root_.WriteFile("screen.psd", Bytes(withExtension));
  root_.WriteFile("screen", Bytes(bare));
  root_.WriteFile("other", Bytes(bare));
  EXPECT_NE(OpenLayout(u"screen")->FindImageInfo(u"from_psd"), nullptr);
  EXPECT_EQ(OpenLayout(u"screen")->GetPath(), u"screen.psd");
  EXPECT_NE(OpenLayout(u"other")->FindImageInfo(u"from_bare"), nullptr);
}

TEST_F(PsdFileTest, ReadsADocumentInsideAPack) {
  root_.WriteFile("kp/screens/menu.psd", Bytes(Example()));
  ASSERT_EQ(BuildPack(u"kp", u"data.dat"), QL_OK);
  std::filesystem::remove_all(root_.Path() / "kp");
  file::FileManager::Instance()->mounts[u"kp/"] = u"data.dat";

  const auto layout = OpenLayout(u"kp/screens/menu");
  ASSERT_NE(layout, nullptr);
  EXPECT_EQ(layout->GetImageCount(), 4);
  std::unique_ptr<base::Stream> stream(layout->OpenStream(u"back"));
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->GetSize(), 8u);
}

TEST_F(PsdFileTest, ADocumentThatCannotBeDecodedIsAnEmptyLayoutAndSaysSo) {
  root_.WriteFile("broken.psd", "8BPS but not much more");
  const auto layout = OpenLayout(u"broken");
  ASSERT_NE(layout, nullptr);
  EXPECT_EQ(layout->GetImageCount(), 0);
  EXPECT_EQ(layout->GetImageInfo(0), nullptr);
  EXPECT_FALSE(log_.empty());
}

}  // namespace
