#include <gtest/gtest.h>

#include "Core/Animation/AnimData.h"
#include "Core/Animation/LayerAnim.h"
#include "Core/Base/MemoryStream.h"
#include "Core/Layer/Drawable.h"
#include "tests/Core/Animation/FileBytes.h"

namespace {

using animation_testing::FileBytes;

// One screen-space track read from its bytes.
class LayerAnimTest : public ::testing::Test {
 protected:
  void Read(const FileBytes& track) {
    FileBytes bytes;
    bytes.Text("a").F32(0).F32(1).U32(1);
    const std::string body = bytes.String() + track.String();
    base::MemoryStream stream(body.data(), static_cast<std::uint32_t>(body.size()));
    ASSERT_EQ(data_.ReadBody(stream), QL_OK);
  }
  const animation::AnimTrack* Track() const { return data_.GetTracks().at(0).get(); }

  animation::AnimData data_;
  layer::Drawable layer_;
};

TEST_F(LayerAnimTest, UnchangedPlacementKeepsTheFlags) {
  FileBytes track;
  animation_testing::RestingMotion(animation_testing::TrackHead(track, "screen_res", "null"));
  Read(track);
  layer_.SetAlpha(0.5f);
  animation::LayerAnim anim(&layer_, Track());
  EXPECT_EQ(anim.Apply(0.5f), QL_OK);
  EXPECT_FALSE(layer_.IsTransformChanged());
  EXPECT_TRUE(layer_.IsOuterBoundsValid());
  EXPECT_EQ(layer_.GetAlpha(), 1.0f);
}

TEST_F(LayerAnimTest, PlacementGoesToItsFields) {
  FileBytes track;
  animation_testing::TrackHead(track, "screen_res", "null");
  for (int channel = 0; channel < 10; ++channel) track.Constant(static_cast<float>(channel + 1) / 10);
  Read(track);
  animation::LayerAnim anim(&layer_, Track());
  anim.Apply(0);
  EXPECT_TRUE(layer_.IsTransformChanged());
  EXPECT_FALSE(layer_.IsOuterBoundsValid());
  EXPECT_FLOAT_EQ(layer_.GetPosition().x, 0.1f);
  EXPECT_FLOAT_EQ(layer_.GetPosition().z, 0.3f);
  // Heading turns about y, pitch about x, bank in the plane.
  EXPECT_FLOAT_EQ(layer_.GetRotation().y, 0.4f);
  EXPECT_FLOAT_EQ(layer_.GetRotation().x, 0.5f);
  EXPECT_FLOAT_EQ(layer_.GetRotation().z, 0.6f);
  EXPECT_FLOAT_EQ(layer_.GetScale().z, 0.9f);
  EXPECT_FLOAT_EQ(layer_.GetAlpha(), 0.0f);
}

TEST_F(LayerAnimTest, DissolveAndColourAreClamped) {
  FileBytes track;
  animation_testing::TrackHead(track, "screen_res", "null", true);
  track.Constant(-1).Constant(0.5f).Constant(2).Constant(0.75f);
  for (int channel = 0; channel < 9; ++channel) track.Constant(0);
  // Dissolve 0.25 at time 0, -1 at time 1, 2 at time 2.
  track.Envelope(
      animation::kBehaviourConstant, animation::kBehaviourConstant,
      {{0.25f, 0, animation::kShapeLinear}, {-1, 1, animation::kShapeLinear}, {2, 2, animation::kShapeLinear}});
  Read(track);
  animation::LayerAnim anim(&layer_, Track());
  const struct {
    float time;
    float alpha;
  } cases[] = {{0, 0.75f}, {1, 1}, {2, 0}};
  for (const auto& c : cases) {
    anim.Apply(c.time);
    EXPECT_FLOAT_EQ(layer_.GetAlpha(), c.alpha) << "at " << c.time;
  }
  EXPECT_EQ(layer_.GetColor().r, 0.0f);
  EXPECT_EQ(layer_.GetColor().g, 0.5f);
  EXPECT_EQ(layer_.GetColor().b, 1.0f);
  EXPECT_EQ(layer_.GetColor().a, 1.0f);
  EXPECT_EQ(layer_.GetTintAmount(), 0.75f);
}

}  // namespace
