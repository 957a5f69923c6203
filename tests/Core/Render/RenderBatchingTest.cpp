#include <gtest/gtest.h>

#include "Core/Render/BufferDoubleCache.h"
#include "Core/Render/Render.h"
#include "tests/Core/Render/RenderFixture.h"

namespace {

using render_testing::CallLog;
using render_testing::DrawQuad;
using render_testing::Matching;

class BatchingTest : public render_testing::RenderFixture {
 protected:
  void SetUp() override {
    RenderFixture::SetUp();
    ASSERT_EQ(render.BeginScene(), QL_OK);
  }

  CallLog Draws() {
    EXPECT_EQ(FinishFrame(), QL_OK);
    return Matching(render.log, "DeviceDraw");
  }
};

TEST_F(BatchingTest, TwoQuadsOfOneTextureBecomeOneDraw) {
  ASSERT_EQ(DrawQuad(render, state, *shader, &textureA), QL_OK);
  ASSERT_EQ(DrawQuad(render, state, *shader, &textureA), QL_OK);

  EXPECT_EQ(Draws(), CallLog{"DeviceDrawIndexedPrimitive 3 2 0 4 0 8"});
}

TEST_F(BatchingTest, ATextureOrStateChangeEndsTheBatchAColourChangeDoesNot) {
  struct Case {
    const char* change;
    void (*apply)(render::RenderState& state, bool& otherTexture, std::uint32_t& colour);
    std::size_t draws;
  };
  const Case cases[] = {
      {"colour", [](render::RenderState&, bool&, std::uint32_t& colour) { colour = 0xFF00FF00u; }, 1},
      {"rectangle of a disabled scissor",
       [](render::RenderState& state, bool&, std::uint32_t&) {
         state.scissorRect = {1, 2, 3, 4};
       },
       1},
      {"write flag of a disabled depth test",
       [](render::RenderState& state, bool&, std::uint32_t&) { state.depthWrite = false; }, 1},
      {"texture", [](render::RenderState&, bool& otherTexture, std::uint32_t&) { otherTexture = true; }, 2},
      {"blend mode",
       [](render::RenderState& state, bool&, std::uint32_t&) { state.blendMode = render::kBlendAdditive; }, 2},
  };
  for (const Case& c : cases) {
    state = {};
    ASSERT_EQ(DrawQuad(render, state, *shader, &textureA), QL_OK);
    bool otherTexture = false;
    std::uint32_t colour = 0xFFFFFFFFu;
    c.apply(state, otherTexture, colour);
    ASSERT_EQ(DrawQuad(render, state, *shader, otherTexture ? &textureB : &textureA, colour), QL_OK);

    EXPECT_EQ(Draws().size(), c.draws) << c.change;
    EXPECT_EQ(render.GetReplayedDrawCount(), c.draws) << c.change << ": the replay counts what reached the device";
    ASSERT_EQ(render.BeginScene(), QL_OK);
  }
}

TEST_F(BatchingTest, EachTextureChangeSendsEveryVariableOfTheShader) {
  ASSERT_EQ(DrawQuad(render, state, *shader, &textureA), QL_OK);
  ASSERT_EQ(DrawQuad(render, state, *shader, &textureB), QL_OK);
  ASSERT_EQ(FinishFrame(), QL_OK);

  EXPECT_EQ(Matching(render.log, "Set"),
            (CallLog{"SetMatrix TexturedMult.Proj", "SetTexture TexturedMult.TextureSampler A",
                     "SetMatrix TexturedMult.Proj", "SetTexture TexturedMult.TextureSampler B"}));
}

TEST_F(BatchingTest, OnlyListsThatContinueEachOtherMerge) {
  struct Draw {
    bool indexed;
    std::uint32_t type;
    std::uint32_t start;
    std::uint32_t count;
  };
  struct Case {
    Draw first;
    Draw second;
    CallLog draws;
  };
  const Case cases[] = {
      {{false, render::kLineList, 0, 1}, {false, render::kLineList, 2, 1}, {"DeviceDrawPrimitive 1 0 2"}},
      {{false, render::kPointList, 0, 3}, {false, render::kPointList, 3, 2}, {"DeviceDrawPrimitive 0 0 5"}},
      {{false, render::kLineStrip, 0, 1},
       {false, render::kLineStrip, 1, 1},
       {"DeviceDrawPrimitive 2 0 1", "DeviceDrawPrimitive 2 1 1"}},
      {{false, render::kTriangleStrip, 0, 2},
       {false, render::kTriangleStrip, 2, 2},
       {"DeviceDrawPrimitive 4 0 2", "DeviceDrawPrimitive 4 2 2"}},
      {{false, render::kTriangleFan, 0, 2},
       {false, render::kTriangleFan, 2, 2},
       {"DeviceDrawPrimitive 5 0 2", "DeviceDrawPrimitive 5 2 2"}},
      {{false, render::kTriangleList, 0, 1},
       {false, render::kTriangleList, 4, 1},
       {"DeviceDrawPrimitive 3 0 1", "DeviceDrawPrimitive 3 4 1"}},
      {{false, render::kTriangleList, 0, 1},
       {true, render::kTriangleList, 3, 1},
       {"DeviceDrawPrimitive 3 0 1", "DeviceDrawIndexedPrimitive 3 2 3 1 0 3"}},
  };
  state.shader = shader->GetImplementation();
  state.indexBuffer = render.GetIndexCache16()->GetMainBuffer()->GetImpl();
  ASSERT_EQ(render.SetState(&state, true), QL_OK);
  for (const Case& c : cases) {
    for (const Draw& draw : {c.first, c.second}) {
      const QLResultEnum result = draw.indexed ? render.DrawIndexedPrimitive(draw.type, draw.start, draw.count, 0, 3)
                                               : render.DrawPrimitive(draw.type, draw.start, draw.count);
      ASSERT_EQ(result, QL_OK);
    }
    EXPECT_EQ(Draws(), c.draws) << c.first.type;
    ASSERT_EQ(render.BeginScene(), QL_OK);
  }
}

TEST_F(BatchingTest, MergedIndexedDrawsSpanBothVertexRanges) {
  state.shader = shader->GetImplementation();
  ASSERT_EQ(render.SetState(&state, true), QL_OK);
  ASSERT_EQ(render.DrawIndexedPrimitive(render::kTriangleList, 0, 2, 4, 4), QL_OK);
  ASSERT_EQ(render.DrawIndexedPrimitive(render::kTriangleList, 6, 2, 0, 4), QL_OK);

  EXPECT_EQ(Draws(), CallLog{"DeviceDrawIndexedPrimitive 3 0 0 4 0 8"});
}

class StateTest : public render_testing::RenderFixture {
 protected:
  // What one state flush sends to the device.
  CallLog Flushed() {
    render.log.clear();
    EXPECT_EQ(render.FlushState(), QL_OK);
    EXPECT_EQ(render.ExecuteCommands(), QL_OK);
    return render.log;
  }
};

TEST_F(StateTest, AnUnforcedCallWithTheSameObjectIsNotCompared) {
  ASSERT_EQ(render.SetState(&state, false), QL_OK);
  state.blendMode = render::kBlendAlpha;

  ASSERT_EQ(render.SetState(&state, false), QL_OK);
  EXPECT_EQ(Flushed(), CallLog{});

  ASSERT_EQ(render.SetState(&state, true), QL_OK);
  EXPECT_EQ(Flushed(), CallLog{"DeviceSetBlendMode 1"});
}

TEST_F(StateTest, AScissorRectangleIsSentOnlyWhileTheScissorIsEnabled) {
  state.scissorRect = {10, 20, 30, 40};
  ASSERT_EQ(render.SetState(&state, true), QL_OK);
  EXPECT_EQ(Flushed(), CallLog{});

  state.scissorEnabled = true;
  ASSERT_EQ(render.SetState(&state, true), QL_OK);
  EXPECT_EQ(Flushed(), (CallLog{"DeviceSetScissorEnable 1", "DeviceSetScissorRect 10 20 30 40"}));
}

TEST_F(StateTest, TheScissorFollowsATargetSwitchWhenTheDeviceForgetsIt) {
  for (const bool resend : {false, true}) {
    render.ResetState();
    render.resendScissorOnTargetChange_ = resend;
    state = {};
    state.scissorEnabled = true;
    state.scissorRect = {1, 2, 3, 4};
    ASSERT_EQ(render.SetState(&state, true), QL_OK);
    Flushed();

    state.target.texture = &textureA;
    ASSERT_EQ(render.SetState(&state, true), QL_OK);
    CallLog expected{"DeviceSetRenderTarget A"};
    if (resend) expected.insert(expected.end(), {"DeviceSetScissorEnable 1", "DeviceSetScissorRect 1 2 3 4"});
    EXPECT_EQ(Flushed(), expected) << resend;
  }
}

TEST_F(StateTest, AfterAResetEverythingWantedIsSentAgain) {
  state.target.texture = &textureA;
  state.blendMode = render::kBlendAlpha;
  ASSERT_EQ(render.SetState(&state, false), QL_OK);
  Flushed();

  render.ResetState();
  ASSERT_EQ(render.SetState(&state, false), QL_OK);
  EXPECT_EQ(Flushed(), (CallLog{"DeviceSetRenderTarget A", "DeviceSetBlendMode 1"}));
}

}  // namespace
