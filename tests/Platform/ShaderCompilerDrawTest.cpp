#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "Core/Render/DX9/BuiltInShaders.h"
#include "Platform/GraphicsDevice.h"
#include "Platform/NativeWindow.h"
#include "Platform/Session.h"
#include "Platform/ShaderCompiler.h"
#include "tests/Support/GraphicsDriver.h"

namespace {

using namespace platform;

// Geom's inputs: x y z, diffuse.
struct ColorVertex {
  float x, y, z;
  std::uint32_t diffuse;
};
constexpr std::uint32_t kColorVertexFvf = kFvfXyz | kFvfDiffuse;

// The textured inputs: x y z w, diffuse, specular, u v.
struct TexturedVertex {
  float x, y, z, w;
  std::uint32_t diffuse, specular;
  float u, v;
};
constexpr std::uint32_t kTexturedVertexFvf = kFvfXyzw | kFvfDiffuse | kFvfSpecular | (1 << kFvfTexCountShift);

constexpr std::uint32_t kBlack = 0xFF000000;
constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kHalfWhite = 0x80FFFFFF;

// Two triangles over the pixels of rect, corners moved by -0.5 as the drawing
// code does for Direct3D 9, texture coordinates over the whole texture.
std::vector<TexturedVertex> Quad(PixelRect rect, std::uint32_t diffuse, std::uint32_t specular = 0) {
  const float l = static_cast<float>(rect.left) - 0.5f, r = static_cast<float>(rect.right) - 0.5f;
  const float t = static_cast<float>(rect.top) - 0.5f, b = static_cast<float>(rect.bottom) - 0.5f;
  const TexturedVertex tl{l, t, 0, 1, diffuse, specular, 0, 0}, tr{r, t, 0, 1, diffuse, specular, 1, 0};
  const TexturedVertex bl{l, b, 0, 1, diffuse, specular, 0, 1}, br{r, b, 0, 1, diffuse, specular, 1, 1};
  return {tl, tr, bl, bl, tr, br};
}

std::vector<ColorVertex> ColorQuad(PixelRect rect, std::uint32_t diffuse) {
  std::vector<ColorVertex> quad;
  for (const TexturedVertex& v : Quad(rect, diffuse)) quad.push_back({v.x, v.y, v.z, v.diffuse});
  return quad;
}

class ShaderCompilerDrawTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 32;
  static constexpr int kHeight = 24;

  void SetUp() override {
    ASSERT_TRUE(window_.Create("shader compiler test", 0, 0, kWidth, kHeight, true));
    device_ = GraphicsDevice::Create(window_.GetHandle(), {kWidth, kHeight, true});
    ASSERT_TRUE(device_);
    testing_support::KeepGraphicsDriverLoaded();
    ASSERT_EQ(device_->Clear(kClearTarget | kClearDepth, kBlack, 1.0f, 0), DeviceResult::kOk);
  }

  void TearDown() override {
    device_.reset();
    window_.Destroy();
    Shutdown();
  }

  // Compiles and links the pair, puts it on the device, and sets the
  // projection through the vertex table, where the vertex shader has one.
  void Use(const char* vertexText, const char* pixelText) {
    std::string errors;
    auto vertex = CompileShader(vertexText, "vertex_shader", "vs_1_1", &errors);
    ASSERT_TRUE(vertex) << errors;
    auto pixel = CompileShader(pixelText, "pixel_shader", "ps_2_0", &errors);
    ASSERT_TRUE(pixel) << errors;
    EXPECT_EQ(vertex->warnings + pixel->warnings, "");
    auto program = device_->CreateProgram(vertex->glsl, pixel->glsl, &errors);
    ASSERT_TRUE(program) << errors << "\n" << vertex->glsl << "\n" << pixel->glsl;
    device_->SetProgram(program);
    vertex_ = std::move(vertex->constants);
    pixel_ = std::move(pixel->constants);
    if (const auto proj = vertex_.Find("Proj")) {
      // The renderer's orthographic projection for a row vector: pixels to
      // clip space, y down.
      const float w = kWidth, h = kHeight;
      const float ortho[16] = {2 / w, 0, 0, 0, 0, -2 / h, 0, 0, 0, 0, 1, 0, -1, 1, 0, 1};
      ASSERT_EQ(vertex_.SetMatrix(*device_, *proj, ortho), DeviceResult::kOk);
    }
  }

