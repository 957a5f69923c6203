#include "Core/Render/Graphics.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "Core/Render/DrawParamQuad.h"
#include "Core/Render/RenderTarget.h"
#include "tests/Core/Render/GraphicsFixture.h"
#include "tests/Support/CaseNames.h"

namespace {

using render::SVertex2D;
using render::SVertexGeom;
using render_testing::GraphicsFixture;

// Every position ends half a pixel up and left of where it was drawn.
constexpr float kHalf = 0.5f;

TEST_F(GraphicsFixture, AChainDrawsOnceWithItsLastTransformWhenTheStatementEnds) {
  graphics->DrawImage(image.get()).Translate2D(10.0f, 20.0f).Scale(2.0f);
  EXPECT_EQ(UsedVertices<SVertex2D>(), 4u);
  const auto quad = VerticesAt<SVertex2D, 4>(0);
  EXPECT_FLOAT_EQ(quad[0].x, 20.0f - kHalf);
  EXPECT_FLOAT_EQ(quad[0].y, 40.0f - kHalf);
  EXPECT_FLOAT_EQ(quad[2].x, 36.0f - kHalf);
  EXPECT_FLOAT_EQ(quad[2].y, 48.0f - kHalf);
  EXPECT_EQ(CountAfterFrame("DeviceDrawIndexedPrimitive 3 2 0 2 0 4"), 1u);
}

TEST_F(GraphicsFixture, AKeptParameterDrawsAtTheEndOfItsScopeWithWhatTheCallerFilledIn) {
  {
    auto pending = graphics->DrawImage(image.get());
    pending->anchorX = render::kAnchorRight;
    auto moved = std::move(pending);
    EXPECT_FALSE(pending.IsPending());
    EXPECT_TRUE(moved.IsPending());
    EXPECT_EQ(UsedVertices<SVertex2D>(), 0u);
  }
  EXPECT_EQ(UsedVertices<SVertex2D>(), 4u);
  EXPECT_FLOAT_EQ((VerticesAt<SVertex2D, 4>(0)[0].x), -8.0f - kHalf);
}

TEST_F(GraphicsFixture, NothingIsDrawnForANullImageOrAnEmptyRegion) {
  graphics->DrawImage(nullptr);
  graphics->DrawImageRegion(image.get(), {0, 0, 0, 4});
  graphics->DrawImageRegionTo(image.get(), {0, 0, 4, 0}, {0, 0, 10, 10});
  EXPECT_EQ(UsedVertices<SVertex2D>(), 0u);
  EXPECT_EQ(CountAfterFrame("DeviceDraw"), 0u);
}

struct ImageCase {
  const char* name;
  std::int32_t anchorX;
  std::int32_t anchorY;
  bool flipX;
  bool flipY;
  render::QuadEdges position;  // before the half-pixel offset
  render::QuadEdges texCoords;
};

class ImageQuadTest : public GraphicsFixture, public ::testing::WithParamInterface<ImageCase> {};

// The region (2, 1, 4, 2) of the 8 x 4 image.
TEST_P(ImageQuadTest, AnchorsPlaceTheCornersAndFlipsSwapTheTextureEdges) {
  const ImageCase& c = GetParam();
  {
    auto pending = graphics->DrawImageRegion(image.get(), {2, 1, 4, 2});
    pending->anchorX = c.anchorX;
    pending->anchorY = c.anchorY;
    pending->flipX = c.flipX;
    pending->flipY = c.flipY;
  }
  const auto quad = VerticesAt<SVertex2D, 4>(0);
  const float xs[4] = {c.position.left, c.position.right, c.position.right, c.position.left};
  const float ys[4] = {c.position.top, c.position.top, c.position.bottom, c.position.bottom};
  const float us[4] = {c.texCoords.left, c.texCoords.right, c.texCoords.right, c.texCoords.left};
  const float vs[4] = {c.texCoords.top, c.texCoords.top, c.texCoords.bottom, c.texCoords.bottom};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_FLOAT_EQ(quad[i].x, xs[i] - kHalf);
    EXPECT_FLOAT_EQ(quad[i].y, ys[i] - kHalf);
    EXPECT_FLOAT_EQ(quad[i].z, 0.0f);
    EXPECT_FLOAT_EQ(quad[i].u, us[i]);
    EXPECT_FLOAT_EQ(quad[i].v, vs[i]);
  }
}

constexpr render::QuadEdges kRegion{0.25f, 0.25f, 0.75f, 0.75f};
constexpr render::QuadEdges kRegionFlippedX{0.75f, 0.25f, 0.25f, 0.75f};
constexpr render::QuadEdges kRegionFlippedY{0.25f, 0.75f, 0.75f, 0.25f};
constexpr render::QuadEdges kRegionFlippedXY{0.75f, 0.75f, 0.25f, 0.25f};

