#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Platform/ShaderCache.h"
#include "Platform/ShaderCompiler.h"
#include "tests/Support/TempFolder.h"

namespace {

using namespace platform;

constexpr char kText[] = R"(
float4x4 projection;
float3 dir;
float bias;
float4 list[2];
float4 vertex_shader(float4 pos : POSITION) : POSITION {
  return mul(pos, projection) * list[1] + float4(dir, bias);
}
)";

class ShaderCacheTest : public ::testing::Test {
 protected:
  void SetUp() override { SetShaderCacheFolder(folder.Path().string()); }
  void TearDown() override { SetShaderCacheFolder({}); }

  static CompiledShader Compile() {
    std::string errors;
    std::optional<CompiledShader> shader = CompileShader(kText, "vertex_shader", "vs_1_1", &errors, "VS.hlsl");
    EXPECT_TRUE(shader) << errors;
    return shader.value_or(CompiledShader{});
  }

  std::vector<std::filesystem::path> Entries() const {
    std::vector<std::filesystem::path> entries;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) entries.push_back(entry.path());
    return entries;
  }

  static std::string Key() { return ShaderCacheKey(kText, "vertex_shader", "vs_1_1", "VS.hlsl"); }

  testing_support::TempFolder folder;
};

void ExpectSameShader(const CompiledShader& a, const CompiledShader& b) {
  EXPECT_EQ(a.stage, b.stage);
  EXPECT_EQ(a.glsl, b.glsl);
  EXPECT_EQ(a.warnings, b.warnings);
  EXPECT_EQ(a.constants.GetRegisterCount(), b.constants.GetRegisterCount());
  ASSERT_EQ(a.constants.GetConstants().size(), b.constants.GetConstants().size());
  for (std::size_t i = 0; i < a.constants.GetConstants().size(); ++i) {
    const ShaderConstant& x = a.constants.GetConstants()[i];
    const ShaderConstant& y = b.constants.GetConstants()[i];
    EXPECT_EQ(x.name, y.name);
    EXPECT_EQ(x.kind, y.kind) << x.name;
    EXPECT_EQ(x.registerIndex, y.registerIndex) << x.name;
    EXPECT_EQ(x.registerCount, y.registerCount) << x.name;
    EXPECT_EQ(x.firstComponent, y.firstComponent) << x.name;
    EXPECT_EQ(x.components, y.components) << x.name;
    EXPECT_EQ(x.rows, y.rows) << x.name;
    EXPECT_EQ(x.columns, y.columns) << x.name;
    EXPECT_EQ(x.rowPerRegister, y.rowPerRegister) << x.name;
    EXPECT_EQ(x.elementStride, y.elementStride) << x.name;
  }
}

TEST_F(ShaderCacheTest, ATranslationIsKeptAndTakenFromTheCacheTheNextTime) {
  const CompiledShader translated = Compile();
  ASSERT_EQ(Entries().size(), 1u);
  ExpectSameShader(Compile(), translated);

  // What the cache holds is what comes back, not a new translation.
  CompiledShader marked = translated;
  marked.glsl += "// kept\n";
  StoreCachedShader(Key(), marked);
  EXPECT_EQ(Compile().glsl, marked.glsl);
  EXPECT_EQ(Entries().size(), 1u);
}

TEST_F(ShaderCacheTest, ADamagedEntryIsIgnoredAndWrittenAgain) {
  const CompiledShader translated = Compile();
  const std::string whole = EncodeCompiledShader(translated);
  std::string flipped = whole;
  flipped[flipped.size() / 2] ^= 0x20;
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"cut short", whole.substr(0, whole.size() / 2)},
      {"one byte changed", flipped},
      {"longer", whole + "x"},
      {"not an entry", std::string(4096, '\xff')},
  };
  const std::string name = Key() + ".shader";
  for (const Case& c : cases) {
    folder.WriteFile(name, c.bytes);
    ExpectSameShader(Compile(), translated);
    EXPECT_EQ(folder.ReadFile(name), whole) << c.name;
  }
}

TEST_F(ShaderCacheTest, NoCutOfAnEntryDecodes) {
  const std::string whole = EncodeCompiledShader(Compile());
  ASSERT_TRUE(DecodeCompiledShader(whole));
  for (std::size_t size = 0; size < whole.size(); ++size) {
    EXPECT_FALSE(DecodeCompiledShader(std::string_view(whole).substr(0, size))) << size;
  }
}

TEST_F(ShaderCacheTest, APixelShaderWithASamplerReadsBackAsItWasWritten) {
  constexpr char kPixelText[] = R"(
sampler image;
float4 tint;
float4 pixel_shader(float2 uv : TEXCOORD0) : COLOR {
  return tex2D(image, uv) * tint;
}
)";
  std::string errors;
  const std::optional<CompiledShader> shader = CompileShader(kPixelText, "pixel_shader", "ps_2_0", &errors);
  ASSERT_TRUE(shader) << errors;
  ASSERT_TRUE(shader->constants.Find("image"));
  const std::optional<CompiledShader> decoded = DecodeCompiledShader(EncodeCompiledShader(*shader));
  ASSERT_TRUE(decoded);
  ExpectSameShader(*decoded, *shader);
}

TEST_F(ShaderCacheTest, TextsThatDifferInAnyInputHaveTheirOwnEntries) {
  const std::string key = Key();
  EXPECT_NE(ShaderCacheKey(std::string(kText) + " ", "vertex_shader", "vs_1_1", "VS.hlsl"), key);
  EXPECT_NE(ShaderCacheKey(kText, "main", "vs_1_1", "VS.hlsl"), key);
  EXPECT_NE(ShaderCacheKey(kText, "vertex_shader", "vs_2_0", "VS.hlsl"), key);
  EXPECT_NE(ShaderCacheKey(kText, "vertex_shader", "vs_1_1", "other.hlsl"), key);
}

}  // namespace