  template <typename Vertex>
  void Draw(std::uint32_t fvf, const std::vector<Vertex>& vertices) {
    const std::size_t bytes = vertices.size() * sizeof(Vertex);
    auto buffer = device_->CreateBuffer(BufferKind::kVertex, bytes);
    std::memcpy(buffer->Lock(), vertices.data(), bytes);
    ASSERT_TRUE(buffer->Unlock());
    ASSERT_EQ(device_->SetVertexLayout(fvf), DeviceResult::kOk);
    ASSERT_EQ(device_->SetStreamSource(buffer, sizeof(Vertex)), DeviceResult::kOk);
    ASSERT_EQ(device_->DrawPrimitive(PrimitiveType::kTriangleList, 0, static_cast<int>(vertices.size() / 3)),
              DeviceResult::kOk);
  }

  // Red, green / blue, half-transparent white, through the table's sampler.
  void BindTexture() {
    const std::uint32_t texels[] = {kRed, kGreen, kBlue, kHalfWhite};
    auto texture = device_->CreateTexture(2, 2, 1, TextureFormat::kArgb8);
    LockedLevel locked;
    ASSERT_TRUE(texture->Lock(0, &locked));
    for (int row = 0; row < 2; ++row) {
      std::memcpy(static_cast<std::uint8_t*>(locked.bits) + row * locked.pitch, texels + row * 2, 8);
    }
    ASSERT_TRUE(texture->Unlock(0));
    ASSERT_TRUE(
        device_->GetSamplers().SetFilters(0, TextureFilter::kPoint, TextureFilter::kPoint, TextureFilter::kNone));
    const auto sampler = pixel_.Find("TextureSampler");
    ASSERT_TRUE(sampler);
    ASSERT_EQ(pixel_.SetTexture(*device_, *sampler, texture), DeviceResult::kOk);
  }

  std::vector<std::uint32_t> Read(PixelRect rect) { return device_->ReadPixels(rect); }

  NativeWindow window_;
  std::unique_ptr<GraphicsDevice> device_;
  ShaderConstantTable vertex_;
  ShaderConstantTable pixel_;
};

TEST_F(ShaderCompilerDrawTest, GeomDrawsItsVertexColourWhereTheProjectionPutsIt) {
  ASSERT_NO_FATAL_FAILURE(Use(render::kVertexShaderGeomText, render::kPixelShaderGeomText));
  const auto proj = vertex_.Find("Proj");
  ASSERT_TRUE(proj);
  EXPECT_EQ(vertex_.Get(*proj)->registerIndex, 0);
  EXPECT_EQ(vertex_.Get(*proj)->registerCount, 4);
  Draw(kColorVertexFvf, ColorQuad({4, 3, 6, 5}, 0xFF20C040));
  EXPECT_EQ(Read({3, 3, 7, 4}), (std::vector<std::uint32_t>{kBlack, 0xFF20C040, 0xFF20C040, kBlack}));
  EXPECT_EQ(Read({4, 2, 5, 6}), (std::vector<std::uint32_t>{kBlack, 0xFF20C040, 0xFF20C040, kBlack}));
}

