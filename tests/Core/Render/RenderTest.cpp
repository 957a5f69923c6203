#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "Core/Render/Render.h"
#include "Core/Render/Shader.h"
#include "Core/Render/Vertices.h"
#include "tests/Core/Render/FakeDevice.h"

namespace {

using render_testing::CallLog;
using render_testing::FakeRender;
using render_testing::FakeShaderImpl;
using render_testing::FakeTexture;
using render_testing::FakeVertexBuffer;

TEST(RenderTest, InitMakesTheBuiltInShadersAndACachePerCachedFormat) {
  FakeRender render;
  ASSERT_EQ(render.InitScreen(), QL_OK);

  EXPECT_EQ(render.log, (CallLog{"CreateGeomShader", "CreateTexturedMultShader", "CreateTexturedTintShader",
                                 "CreateVertexBuffer vb0 40960", "CreateVertexBuffer vb1 5120",
                                 "CreateIndexBuffer ib0 61440", "CreateIndexBuffer ib1 61440"}));
  EXPECT_EQ(render.GetVertexCache(render::SVertexRT::formatId), nullptr);
  resource::ResourceHandle<render::Shader> geom;
  resource::ResourceHandle<render::ShaderTextured> tint;
  ASSERT_EQ(render.GetGeomShader(&geom), QL_OK);
  ASSERT_EQ(render.GetTexturedTintShader(&tint), QL_OK);
  EXPECT_TRUE(geom->IsLoaded());
  EXPECT_NE(geom->GetProjectionVariable(), nullptr);
  EXPECT_NE(tint->GetTextureVariable(), nullptr);
  EXPECT_EQ(tint.UseCount(), 0);
}

TEST(RenderTest, InitFailsWithTheCodeOfWhatFailed) {
  for (const char* slot : {"CreateTexturedMultShader", "CreateVertexBuffer", "CreateIndexBuffer"}) {
    FakeRender render;
    render.failSlot = slot;
    render.failCode = static_cast<QLResultEnum>(5);
    EXPECT_EQ(render.InitScreen(), 5) << slot;
  }
}

// The pixels whose centres a fill of the rectangle covers: every vertex is
// drawn half a design unit up and left, and a pixel is filled from the first
// edge on and up to the second.
TEST(RenderTest, ToDeviceRectTakesThePixelsAFillOfTheRectangleCovers) {
  struct Case {
    std::array<float, 4> rect;
    float scale;
    float offsetX;
    std::array<int, 4> expected;
  };
  for (const Case& c : {Case{{10.0f, 20.0f, 30.0f, 40.0f}, 1.0f, 0.0f, {10, 20, 30, 40}},
                        Case{{10.7f, 20.2f, 30.9f, 40.5f}, 1.0f, 0.5f, {11, 20, 31, 41}},
                        Case{{-10.7f, 5.0f, 3.3f, 1.9f}, 2.0f, 0.0f, {-22, 9, 7, 4}},
                        Case{{100.0f, 0.0f, 20.0f, 10.0f}, 0.75f, 10.0f, {85, 0, 15, 8}},
                        Case{{10.0f, 10.0f, -5.0f, 5.0f}, 1.0f, 0.0f, {5, 10, 5, 5}},
                        Case{{1e10f, -1e10f, 0.0f, 0.0f}, 1.0f, 0.0f, {2147483520, -2147483520, 0, 0}},
                        Case{{-1e10f, 0.0f, 2e10f, 1.0f}, 1.0f, 0.0f, {-2147483520, 0, 2147483647, 1}}}) {
    FakeRender render;
    FakeTexture target(&render, render.log, "target");
    render::RenderState state;
    state.target = {&target, c.scale, c.scale, c.offsetX, 0.0f};
    ASSERT_EQ(render.SetTarget(&state), QL_OK);
    std::array<int, 4> rect{};
    EXPECT_EQ(render.ToDeviceRect(c.rect.data(), rect.data()), QL_OK);
    EXPECT_EQ(rect, c.expected) << c.rect[0];
  }
}

TEST(RenderTest, TheOrthoProjectionMapsTheAreaOntoTheDevice) {
  FakeRender render;
  math::Matrix4 projection(false);
  ASSERT_EQ(render.MakeOrthoProjection(1024, 768, &projection), QL_OK);
  for (const auto& [design, device] : {std::pair{math::Point3{0, 0, 0}, math::Point3{-1, 1, 0}},
                                       std::pair{math::Point3{1024, 768, 0}, math::Point3{1, -1, 0}},
                                       std::pair{math::Point3{512, 384, 0}, math::Point3{0, 0, 0}}}) {
    math::Point3 mapped;
    projection.TransformPoint(design, mapped);
    EXPECT_EQ(mapped, device) << design.x << " " << design.y;
  }
}

TEST(RenderTest, DeviceLossReachesBuffersThenTexturesThenShadersAndDropsTheFrame) {
  FakeRender render;
  CallLog& log = render.log;
  FakeShaderImpl shader(&render, log, "shader");
  FakeTexture texture(&render, log, "texture");
  { FakeTexture gone(&render, log, "gone"); }
  FakeVertexBuffer buffer(&render, log, "buffer");
  ASSERT_EQ(render.Present(), QL_OK);

  render.LoseDeviceObjects();
  EXPECT_EQ(render.GetCommandBuffer().GetPosition(), 0u);
  EXPECT_EQ(render.ResetDeviceObjects(), QL_OK);
  EXPECT_EQ(log, (CallLog{"OnLostDevice buffer", "OnLostDevice texture", "OnLostDevice shader", "OnResetDevice buffer",
                          "OnResetDevice texture", "OnResetDevice shader"}));
}

TEST(RenderTest, ObjectsThatOutliveTheirRenderAreDetached) {
  CallLog log;
  auto render = std::make_unique<FakeRender>();
  FakeShaderImpl shader(render.get(), log, "shader");
  FakeTexture texture(render.get(), log, "texture");
  FakeVertexBuffer buffer(render.get(), log, "buffer");

  render.reset();

  EXPECT_EQ(shader.GetRender(), nullptr);
  EXPECT_EQ(texture.GetRender(), nullptr);
  EXPECT_EQ(buffer.GetRender(), nullptr);
}

TEST(RenderTest, ADroppedFrameIsForgotten) {
  FakeRender render;
  ASSERT_EQ(render.Present(), QL_OK);
  render.deviceReady = false;

  EXPECT_FALSE(render.IsReadyToRender());
  EXPECT_EQ(render.GetCommandBuffer().GetPosition(), 0u);
}

}  // namespace
