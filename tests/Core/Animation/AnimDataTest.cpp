#include <gtest/gtest.h>

#include "Core/Animation/AnimData.h"
#include "Core/Animation/LayerAnim.h"
#include "Core/Base/MemoryStream.h"
#include "Core/Layer/Drawable.h"
#include "Core/Resource/ResourceManager.h"
#include "tests/Core/Animation/FileBytes.h"
#include "tests/Support/DataRoot.h"

namespace {

using animation::AnimData;
using animation_testing::FileBytes;

// A screen-space track with colour and keyed motion, and a track without a
// mesh, its parent and flags set.
FileBytes TwoTracks() {
  FileBytes bytes;
  bytes.Text("show").F32(0.0f).F32(0.5f).U32(2);
  animation_testing::TrackHead(bytes, "screen_res", "panel", true);
  bytes.Constant(1).Constant(0.5f).Constant(0).Constant(0.25f);
  bytes.Envelope(animation::kBehaviourConstant, animation::kBehaviourConstant,
                 {{0.0f, 0.0f, animation::kShapeTcb}, {100.0f, 0.5f, animation::kShapeTcb, {0.5f, 0, 0, 0, 0, 0}}});
  for (int channel = 1; channel < 10; ++channel) bytes.Constant(0);
  bytes.Text("shadow").Text("lib").Text("null").U32(3).U32(1).U32(2).U32(0);
  animation_testing::RestingMotion(bytes);
  return bytes;
}

TEST(AnimDataTest, ReadsTracksInFileOrder) {
  const FileBytes bytes = TwoTracks();
  base::MemoryStream stream(bytes.Data(), bytes.Size());
  AnimData data;
  ASSERT_EQ(data.ReadBody(stream), QL_OK);
  EXPECT_EQ(data.GetAnimationName(), "show");
  EXPECT_EQ(data.GetEndTime(), 0.5f);
  ASSERT_EQ(data.GetTracks().size(), 2u);
  const animation::AnimTrack& first = *data.GetTracks()[0];
  EXPECT_EQ(first.owner, &data);
  ASSERT_NE(first.colour, nullptr);
  EXPECT_EQ(first.colour->tintAmount.keys.at(0).value, 0.25f);
  ASSERT_EQ(first.motion[animation::kPositionX].keys.size(), 2u);
  EXPECT_EQ(first.motion[animation::kPositionX].keys[1].p[0], 0.5f);
  EXPECT_FALSE(first.hasParent);
  const animation::AnimTrack& second = *data.GetTracks()[1];
  EXPECT_EQ(second.layerName, "shadow");
  EXPECT_TRUE(second.hasParent);
  EXPECT_EQ(second.parentIndex, 2u);
  EXPECT_TRUE(second.flagA);
  EXPECT_FALSE(second.flagB);
  EXPECT_EQ(second.colour, nullptr);
}

TEST(AnimDataTest, EveryTruncationFails) {
  const FileBytes bytes = TwoTracks();
  for (std::uint32_t size = 0; size < bytes.Size(); ++size) {
    base::MemoryStream stream(bytes.Data(), size);
    AnimData data;
    EXPECT_EQ(data.ReadBody(stream), QL_FAIL) << "cut at " << size;
  }
}

// Counts the file cannot hold fail before anything that size is made.
TEST(AnimDataTest, CountsBeyondTheFileFail) {
  FileBytes hugeName;
  hugeName.U32(0xFFFFFFF0u).U32(0);
  FileBytes hugeTracks;
  hugeTracks.Text("a").F32(0).F32(1).U32(0xFFFFFFFFu);
  FileBytes hugeKeys;
  hugeKeys.Text("a").F32(0).F32(1).U32(1);
  animation_testing::TrackHead(hugeKeys, "null", "null").U32(0x7FFFFFFFu).U32(0).U32(0);
  for (const FileBytes* bytes : {&hugeName, &hugeTracks, &hugeKeys}) {
    base::MemoryStream stream(bytes->Data(), bytes->Size());
    AnimData data;
    EXPECT_EQ(data.ReadBody(stream), QL_FAIL);
  }
}

TEST(AnimDataTest, LoadsWithoutLibrariesForScreenTracks) {
  const testing_support::DataRoot root;
  root.WriteFile("anims/show.anim", TwoTracks().String());
  auto data = resource::ResourceManager::Instance()->Get<AnimData>(u"anims/show.anim");
  ASSERT_TRUE(data);
  ASSERT_EQ(data->Load(), QL_OK);
  EXPECT_TRUE(data->GetMeshLibraries().empty());
  EXPECT_EQ(data->GetTracks()[0]->mesh, nullptr);
  auto missing = resource::ResourceManager::Instance()->Get<AnimData>(u"anims/none.anim");
  EXPECT_EQ(missing->Load(), QL_FAIL);
  EXPECT_FALSE(missing->IsLoaded());
}

// The options dialog's animations: one screen-space track each, which
// leaves the dialog whole and opaque where the show ends and the hide starts.
TEST(AnimDataTest, GameDialogAnimationsLoad) {
  const struct {
    const char16_t* path;
    bool showing;
  } files[] = {{u"" LF_GAME_DATA_ROOT "/data/dialogs/options_show.anim", true},
               {u"" LF_GAME_DATA_ROOT "/data/dialogs/options_hide.anim", false}};
  for (const auto& file : files) {
    auto data = resource::ResourceManager::Instance()->Get<AnimData>(file.path);
    ASSERT_EQ(data->Load(), QL_OK);
    ASSERT_EQ(data->GetTracks().size(), 1u);
    EXPECT_LT(data->GetStartTime(), data->GetEndTime());
    layer::Drawable layer;
    animation::LayerAnim anim(&layer, data->GetTracks()[0].get());
    anim.Apply(file.showing ? data->GetEndTime() : data->GetStartTime());
    EXPECT_NEAR(layer.GetAlpha(), 1.0f, 1e-5f);
    EXPECT_NEAR(layer.GetScale().x, 1.0f, 1e-5f);
    EXPECT_NEAR(layer.GetPosition().x, 0.0f, 1e-3f);
    anim.Apply(file.showing ? data->GetStartTime() : data->GetEndTime());
    EXPECT_LT(layer.GetAlpha(), 0.5f);
  }
}

}  // namespace