TEST_F(ShaderCompilerDrawTest, TexturedShadersCombineTextureAndVertexColours) {
  struct Case {
    const char* name;
    const char* vertexText;
    const char* pixelText;
    std::uint32_t diffuse, specular;
    std::vector<std::uint32_t> expected;
  };
  // The tint weights are in the specular's green (vertex colour) and blue
  // (texture colour); alpha is always texture times vertex.
  const Case cases[] = {
      {"mult", render::kVertexShaderTexturedMultText, render::kPixelShaderTexturedMultText, 0xFF80FFFF, 0, {0xFF800000, kGreen, kBlue, 0x8080FFFF}},
      {"tint to vertex colour",
       render::kVertexShaderTexturedTintText,
       render::kPixelShaderTexturedTintText,
       0xFFFF00FF,
       0xFF00FF00,
       {0xFFFF00FF, 0xFFFF00FF, 0xFFFF00FF, 0x80FF00FF}},
      {"tint to texture",
       render::kVertexShaderTexturedTintText,
       render::kPixelShaderTexturedTintText,
       0xFFFF00FF,
       0xFF0000FF,
       {kRed, kGreen, kBlue, kHalfWhite}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_NO_FATAL_FAILURE(Use(c.vertexText, c.pixelText));
    ASSERT_NO_FATAL_FAILURE(BindTexture());
    EXPECT_EQ(pixel_.Get(*pixel_.Find("TextureSampler"))->registerIndex, 0);
    ASSERT_EQ(device_->Clear(kClearTarget, kBlack, 1.0f, 0), DeviceResult::kOk);
    Draw(kTexturedVertexFvf, Quad({10, 10, 12, 12}, c.diffuse, c.specular));
    EXPECT_EQ(Read({10, 10, 12, 12}), c.expected);
  }
}

// A float in the last component of a register keeps the float3 before it.
TEST_F(ShaderCompilerDrawTest, FloatSharingARegisterKeepsItsNeighbour) {
  const char* pixelText =
      "float3 tint;\nfloat alpha;\n"
      "float4 pixel_shader() : COLOR0 { return float4(tint, alpha); }\n";
  ASSERT_NO_FATAL_FAILURE(Use(render::kVertexShaderGeomText, pixelText));
  const auto tint = pixel_.Find("tint"), alpha = pixel_.Find("alpha");
  ASSERT_TRUE(tint && alpha);
  EXPECT_EQ(pixel_.Get(*alpha)->registerIndex, pixel_.Get(*tint)->registerIndex);
  const float magenta[4] = {1, 0, 1, 0};
  ASSERT_EQ(pixel_.SetFloat(*device_, *alpha, 0.5f), DeviceResult::kOk);
  ASSERT_EQ(pixel_.SetVector(*device_, *tint, magenta), DeviceResult::kOk);
  Draw(kColorVertexFvf, ColorQuad({0, 0, 1, 1}, kBlack));
  EXPECT_EQ(Read({0, 0, 1, 1}).at(0), 0x80FF00FF);
  ASSERT_EQ(pixel_.SetFloat(*device_, *alpha, 1.0f), DeviceResult::kOk);
  Draw(kColorVertexFvf, ColorQuad({0, 0, 1, 1}, kBlack));
  EXPECT_EQ(Read({0, 0, 1, 1}).at(0), 0xFFFF00FF);
}

// Outputs as parameters, semantics in any case and without index, a
// row_major projection, and an early return that must still reach the
// position fix-up.
TEST_F(ShaderCompilerDrawTest, ParameterOutputsLinkBySemantic) {
  const char* vertexText = R"(
row_major float4x4 Proj;
void vertex_shader(float3 pos : POSITION, float4 color : color, out float4 oPos : position, out float4 oColor : COLOR0) {
  oPos = mul(float4(pos, 1), Proj);
  oColor = color;
  if (color.r > 0.5) return;
  oColor = float4(0, 0, 1, 1);
}
)";
  const char* pixelText = "float4 pixel_shader(float4 c : Color0) : color { return c; }\n";
  ASSERT_NO_FATAL_FAILURE(Use(vertexText, pixelText));
  std::vector<ColorVertex> quads = ColorQuad({1, 1, 2, 2}, kRed);
  for (const ColorVertex& v : ColorQuad({3, 1, 4, 2}, kGreen)) quads.push_back(v);
  Draw(kColorVertexFvf, quads);
  EXPECT_EQ(Read({0, 1, 5, 2}), (std::vector<std::uint32_t>{kBlack, kRed, kBlack, kBlue, kBlack}));
}

}  // namespace
