#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "Core/Base/Log.h"
#include "Core/Base/SingletonRegistry.h"
#include "Core/File/FileManager.h"
#include "Core/File/ImageContainer.h"
#include "Core/Layer/ImageLayer.h"
#include "Core/Layer/Layer.h"
#include "Game/FrameBuilders.h"
#include "Game/KpFrameEntry.h"
#include "tests/Support/DataRoot.h"
#include "tests/Support/RecordingLogOutput.h"

namespace {

class FrameBuildersTest : public ::testing::Test {
 protected:
  FrameBuildersTest() {
    base::MainLog::Instance()->AddOutput(new testing_support::RecordingLogOutput(log_));
    root_.WriteFile("kp/page/layers.xml", R"(<Layers>
      <Layer name="back" x="4" y="6" width="30" height="20" ind="3"/>
      <Layer name="plates/flat" x="1" y="2" width="0" height="9" ind="5"/>
    </Layers>)");
    layout_.reset(file::FileManager::Instance()->OpenImageContainer(u"kp/page"));
  }
  ~FrameBuildersTest() override {
    layout_.reset();
    SingletonRegistry::Shutdown();
  }

  testing_support::DataRoot root_;
  std::vector<base::WString> log_;
  std::unique_ptr<file::ImageContainer> layout_;
};

TEST_F(FrameBuildersTest, AFrameTakesTheLayersPlaceNameAndIndex) {
  ASSERT_NE(layout_, nullptr);
  std::unique_ptr<KpFrameEntry> back(CreateFrameEntryFromPsd(*layout_, u"back"));
  EXPECT_EQ(back->name, u"back");
  EXPECT_EQ(back->x, 4.0f);
  EXPECT_EQ(back->y, 6.0f);
  EXPECT_EQ(back->width, 30.0f);
  EXPECT_EQ(back->height, 20.0f);
  EXPECT_EQ(back->z, 3);
  EXPECT_TRUE(back->ownsImage);
  EXPECT_TRUE(back->visible);

  std::unique_ptr<KpFrameEntry> missing(CreateFrameEntryFromPsd(*layout_, u"nowhere"));
  EXPECT_EQ(missing->image, nullptr);
  EXPECT_EQ(missing->width, 0.0f);
  EXPECT_TRUE(missing->name.empty());
  EXPECT_EQ(FindPsdLayer(*layout_, u"nowhere"), nullptr);
}

TEST_F(FrameBuildersTest, AZeroSizedLayerIsLoggedAndHasNoImage) {
  ASSERT_NE(layout_, nullptr);
  EXPECT_EQ(LoadPsdLayerImage(*layout_, u"plates/flat"), nullptr);
  EXPECT_EQ(std::count_if(log_.begin(), log_.end(),
                          [](const base::WString& line) { return line.find(u"plates/flat") != line.npos; }),
            1);
}

TEST_F(FrameBuildersTest, AnImageLayerIsPlacedRelativeToTheOriginAndDetachedFromItsParent) {
  ASSERT_NE(layout_, nullptr);
  layer::Layer parent;
  auto* image = new layer::ImageLayer;
  parent.AddChild(image);
  SetImageLayerFromPsd(*image, *layout_, u"back", 1.0f, 10.0f);
  EXPECT_EQ(image->GetPosition().x, 3.0f);
  EXPECT_EQ(image->GetPosition().y, -4.0f);
  EXPECT_EQ(image->GetPosition().z, 0.0f);

  DetachLayer(image);
  EXPECT_TRUE(parent.GetChildren().empty());
  EXPECT_EQ(image->GetParent(), nullptr);
  DetachLayer(image);
  DetachLayer(nullptr);
  delete image;
}

}  // namespace
