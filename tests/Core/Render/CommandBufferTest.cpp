#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "Core/Render/CommandBuffer.h"
#include "tests/Core/Render/RenderFixture.h"

namespace {

using render::CommandBuffer;
using render_testing::CallLog;
using render_testing::Matching;

TEST(CommandBufferTest, GrowsByHalfOrToTheRequestAndOneKilobyteWithoutPassing4GiB) {
  struct Case {
    std::uint32_t current;
    std::uint32_t requested;
    std::uint32_t expected;
  };
  for (const Case& c : {Case{0, 4, 1028}, Case{1028, 1100, 1542}, Case{1028, 2000, 3024},
                        Case{0xC0000000u, 0xC0000001u, 0xFFFFFFFFu}, Case{16, 0xFFFFFF00u, 0xFFFFFFFFu}}) {
    EXPECT_EQ(CommandBuffer::GrownCapacity(c.current, c.requested), c.expected) << c.current << " " << c.requested;
  }
}

TEST(CommandBufferTest, WritesGrowTheBufferAndKeepWhatWasRecorded) {
  for (const auto& [needed, expected] : {std::pair{1100u, 1542u}, std::pair{2000u, 3024u}}) {
    CommandBuffer buffer;
    const std::int32_t first = 17;
    ASSERT_TRUE(render::WriteField(buffer, first));
    ASSERT_EQ(buffer.GetSize(), 1028u);
    const std::vector<unsigned char> rest(needed - 4, 0xAB);
    ASSERT_EQ(buffer.Write(rest.data(), static_cast<std::uint32_t>(rest.size())), rest.size());
    EXPECT_EQ(buffer.GetSize(), expected);
    std::int32_t kept = 0;
    std::memcpy(&kept, buffer.GetData(), sizeof kept);
    EXPECT_EQ(kept, first);
  }
}

class ReplayTest : public render_testing::RenderFixture {
 protected:
  std::vector<unsigned char> Recorded() {
    const auto& commands = render.GetCommandBuffer();
    return {commands.GetData(), commands.GetData() + commands.GetPosition()};
  }
};

TEST_F(ReplayTest, ReplaysTheFrameInRecordedOrderAndRewinds) {
  const float colour[4] = {1.0f, 0.5f, 0.0f, 1.0f};
  ASSERT_EQ(render.BeginScene(), QL_OK);
  ASSERT_EQ(render.Clear(render::kClearColor, colour, 1.0f, 0), QL_OK);

  EXPECT_EQ(FinishFrame(), QL_OK);

  EXPECT_EQ(render.log,
            (CallLog{"DeviceBeginScene", "DeviceClear 1 1.000000 1.000000 1.000000 0", "DeviceEndScene", "DoPresent"}));
  EXPECT_EQ(render.GetCommandBuffer().GetPosition(), 0u);
}

TEST_F(ReplayTest, DepthCarriesTheWriteFlagOnlyWhenEnabled) {
  state.depthEnabled = true;
  state.depthWrite = true;
  ASSERT_EQ(render.SetState(&state, true), QL_OK);
  ASSERT_EQ(render.FlushState(), QL_OK);
  EXPECT_EQ(Recorded(), (std::vector<unsigned char>{14, 0, 0, 0, 1, 1}));

  state.depthEnabled = false;
  ASSERT_EQ(render.SetState(&state, true), QL_OK);
  ASSERT_EQ(render.FlushState(), QL_OK);
  EXPECT_EQ(Recorded(), (std::vector<unsigned char>{14, 0, 0, 0, 1, 1, 14, 0, 0, 0, 0}));

  EXPECT_EQ(render.ExecuteCommands(), QL_OK);
  EXPECT_EQ(render.log, (CallLog{"DeviceSetDepth 1 1", "DeviceSetDepth 0 0"}));
}

TEST_F(ReplayTest, SkipsUnlistedOpcodesWithoutAPayload) {
  for (const std::int32_t unlisted : {15, 19, -1}) ASSERT_TRUE(render::WriteField(render.GetCommandBuffer(), unlisted));
  ASSERT_EQ(render.Present(), QL_OK);

  EXPECT_EQ(render.ExecuteCommands(), QL_OK);
  EXPECT_EQ(render.log, CallLog{"DoPresent"});
}

TEST_F(ReplayTest, AFailingSlotStopsTheReplayAndTheNextFrameSendsEverythingAgain) {
  resource::ResourceHandle<render::Shader> geom;
  ASSERT_EQ(render.GetGeomShader(&geom), QL_OK);
  render::RenderState lines;
  lines.shader = geom->GetImplementation();
  const auto drawLine = [&] {
    ASSERT_EQ(render.SetState(&lines, true), QL_OK);
    ASSERT_EQ(render.DrawPrimitive(render::kLineList, 0, 1), QL_OK);
  };
  ASSERT_EQ(render.BeginScene(), QL_OK);
  ASSERT_EQ(render_testing::DrawQuad(render, state, *shader, &textureA), QL_OK);
  drawLine();
  render.failSlot = "DeviceSetShader";
  render.failCode = static_cast<QLResultEnum>(7);

  EXPECT_EQ(FinishFrame(), 7);
  EXPECT_EQ(render.log.back(), "DeviceSetShader TexturedMult");
  EXPECT_EQ(render.GetCommandBuffer().GetPosition(), 0u);

  // The same states again, in the other order: only a Render that forgot
  // what it had recorded sends them.
  render.failSlot.clear();
  ASSERT_EQ(render.BeginScene(), QL_OK);
  EXPECT_EQ(Recorded().front(), render::kOpBeginScene);
  drawLine();
  ASSERT_EQ(render_testing::DrawQuad(render, state, *shader, &textureA), QL_OK);
  EXPECT_EQ(FinishFrame(), QL_OK);
  EXPECT_EQ(Matching(render.log, "DeviceSet"),
            (CallLog{"DeviceSetRenderTarget null", "DeviceSetShader Geom", "DeviceSetVertexBuffer null",
                     "DeviceSetIndexBuffer null", "DeviceSetBlendMode 0", "DeviceSetScissorEnable 0",
                     "DeviceSetScissorRect 0 0 0 0", "DeviceSetDepth 0 0", "DeviceSetShader TexturedMult",
                     "DeviceSetVertexFormat 0", "DeviceSetVertexBuffer vb0", "DeviceSetIndexBuffer ib0"}));
  EXPECT_EQ(Matching(render.log, "SetTexture"), CallLog{"SetTexture TexturedMult.TextureSampler A"});
  EXPECT_EQ(Matching(render.log, "DeviceDraw"),
            (CallLog{"DeviceDrawPrimitive 1 0 1", "DeviceDrawIndexedPrimitive 3 2 0 2 0 4"}));
}

TEST_F(ReplayTest, AFailedReplayInTheMiddleOfAFrameClosesItsCaches) {
  ASSERT_EQ(render.BeginScene(), QL_OK);
  ASSERT_EQ(render_testing::DrawQuad(render, state, *shader, &textureA), QL_OK);
  render.failSlot = "DeviceBeginScene";
  EXPECT_EQ(render.ExecuteCommands(), QL_FAIL);
  EXPECT_FALSE(render.IsInScene());

  render.failSlot.clear();
  EXPECT_EQ(render.BeginScene(), QL_OK);
  ASSERT_EQ(render_testing::DrawQuad(render, state, *shader, &textureA), QL_OK);
  EXPECT_EQ(FinishFrame(), QL_OK);
}

}  // namespace
