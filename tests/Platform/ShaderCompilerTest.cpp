#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "Platform/GraphicsProgram.h"
#include "Platform/ShaderCompiler.h"

namespace {

using namespace platform;

// Every global is read, so that the shader needs all of them.
constexpr char kConstantsText[] = R"(
float3 dir;
float bias;
float4 color;
float4x4 columns;
row_major float4x4 rows;
float4x3 tall;
row_major float3x4 wide;
float4 list[3];
float last;
float4 vertex_shader(float4 pos : POSITION) : POSITION {
  float4 p = mul(pos, columns) + mul(pos, rows) + float4(mul(pos, tall), bias) + float4(mul(wide, pos), 0);
  return p * color * list[2] + float4(dir, last);
}
)";

TEST(ShaderCompilerTest, PlacesConstantsInRegistersAsD3dxDoes) {
  struct Case {
    const char* name;
    ShaderConstantKind kind;
    int registerIndex, registerCount, firstComponent, components;
    bool rowPerRegister;
    int elementStride;
  };
  const Case cases[] = {
      {"dir", ShaderConstantKind::kNumeric, 0, 1, 0, 3, false, 0},
      // A float after a float3 takes the register's last component.
      {"bias", ShaderConstantKind::kNumeric, 0, 1, 3, 1, false, 0},
      {"color", ShaderConstantKind::kNumeric, 1, 1, 0, 4, false, 0},
      {"columns", ShaderConstantKind::kMatrix, 2, 4, 0, 4, false, 0},
      {"rows", ShaderConstantKind::kMatrix, 6, 4, 0, 4, true, 0},
      // Four rows and three columns: a register per column, of four floats.
      {"tall", ShaderConstantKind::kMatrix, 10, 3, 0, 4, false, 0},
      {"wide", ShaderConstantKind::kMatrix, 13, 3, 0, 4, true, 0},
      {"list", ShaderConstantKind::kNumeric, 16, 3, 0, 4, false, 1},
      {"last", ShaderConstantKind::kNumeric, 19, 1, 0, 1, false, 0},
  };
  std::string errors;
  const auto shader = CompileShader(kConstantsText, "vertex_shader", "vs_1_1", &errors);
  ASSERT_TRUE(shader) << errors;
  const ShaderConstantTable& table = shader->constants;
  EXPECT_EQ(table.GetStage(), ShaderStage::kVertex);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto handle = table.Find(c.name);
    ASSERT_TRUE(handle);
    const ShaderConstant* constant = table.Get(*handle);
    ASSERT_TRUE(constant);
    EXPECT_EQ(constant->kind, c.kind);
    EXPECT_EQ(constant->registerIndex, c.registerIndex);
    EXPECT_EQ(constant->registerCount, c.registerCount);
    EXPECT_EQ(constant->firstComponent, c.firstComponent);
    EXPECT_EQ(constant->components, c.components);
    EXPECT_EQ(constant->rowPerRegister, c.rowPerRegister);
    EXPECT_EQ(constant->elementStride, c.elementStride);
  }
  EXPECT_NE(shader->glsl.find("uniform vec4 lf_VertexConstants[20];"), std::string::npos) << shader->glsl;
}

TEST(ShaderCompilerTest, UnknownNamesHaveNoHandle) {
  std::string errors;
  const auto shader = CompileShader(kConstantsText, "vertex_shader", "vs_2_0", &errors);
  ASSERT_TRUE(shader) << errors;
  EXPECT_FALSE(shader->constants.Find("Missing"));
  EXPECT_FALSE(shader->constants.Find("DIR"));
  EXPECT_FALSE(shader->constants.Get({-1}));
  EXPECT_FALSE(shader->constants.Get({static_cast<int>(shader->constants.GetConstants().size())}));
}

TEST(ShaderCompilerTest, SamplersTakeTheirRegisterOrTheFirstFreeStage) {
  const char* text = R"(
sampler Detail : register(s2);
sampler Base = sampler_state { MinFilter = LINEAR; };
float4 pixel_shader(float2 uv : TEXCOORD0) : COLOR0 { return tex2D(Base, uv) * tex2D(Detail, uv); }
)";
  std::string errors;
  const auto shader = CompileShader(text, "pixel_shader", "ps_2_0", &errors);
  ASSERT_TRUE(shader) << errors;
  for (const auto& [name, stage] : {std::pair{"Detail", 2}, std::pair{"Base", 0}}) {
    const auto handle = shader->constants.Find(name);
    ASSERT_TRUE(handle) << name;
    EXPECT_EQ(shader->constants.Get(*handle)->kind, ShaderConstantKind::kSampler);
    EXPECT_EQ(shader->constants.Get(*handle)->registerIndex, stage) << name;
    EXPECT_NE(shader->glsl.find("uniform sampler2D lf_Sampler" + std::to_string(stage) + ";"), std::string::npos);
  }
}

TEST(ShaderCompilerTest, VertexProgramsEndWithThePositionFixup) {
  std::string errors;
  const auto shader = CompileShader(kConstantsText, "vertex_shader", "vs_1_1", &errors);
  ASSERT_TRUE(shader) << errors;
  const std::string& glsl = shader->glsl;
  EXPECT_TRUE(glsl.starts_with("#version 330 core\n")) << glsl;
  EXPECT_NE(glsl.find(kPositionFixupDeclaration), std::string::npos) << glsl;
  EXPECT_TRUE(glsl.ends_with(std::string(kPositionFixupStatement) + "}\n")) << glsl;
  EXPECT_NE(glsl.find("layout(location = 0) in vec4"), std::string::npos) << glsl;
}