INSTANTIATE_TEST_SUITE_P(
    AnchorsAndFlips, ImageQuadTest,
    ::testing::Values(ImageCase{"LeftTop", render::kAnchorLeft, render::kAnchorTop, false, false, {0, 0, 4, 2},
                                kRegion},
                      ImageCase{"RightTopFlippedX", render::kAnchorRight, render::kAnchorTop, true, false,
                                {-4, 0, 0, 2}, kRegionFlippedX},
                      ImageCase{"CentreMiddleFlippedY", render::kAnchorCenter, render::kAnchorMiddle, false, true,
                                {-2, -1, 2, 1}, kRegionFlippedY},
                      ImageCase{"LeftBottomFlippedBoth", render::kAnchorLeft, render::kAnchorBottom, true, true,
                                {0, -2, 4, 0}, kRegionFlippedXY},
                      ImageCase{"CentreBottom", render::kAnchorCenter, render::kAnchorBottom, false, false,
                                {-2, -2, 2, 0}, kRegion}),
    testing_support::RowName());

TEST_F(GraphicsFixture, AWholeImageFlippedInXRunsItsTextureFromOneToZero) {
  {
    auto pending = graphics->DrawImage(image.get());
    pending->flipX = true;
  }
  const auto quad = VerticesAt<SVertex2D, 4>(0);
  EXPECT_FLOAT_EQ(quad[0].u, 1.0f);
  EXPECT_FLOAT_EQ(quad[1].u, 0.0f);
}

TEST_F(GraphicsFixture, AnImageStretchedIntoARectangleFillsIt) {
  graphics->DrawImageTo(image.get(), {10, 20, 16, 2});
  const auto quad = VerticesAt<SVertex2D, 4>(0);
  EXPECT_FLOAT_EQ(quad[0].x, 10.0f - kHalf);
  EXPECT_FLOAT_EQ(quad[0].y, 20.0f - kHalf);
  EXPECT_FLOAT_EQ(quad[2].x, 26.0f - kHalf);
  EXPECT_FLOAT_EQ(quad[2].y, 22.0f - kHalf);
}

struct PackCase {
  const char* name;
  float channel;
  std::uint32_t packed;
};

class ColourPackingTest : public GraphicsFixture, public ::testing::WithParamInterface<PackCase> {};

// Out-of-range channels saturate instead of wrapping round to another colour.
TEST_P(ColourPackingTest, ChannelsAreClampedBeforePacking) {
  const PackCase& c = GetParam();
  graphics->SetColorRGBA(c.channel, 0.0f, 1.0f, 1.0f);
  EXPECT_EQ(graphics->GetPackedColor(), 0xFF0000FFu | c.packed << 16);
  graphics->DrawImage(image.get());
  EXPECT_EQ((VerticesAt<SVertex2D, 4>(0)[3].diffuse), graphics->GetPackedColor());
}

INSTANTIATE_TEST_SUITE_P(Channels, ColourPackingTest,
                         ::testing::Values(PackCase{"One", 1.0f, 255}, PackCase{"AboveOne", 1.2f, 255},
                                           PackCase{"BelowZero", -0.1f, 0}, PackCase{"Half", 0.5f, 127},
                                           PackCase{"Zero", 0.0f, 0}),
                         testing_support::RowName());

TEST_F(GraphicsFixture, TheTintGoesToGreenAndItsComplementToBlueOfTheSpecularColour) {
  const std::pair<float, std::uint32_t> cases[] = {{0.0f, 0x00FFu}, {1.0f, 0xFF00u}, {0.5f, 0x7F80u}, {1.5f, 0xFF00u}};
  for (const auto& [tint, specular] : cases) {
    SCOPED_TRACE(tint);
    graphics->SetTint(tint);
    EXPECT_EQ(graphics->GetTintSpecular(), specular);
  }
  graphics->SetTint(1.0f);
  graphics->DrawImage(image.get());
  EXPECT_EQ((VerticesAt<SVertex2D, 4>(0)[0].specular), 0xFF00u);
}

TEST_F(GraphicsFixture, AnUnknownOrCurrentTexturedShaderModeChangesNothing) {
  render::ShaderTextured* before = graphics->GetTexturedShader();
  ASSERT_NE(before, nullptr);
  EXPECT_EQ(graphics->SelectTexturedShader(3), QL_OK);
  EXPECT_EQ(graphics->SelectTexturedShader(render::kTexturedShaderMult), QL_OK);
  EXPECT_EQ(graphics->GetTexturedShaderMode(), render::kTexturedShaderMult);
  EXPECT_EQ(graphics->GetTexturedShader(), before);

  EXPECT_EQ(graphics->SelectTexturedShader(render::kTexturedShaderTint), QL_OK);
  EXPECT_NE(graphics->GetTexturedShader(), before);
  EXPECT_EQ(graphics->SetTexturedShader(nullptr), QL_OK);
  EXPECT_EQ(graphics->GetTexturedShaderMode(), render::kTexturedShaderGiven);
  EXPECT_EQ(graphics->GetTexturedShader(), before);
}

