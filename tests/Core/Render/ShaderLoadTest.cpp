#include <gtest/gtest.h>

#include <string>

#include "Core/Render/DX9/BuiltInShaders.h"
#include "Core/Render/Shader.h"
#include "tests/Core/Render/RenderDX9Fixture.h"
#include "tests/Support/DataRoot.h"

namespace {

using RenderDX9Test = render_test::RenderDX9Fixture;

// A textured shader from a folder: the two texts are read from it and bound;
// what cannot build or bind fails the load and logs why.
struct FolderShaderCase {
  const char* name;
  const char* vertexText;
  const char* pixelText;
  bool loads;
};

void PrintTo(const FolderShaderCase& row, std::ostream* out) { *out << row.name; }

class FolderShaderTest : public RenderDX9Test, public ::testing::WithParamInterface<FolderShaderCase> {};

TEST_P(FolderShaderTest, LoadsFromItsFolder) {
  ASSERT_EQ(Start(), QL_OK);
  testing_support::DataRoot root;
  root.WriteFile("shaders/mob/VS.hlsl", GetParam().vertexText);
  root.WriteFile("shaders/mob/PS.hlsl", GetParam().pixelText);
  render::ShaderTextured shader;
  ASSERT_EQ(shader.SetRender(render_.get()), QL_OK);
  ASSERT_EQ(shader.Init(u"shaders/mob/"), QL_OK);
  EXPECT_EQ(shader.Load() == QL_OK, GetParam().loads);
  EXPECT_EQ(shader.IsLoaded(), GetParam().loads);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FolderShaderTest,
    ::testing::Values(
        FolderShaderCase{"BuiltInTexts", render::kVertexShaderTexturedMultText, render::kPixelShaderTexturedMultText, true},
        FolderShaderCase{"NoTextureSampler", render::kVertexShaderTexturedMultText, render::kPixelShaderGeomText, false},
        FolderShaderCase{"NoProjection", "float4 vertex_shader(float4 p : POSITION) : POSITION { return p; }",
                         render::kPixelShaderTexturedMultText, false},
        FolderShaderCase{"SyntaxError", "float4x4 Proj; void vertex_shader(", render::kPixelShaderTexturedMultText,
                         false},
        FolderShaderCase{"EmptyTexts", "", "", false}),
    [](const ::testing::TestParamInfo<FolderShaderCase>& info) { return std::string(info.param.name); });

TEST_F(RenderDX9Test, AShaderNeedsItsRenderBeforeLoading) {
  render::Shader shader;
  EXPECT_EQ(shader.SetRender(nullptr), QL_FAIL);
  ASSERT_EQ(shader.Init(u"nowhere/"), QL_OK);
  EXPECT_EQ(shader.Load(), QL_FAIL);
}

}  // namespace