TEST(ShaderCompilerTest, SyntaxErrorsNameTheirLine) {
  const char* text = "float4 color;\n\nfloat4 pixel_shader() : COLOR0 {\n  return color +;\n}\n";
  std::string errors;
  EXPECT_FALSE(CompileShader(text, "pixel_shader", "ps_2_0", &errors, "Broken/PS.hlsl"));
  EXPECT_NE(errors.find("Broken/PS.hlsl:4:"), std::string::npos) << errors;
}

TEST(ShaderCompilerTest, BadTextsFailWithAReason) {
  struct Case {
    const char* what;
    std::string text;
    const char* profile;
    const char* reason;
  };
  const std::string pixel = "float4 pixel_shader() : COLOR0 { return 1; }\n";
  const Case cases[] = {
      {"empty text", "", "ps_2_0", "Entry point not found"},
      {"unknown profile", pixel, "gs_4_0", "profile"},
      {"no entry point", "float4 main() : COLOR0 { return 1; }", "ps_2_0", "Entry point not found"},
      {"deep nesting", "float4 pixel_shader() : COLOR0 { return " + std::string(100000, '(') + "1; }", "ps_2_0",
       "nested too deeply"},
      {"unterminated comment", pixel + "/* no end", "ps_2_0", "shader:"},
      {"unterminated sampler_state", "sampler S = sampler_state { MinFilter = LINEAR;\n" + pixel, "ps_2_0",
       "never closed"},
      {"crossed brackets", "float4 f(float4 [x) { return 1; }\n" + pixel, "ps_2_0", "line 1: ')' closes no bracket"},
      {"texture without end", "texture t\n", "ps_2_0", "shader:"},
      {"bytes", std::string("\0\xff\x80{{\"\n};;", 11), "ps_2_0", "'{' is never closed"},
      {"bytes after the entry point", pixel + std::string("\0\xff\x80", 3), "ps_2_0", "shader:2:"},
      {"unnamed entry parameter", "void pixel_shader(float4, out float4 o : COLOR0) { o = 1; }", "ps_2_0", "no name"},
      {"integer constant", "int count;\nfloat4 pixel_shader() : COLOR0 { return count; }", "ps_2_0", "floats"},
      {"unfed vertex input", "float4 vertex_shader(float4 w : BLENDWEIGHT) : POSITION { return w; }", "vs_1_1",
       "BLENDWEIGHT0"},
      {"second colour target", "void pixel_shader(out float4 a : COLOR0, out float4 b : COLOR1) { a = 1; b = 0; }",
       "ps_2_0", "COLOR1"},
      {"sampler array",
       "sampler s[2];\nfloat4 pixel_shader(float2 uv : TEXCOORD0) : COLOR0 { return tex2D(s[1], uv); }", "ps_2_0",
       "array"},
      {"too many registers", "float4 big[300];\nfloat4 pixel_shader() : COLOR0 { return big[299]; }", "ps_2_0",
       "registers"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string errors;
    EXPECT_FALSE(CompileShader(c.text, c.profile[0] == 'v' ? "vertex_shader" : "pixel_shader", c.profile, &errors));
    EXPECT_NE(errors.find(c.reason), std::string::npos) << errors;
  }
}

std::string ReadFixture(const std::string& name) {
  std::ifstream in(std::filesystem::path(__FILE__).parent_path() / "Fixtures" / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct CrashCase {
  const char* name;
  const char* file;
  const char* reason;
};

class CompilerCrashTextTest : public ::testing::TestWithParam<CrashCase> {};

// Texts on which the HLSL front end itself would crash are refused with a
// reason, whichever stage they are compiled for: the known ones before it
// sees them, any other when it crashes in the compiler's own process.
TEST_P(CompilerCrashTextTest, IsRefusedWithAReason) {
  const std::string text = ReadFixture(GetParam().file);
  ASSERT_FALSE(text.empty());
  for (const auto& [entry, profile] : {std::pair{"vertex_shader", "vs_1_1"}, std::pair{"pixel_shader", "ps_2_0"}}) {
    SCOPED_TRACE(profile);
    std::string errors;
    EXPECT_FALSE(CompileShader(text, entry, profile, &errors, GetParam().file));
    EXPECT_NE(errors.find(GetParam().reason), std::string::npos) << errors;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, CompilerCrashTextTest,
    ::testing::Values(CrashCase{"OnlyIn", "only-in.hlsl", "line 1: 'in' is only valid on a parameter"},
                      CrashCase{"SemicolonIn", "semicolon-in.hlsl", "line 1: 'in' is only valid on a parameter"},
                      CrashCase{"SemicolonOut", "semicolon-out.hlsl", "line 1: 'out' is only valid on a parameter"},
                      CrashCase{"MulOfFloat1AndMatrix", "mul-float1.hlsl", "line 1: 'float1' has a dimension of 1"},
                      CrashCase{"RedeclaredAfterAnError", "redeclared-after-error.hlsl",
                                "the HLSL compiler failed on this source"}),
    [](const ::testing::TestParamInfo<CrashCase>& info) { return std::string(info.param.name); });

}  // namespace