TEST_F(GraphicsFixture, ImagesAreDrawnWithTheTexturedShaderAndColourDoesNotDirtyTheState) {
  graphics->DrawImage(image.get());
  EXPECT_FALSE(graphics->IsDirty());
  graphics->SetColorRGBA(1.0f, 0.0f, 0.0f, 1.0f);
  graphics->SetTint(0.5f);
  EXPECT_FALSE(graphics->IsDirty());
  graphics->SetBlendMode(render::kBlendAdditive);
  EXPECT_TRUE(graphics->IsDirty());
  EXPECT_EQ(FinishFrame(), QL_OK);
  EXPECT_EQ(render_testing::Matching(render.log, "DeviceSetShader").at(0), "DeviceSetShader TexturedMult");
  EXPECT_EQ(render_testing::Matching(render.log, "SetTexture").at(0), "SetTexture TexturedMult.TextureSampler other");
}

TEST_F(GraphicsFixture, ALineAndAFilledRectangleUseTheGeometryShader) {
  graphics->SetColorRGBA(0.0f, 1.0f, 0.0f, 1.0f);
  graphics->DrawLine({1, 2}, {3, 4});
  graphics->FillRect({10, 20, 5, 6});
  const auto geometry = VerticesAt<SVertexGeom, 6>(0);
  EXPECT_FLOAT_EQ(geometry[1].x, 3.0f - kHalf);
  EXPECT_FLOAT_EQ(geometry[1].y, 4.0f - kHalf);
  EXPECT_EQ(geometry[0].diffuse, 0xFF00FF00u);
  EXPECT_FLOAT_EQ(geometry[4].x, 15.0f - kHalf);
  EXPECT_FLOAT_EQ(geometry[4].y, 26.0f - kHalf);
  ASSERT_EQ(FinishFrame(), QL_OK);
  EXPECT_EQ(render_testing::Matching(render.log, "DeviceSetShader").at(0), "DeviceSetShader Geom");
  EXPECT_EQ(render_testing::Matching(render.log, "DeviceDrawPrimitive").at(0), "DeviceDrawPrimitive 1 0 1");
  EXPECT_EQ(render_testing::Matching(render.log, "DeviceDrawIndexedPrimitive").at(0),
            "DeviceDrawIndexedPrimitive 3 2 0 2 2 4");
}

TEST_F(GraphicsFixture, TheGraphicsTransformAppliesAfterTheDrawsOwn) {
  math::Transform transform;
  transform.Translate(100.0f, 0.0f, 0.0f);
  graphics->SetTransform(&transform);
  graphics->DrawImage(image.get()).Scale(2.0f);
  graphics->SetTransform(nullptr);
  EXPECT_FLOAT_EQ((VerticesAt<SVertex2D, 4>(0)[2].x), 116.0f - kHalf);
}

TEST_F(GraphicsFixture, ATargetDrawnWhileASceneIsOpenLeavesThatSceneToItsOwner) {
  render::RenderTarget target(std::make_unique<render::TextureDX9>(&render), false);
  {
    render::Graphics intoTarget(target);
    EXPECT_FALSE(intoTarget.OwnsScene());
    EXPECT_EQ(intoTarget.GetState().target.texture, target.GetTexture());
    EXPECT_EQ(&intoTarget.GetProjection(), &target.GetProjection());
  }
  EXPECT_TRUE(render.IsInScene());
  EXPECT_TRUE(render.log.empty());
  EXPECT_EQ(CountAfterFrame("DeviceEndScene"), 1u);
}

TEST_F(GraphicsFixture, ATargetDrawnOutsideAnySceneIsReplayedAtOnce) {
  ASSERT_EQ(FinishFrame(), QL_OK);
  render.log.clear();
  render::RenderTarget target(std::make_unique<render::TextureDX9>(&render), false);
  {
    render::Graphics intoTarget(target);
    EXPECT_TRUE(intoTarget.OwnsScene());
    EXPECT_TRUE(render.IsInScene());
    const float clear[4] = {0, 0, 0, 0};
    EXPECT_EQ(intoTarget.Clear(render::kClearColor, clear, 1.0f, 0), QL_OK);
    EXPECT_TRUE(render.log.empty());
    EXPECT_EQ(intoTarget.Flush(), QL_OK);
    EXPECT_TRUE(render.IsInScene());
    EXPECT_EQ(render_testing::Matching(render.log, "DeviceSetRenderTarget").at(0), "DeviceSetRenderTarget other");
    EXPECT_EQ(render_testing::Matching(render.log, "DeviceClear").size(), 1u);
    render.log.clear();
  }
  EXPECT_FALSE(render.IsInScene());
  EXPECT_EQ(render_testing::Matching(render.log, "DeviceEndScene").size(), 1u);
  EXPECT_EQ(render_testing::Matching(render.log, "DeviceClear").size(), 0u);
}

}  // namespace
