#pragma once

#include <gtest/gtest.h>

#include "Core/Render/Shader.h"
#include "tests/Core/Render/FakeDevice.h"

namespace render_testing {

// An initialised Render with the textured shader at hand and two textures,
// its log emptied of the start-up.
class RenderFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(render.InitScreen(), QL_OK);
    ASSERT_EQ(render.GetTexturedMultShader(&shaderHandle), QL_OK);
    shader = shaderHandle.Get();
    render.log.clear();
  }

  // Ends the frame and replays it; the log then holds the frame's calls.
  QLResultEnum FinishFrame() {
    render.log.clear();
    EXPECT_EQ(render.EndScene(), QL_OK);
    EXPECT_EQ(render.Present(), QL_OK);
    return render.ExecuteCommands();
  }

  FakeRender render;
  resource::ResourceHandle<render::ShaderTextured> shaderHandle;
  render::ShaderTextured* shader = nullptr;
  FakeTexture textureA{&render, render.log, "A"};
  FakeTexture textureB{&render, render.log, "B"};
  render::RenderState state;
};

}  // namespace render_testing
