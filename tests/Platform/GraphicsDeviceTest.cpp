#include "Platform/GraphicsDevice.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/NativeWindow.h"
#include "Platform/Session.h"
#include "tests/Support/GraphicsDriver.h"

namespace {

using namespace platform;

// The renderer's textured vertex: x y z w, diffuse, specular, u v.
struct Vertex {
  float x, y, z, w;
  std::uint32_t diffuse, specular;
  float u, v;
};
constexpr std::uint32_t kVertexFvf = 0x41C2;

constexpr std::uint32_t kBlack = 0xFF000000;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;

// Shaders as the HLSL translator writes them: the projection in vertex
// registers 0-3, transposed for a row vector, as D3DX uploads it.
std::string VertexSource() {
  return std::string(
             "#version 330 core\n"
             "layout(location = 0) in vec4 lf_Position;\n"
             "layout(location = 2) in vec4 lf_Diffuse;\n"
             "layout(location = 4) in vec2 lf_TexCoord0;\n"
             "uniform vec4 lf_VertexConstants[4];\n") +
         kPositionFixupDeclaration +
         "out vec4 color;\n"
         "out vec2 uv;\n"
         "void main() {\n"
         "  gl_Position = vec4(dot(lf_Position, lf_VertexConstants[0]), dot(lf_Position, lf_VertexConstants[1]),\n"
         "                     dot(lf_Position, lf_VertexConstants[2]), dot(lf_Position, lf_VertexConstants[3]));\n"
         "  color = lf_Diffuse;\n"
         "  uv = lf_TexCoord0;\n" +
         kPositionFixupStatement + "}\n";
}

std::string PixelSource(const char* body) {
  return std::string(
             "#version 330 core\n"
             "in vec4 color;\n"
             "in vec2 uv;\n"
             "uniform sampler2D lf_Sampler0;\n"
             "uniform vec4 lf_PixelConstants[3];\n"
             "out vec4 lf_Color;\n"
             "void main() { lf_Color = ") +
         body + "; }\n";
}

// Two triangles over the pixels of rect, corners moved by -0.5 as the drawing
// code does for Direct3D 9. Clockwise on screen unless asked otherwise.
void AddQuad(std::vector<Vertex>* out, PixelRect rect, std::uint32_t color, float z = 0.0f, bool clockwise = true) {
  const float l = static_cast<float>(rect.left) - 0.5f, r = static_cast<float>(rect.right) - 0.5f;
  const float t = static_cast<float>(rect.top) - 0.5f, b = static_cast<float>(rect.bottom) - 0.5f;
  const Vertex tl{l, t, z, 1, color, 0, 0, 0}, tr{r, t, z, 1, color, 0, 1, 0};
  const Vertex bl{l, b, z, 1, color, 0, 0, 1}, br{r, b, z, 1, color, 0, 1, 1};
  if (clockwise) {
    out->insert(out->end(), {tl, tr, bl, bl, tr, br});
  } else {
    out->insert(out->end(), {tl, bl, tr, bl, br, tr});
  }
}

struct Fill {
  PixelRect rect;
  std::uint32_t color;
};

std::vector<std::uint32_t> Picture(int width, int height, std::uint32_t background, std::vector<Fill> fills = {}) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height), background);
  for (const Fill& fill : fills) {
    for (int y = fill.rect.top; y < fill.rect.bottom; ++y) {
      for (int x = fill.rect.left; x < fill.rect.right; ++x)
        pixels[static_cast<std::size_t>(y * width + x)] = fill.color;
    }
  }
  return pixels;
}

::testing::AssertionResult SamePicture(const std::vector<std::uint32_t>& actual,
                                       const std::vector<std::uint32_t>& expected, int width) {
  if (actual.size() != expected.size()) return ::testing::AssertionFailure() << "read " << actual.size() << " pixels";
  for (std::size_t i = 0; i < actual.size(); ++i) {
    if (actual[i] != expected[i]) {
      return ::testing::AssertionFailure() << "pixel (" << i % width << "," << i / width << ") is " << std::hex
                                           << actual[i] << ", expected " << expected[i];
    }
  }
  return ::testing::AssertionSuccess();
}

class GraphicsDeviceTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 32;
  static constexpr int kHeight = 24;

  void SetUp() override {
    ASSERT_TRUE(window_.Create("graphics device test", 0, 0, kWidth, kHeight, true));
    device_ = GraphicsDevice::Create(window_.GetHandle(), {kWidth, kHeight, true});
    ASSERT_TRUE(device_);
    testing_support::KeepGraphicsDriverLoaded();
    solid_ = MakeProgram("color");
    textured_ = MakeProgram("color * texture(lf_Sampler0, uv)");
    ASSERT_TRUE(solid_ && textured_);
    Use(solid_, kWidth, kHeight);
    ASSERT_EQ(device_->Clear(kClearTarget | kClearDepth, kBlack, 1.0f, 0), DeviceResult::kOk);
  }

  void TearDown() override {
    OverrideDeviceCaps(std::nullopt);
    solid_.reset();
    textured_.reset();
    device_.reset();
    window_.Destroy();
    Shutdown();
  }

  std::shared_ptr<GraphicsProgram> MakeProgram(const char* pixelBody) {
    std::string errors;
    auto program = device_->CreateProgram(VertexSource(), PixelSource(pixelBody), &errors);
    EXPECT_TRUE(program) << errors;
    return program;
  }

  // The program, with the renderer's orthographic projection for a target of that size.
  void Use(const std::shared_ptr<GraphicsProgram>& program, int width, int height) {
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    const float projection[16] = {2 / w, 0, 0, -1, 0, -2 / h, 0, 1, 0, 0, 1, 0, 0, 0, 0, 1};
    device_->SetProgram(program);
    ASSERT_EQ(device_->SetShaderConstants(ShaderStage::kVertex, 0, projection, 4), DeviceResult::kOk);
  }

  std::shared_ptr<GraphicsBuffer> MakeVertices(const std::vector<Vertex>& vertices) {
    auto buffer = device_->CreateBuffer(BufferKind::kVertex, vertices.size() * sizeof(Vertex));
    std::memcpy(buffer->Lock(), vertices.data(), vertices.size() * sizeof(Vertex));
    EXPECT_TRUE(buffer->Unlock());
    return buffer;
  }

  // A triangle list of all the vertices.
  void Draw(const std::vector<Vertex>& vertices) {
    ASSERT_EQ(device_->SetVertexLayout(kVertexFvf), DeviceResult::kOk);
    ASSERT_EQ(device_->SetStreamSource(MakeVertices(vertices), sizeof(Vertex)), DeviceResult::kOk);
    ASSERT_EQ(device_->DrawPrimitive(PrimitiveType::kTriangleList, 0, static_cast<int>(vertices.size() / 3)),
              DeviceResult::kOk);
  }

  std::shared_ptr<GraphicsTexture> MakeTexture(int width, int height, int levels, TextureFormat format,
                                               const std::vector<std::uint8_t>& level0) {
    auto texture = device_->CreateTexture(width, height, levels, format);
    LockedLevel locked;
    EXPECT_TRUE(texture->Lock(0, &locked));
    std::memcpy(locked.bits, level0.data(), level0.size());
    EXPECT_TRUE(texture->Unlock(0));
    return texture;
  }

  std::vector<std::uint32_t> ReadAll(int width = kWidth, int height = kHeight) {
    return device_->ReadPixels({0, 0, width, height});
  }

  NativeWindow window_;
  std::unique_ptr<GraphicsDevice> device_;
  std::shared_ptr<GraphicsProgram> solid_;
  std::shared_ptr<GraphicsProgram> textured_;
};

TEST_F(GraphicsDeviceTest, ClearReadsBackExactly) {
  // The renderer's packing of (1, 0.5, 0, 1).
  ASSERT_EQ(device_->Clear(kClearTarget, 0xFFFF7F00, 1.0f, 0), DeviceResult::kOk);
  EXPECT_TRUE(SamePicture(ReadAll(), Picture(kWidth, kHeight, 0xFFFF7F00), kWidth));
}

TEST_F(GraphicsDeviceTest, OnePixelQuadCoversExactlyItsPixelTopRowFirst) {
  struct Case {
    const char* target;
    int width, height;
  };
  for (const Case c : {Case{"back buffer", kWidth, kHeight}, Case{"render target", 16, 8}}) {
    SCOPED_TRACE(c.target);
    if (c.width != kWidth) {
      ASSERT_EQ(device_->SetRenderTarget(device_->CreateRenderTarget(c.width, c.height)), DeviceResult::kOk);
    }
    Use(solid_, c.width, c.height);
    ASSERT_EQ(device_->Clear(kClearTarget, kBlack, 1.0f, 0), DeviceResult::kOk);
    std::vector<Vertex> quad;
    AddQuad(&quad, {12, 3, 13, 4}, kWhite);
    Draw(quad);
    EXPECT_TRUE(SamePicture(ReadAll(c.width, c.height), Picture(c.width, c.height, kBlack, {{{12, 3, 13, 4}, kWhite}}),
                            c.width));
  }
}

TEST_F(GraphicsDeviceTest, BlendModes) {
  struct Case {
    const char* name;
    bool blend;
    BlendFactor source, destination;
    std::uint32_t expected;
  };
  // Half-transparent red over blue with alpha 64; alpha always adds up.
  const Case cases[] = {
      {"opaque", false, BlendFactor::kOne, BlendFactor::kZero, 0x80FF0000},
      {"alpha", true, BlendFactor::kSourceAlpha, BlendFactor::kInverseSourceAlpha, 0xC0800064},
      {"additive", true, BlendFactor::kSourceAlpha, BlendFactor::kOne, 0xC08000C8},
  };
  GraphicsRenderStates& states = device_->GetRenderStates();
  states.SetSeparateAlphaBlendEnable(true);
  states.SetAlphaBlendFactors(BlendFactor::kOne, BlendFactor::kOne);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(device_->Clear(kClearTarget, 0x400000C8, 1.0f, 0), DeviceResult::kOk);
    states.SetAlphaBlendEnable(c.blend);
    states.SetBlendFactors(c.source, c.destination);
    std::vector<Vertex> quad;
    AddQuad(&quad, {0, 0, 2, 2}, 0x80FF0000);
    Draw(quad);
    const std::uint32_t actual = device_->ReadPixels({1, 1, 2, 2}).at(0);
    for (int shift = 0; shift < 32; shift += 8) {
      EXPECT_NEAR((actual >> shift) & 0xFF, (c.expected >> shift) & 0xFF, 1) << std::hex << actual;
    }
  }
}

TEST_F(GraphicsDeviceTest, ScissorClipsDrawsAndClears) {
  const PixelRect scissor{4, 2, 9, 6};
  GraphicsRenderStates& states = device_->GetRenderStates();
  states.SetScissorRect(scissor);
  states.SetScissorEnable(true);
  std::vector<Vertex> everything;
  AddQuad(&everything, {0, 0, kWidth, kHeight}, kWhite);
  Draw(everything);
  EXPECT_TRUE(SamePicture(ReadAll(), Picture(kWidth, kHeight, kBlack, {{scissor, kWhite}}), kWidth));
  ASSERT_EQ(device_->Clear(kClearTarget, kRed, 1.0f, 0), DeviceResult::kOk);
  EXPECT_TRUE(SamePicture(ReadAll(), Picture(kWidth, kHeight, kBlack, {{scissor, kRed}}), kWidth));
}

TEST_F(GraphicsDeviceTest, CullModeDropsTheNamedWinding) {
  struct Case {
    CullMode mode;
    bool clockwiseShown, counterClockwiseShown;
  };
  const PixelRect left{0, 0, 4, 4}, right{8, 0, 12, 4};
  for (const Case c : {Case{CullMode::kNone, true, true}, Case{CullMode::kCounterClockwise, true, false},
                       Case{CullMode::kClockwise, false, true}}) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    ASSERT_EQ(device_->Clear(kClearTarget, kBlack, 1.0f, 0), DeviceResult::kOk);
    device_->GetRenderStates().SetCullMode(c.mode);
    std::vector<Vertex> quads;
    AddQuad(&quads, left, kWhite, 0, true);
    AddQuad(&quads, right, kWhite, 0, false);
    Draw(quads);
    EXPECT_EQ(device_->ReadPixels({1, 1, 2, 2}).at(0), c.clockwiseShown ? kWhite : kBlack);
    EXPECT_EQ(device_->ReadPixels({9, 1, 10, 2}).at(0), c.counterClockwiseShown ? kWhite : kBlack);
  }
}

TEST_F(GraphicsDeviceTest, DepthTestTakesDirect3DDepths) {
  struct Case {
    bool enabled;
    float z;
    bool shown;
  };
  // Cleared to 0.5, whatever the write state; the test passes at less or equal.
  device_->GetRenderStates().SetDepthWrite(false);
  for (const Case c : {Case{true, 0.25f, true}, Case{true, 0.75f, false}, Case{false, 0.75f, true}}) {
    SCOPED_TRACE(c.z);
    ASSERT_EQ(device_->Clear(kClearTarget | kClearDepth, kBlack, 0.5f, 0), DeviceResult::kOk);
    device_->GetRenderStates().SetDepthEnable(c.enabled);
    std::vector<Vertex> quad;
    AddQuad(&quad, {0, 0, 2, 2}, kWhite, c.z);
    Draw(quad);
    EXPECT_EQ(device_->ReadPixels({0, 0, 1, 1}).at(0), c.shown ? kWhite : kBlack);
  }
}

TEST_F(GraphicsDeviceTest, DrawsQuadsFromTheMiddleOfABuffer) {
  const Fill quads[] = {{{2, 3, 6, 7}, kRed}, {{8, 3, 12, 7}, kGreen}, {{14, 3, 18, 7}, kBlue}};
  const std::vector<std::uint32_t> expected = Picture(kWidth, kHeight, kBlack, {quads[0], quads[1], quads[2]});
  // A quad over everything comes first in the buffer, and must not be drawn.
  std::vector<Vertex> vertices;
  AddQuad(&vertices, {0, 0, kWidth, kHeight}, kWhite);
  for (const Fill& quad : quads) AddQuad(&vertices, quad.rect, quad.color);
  ASSERT_EQ(device_->SetVertexLayout(kVertexFvf), DeviceResult::kOk);
  ASSERT_EQ(device_->SetStreamSource(MakeVertices(vertices), sizeof(Vertex)), DeviceResult::kOk);
  ASSERT_EQ(device_->DrawPrimitive(PrimitiveType::kTriangleList, 6, 6), DeviceResult::kOk);
  EXPECT_TRUE(SamePicture(ReadAll(), expected, kWidth));

  struct Case {
    BufferKind kind;
    int baseVertex;
  };
  for (const Case c : {Case{BufferKind::kIndex16, 0}, Case{BufferKind::kIndex32, 0}, Case{BufferKind::kIndex16, 4}}) {
    SCOPED_TRACE(static_cast<int>(c.kind) * 10 + c.baseVertex);
    ASSERT_EQ(device_->Clear(kClearTarget, kBlack, 1.0f, 0), DeviceResult::kOk);
    // Four corners per quad, the covering quad first; six indices per quad.
    std::vector<Vertex> corners;
    for (std::size_t quad = 0; quad < vertices.size() / 6; ++quad) {
      const Vertex* v = &vertices[quad * 6];
      corners.insert(corners.end(), {v[0], v[1], v[2], v[5]});
    }
    std::vector<std::uint32_t> indices;
    for (std::uint32_t quad = 0; quad < corners.size() / 4; ++quad) {
      for (const std::uint32_t corner : {0u, 1u, 2u, 2u, 1u, 3u}) indices.push_back(quad * 4 + corner - c.baseVertex);
    }
    const int indexSize = c.kind == BufferKind::kIndex16 ? 2 : 4;
    auto buffer = device_->CreateBuffer(c.kind, indices.size() * static_cast<std::size_t>(indexSize));
    auto* bytes = static_cast<std::uint8_t*>(buffer->Lock());
    for (std::size_t i = 0; i < indices.size(); ++i) {
      const std::uint16_t narrow = static_cast<std::uint16_t>(indices[i]);
      std::memcpy(bytes + i * static_cast<std::size_t>(indexSize),
                  indexSize == 2 ? static_cast<const void*>(&narrow) : &indices[i],
                  static_cast<std::size_t>(indexSize));
    }
    ASSERT_TRUE(buffer->Unlock());
    ASSERT_EQ(device_->SetStreamSource(MakeVertices(corners), sizeof(Vertex)), DeviceResult::kOk);
    ASSERT_EQ(device_->SetIndices(buffer), DeviceResult::kOk);
    ASSERT_EQ(device_->DrawIndexedPrimitive(PrimitiveType::kTriangleList, c.baseVertex, 4 - c.baseVertex, 12, 6, 6),
              DeviceResult::kOk);
    EXPECT_TRUE(SamePicture(ReadAll(), expected, kWidth));
  }
}

TEST_F(GraphicsDeviceTest, RefusesDrawsItCannotMake) {
  std::vector<Vertex> quad;
  AddQuad(&quad, {0, 0, 1, 1}, kWhite);
  auto vertices = MakeVertices(quad);
  ASSERT_EQ(device_->SetVertexLayout(kVertexFvf), DeviceResult::kOk);
  ASSERT_EQ(device_->SetStreamSource(vertices, sizeof(Vertex)), DeviceResult::kOk);
  EXPECT_EQ(device_->DrawPrimitive(PrimitiveType::kTriangleList, 1, 2), DeviceResult::kInvalidCall);
  EXPECT_EQ(device_->DrawIndexedPrimitive(PrimitiveType::kTriangleList, 0, 0, 6, 0, 2), DeviceResult::kInvalidCall);
  vertices->Lock();
  EXPECT_EQ(device_->DrawPrimitive(PrimitiveType::kTriangleList, 0, 2), DeviceResult::kInvalidCall);
  EXPECT_EQ(device_->SetVertexLayout(0x44), DeviceResult::kInvalidCall);
  EXPECT_EQ(device_->SetStreamSource(device_->CreateBuffer(BufferKind::kIndex16, 12), 2), DeviceResult::kInvalidCall);
}

TEST_F(GraphicsDeviceTest, ConstantsAreDeviceStateByRegister) {
  auto fromConstant = MakeProgram("lf_PixelConstants[2]");
  const float green[4] = {0, 1, 0, 1}, blue[4] = {0, 0, 1, 1};
  ASSERT_EQ(device_->SetShaderConstants(ShaderStage::kPixel, 2, green, 1), DeviceResult::kOk);
  std::vector<Vertex> first, second, third;
  AddQuad(&first, {0, 0, 1, 1}, kWhite);
  AddQuad(&second, {1, 0, 2, 1}, kWhite);
  AddQuad(&third, {2, 0, 3, 1}, kWhite);
  Use(fromConstant, kWidth, kHeight);
  Draw(first);
  // Set while another program is in use, it still reaches this one.
  Use(solid_, kWidth, kHeight);
  ASSERT_EQ(device_->SetShaderConstants(ShaderStage::kPixel, 2, blue, 1), DeviceResult::kOk);
  Draw(second);
  Use(fromConstant, kWidth, kHeight);
  Draw(third);
  EXPECT_EQ(device_->ReadPixels({0, 0, 3, 1}), (std::vector<std::uint32_t>{kGreen, kWhite, kBlue}));
  EXPECT_EQ(device_->SetShaderConstants(ShaderStage::kPixel, 255, green, 2), DeviceResult::kInvalidCall);
}

TEST_F(GraphicsDeviceTest, ProgramsReportWhyTheyDoNotBuild) {
  std::string errors;
  EXPECT_FALSE(device_->CreateProgram(VertexSource(), PixelSource("undefined_name"), &errors));
  EXPECT_NE(errors.find("pixel shader"), std::string::npos) << errors;
  const std::string withoutFixup =
      "#version 330 core\nlayout(location = 0) in vec4 p;\nvoid main() { gl_Position = p; }\n";
  EXPECT_FALSE(device_->CreateProgram(withoutFixup, PixelSource("vec4(1.0)"), &errors));
  EXPECT_NE(errors.find("fix-up"), std::string::npos) << errors;
}

TEST_F(GraphicsDeviceTest, SamplesAnArgbTextureFromItsFirstRow) {
  // Two levels, only the first written: a mip filter must still see it.
  const std::uint32_t texels[] = {kRed, kGreen, kBlue, 0x80FFFFFF};
  std::vector<std::uint8_t> bytes(sizeof(texels));
  std::memcpy(bytes.data(), texels, sizeof(texels));
  ASSERT_EQ(device_->SetTexture(0, MakeTexture(2, 2, 2, TextureFormat::kArgb8, bytes)), DeviceResult::kOk);
  ASSERT_TRUE(
      device_->GetSamplers().SetFilters(0, TextureFilter::kLinear, TextureFilter::kLinear, TextureFilter::kLinear));
  ASSERT_TRUE(device_->GetSamplers().SetAddress(0, TextureAddress::kClamp, TextureAddress::kClamp));
  Use(textured_, kWidth, kHeight);
  std::vector<Vertex> quad;
  AddQuad(&quad, {10, 10, 12, 12}, kWhite);
  Draw(quad);
  EXPECT_EQ(device_->ReadPixels({10, 10, 12, 12}), (std::vector<std::uint32_t>{kRed, kGreen, kBlue, 0x80FFFFFF}));
}

TEST_F(GraphicsDeviceTest, SamplesCompressedBlocks) {
  // Colour 0 red, colour 1 blue; texel row 1 takes colour 1, the others colour 0.
  const std::vector<std::uint8_t> colorBlock = {0x00, 0xF8, 0x1F, 0x00, 0x00, 0x55, 0x00, 0x00};
  const std::vector<std::uint8_t> opaqueDxt3(8, 0xFF);
  const std::vector<std::uint8_t> opaqueDxt5 = {0xFF, 0x00, 0, 0, 0, 0, 0, 0};
  struct Case {
    TextureFormat format;
    std::vector<std::uint8_t> alpha;
  };
  const Case cases[] = {
      {TextureFormat::kDxt1, {}}, {TextureFormat::kDxt3, opaqueDxt3}, {TextureFormat::kDxt5, opaqueDxt5}};
  Use(textured_, kWidth, kHeight);
  // Three levels, only the first written: a mip filter must still see it.
  ASSERT_TRUE(
      device_->GetSamplers().SetFilters(0, TextureFilter::kLinear, TextureFilter::kLinear, TextureFilter::kLinear));
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.format));
    std::vector<std::uint8_t> block = c.alpha;
    block.insert(block.end(), colorBlock.begin(), colorBlock.end());
    ASSERT_EQ(device_->SetTexture(0, MakeTexture(4, 4, 3, c.format, block)), DeviceResult::kOk);
    std::vector<Vertex> quad;
    AddQuad(&quad, {0, 0, 4, 4}, kWhite);
    Draw(quad);
    EXPECT_TRUE(SamePicture(ReadAll(4, 4), Picture(4, 4, kRed, {{{0, 1, 4, 2}, kBlue}}), 4));
  }
}

TEST_F(GraphicsDeviceTest, RenderTargetIsSampledTopRowFirst) {
  auto target = device_->CreateRenderTarget(4, 4);
  ASSERT_TRUE(target);
  LockedLevel locked;
  EXPECT_FALSE(target->Lock(0, &locked));
  ASSERT_EQ(device_->SetRenderTarget(target), DeviceResult::kOk);
  Use(solid_, 4, 4);
  std::vector<Vertex> halves;
  AddQuad(&halves, {0, 0, 4, 2}, kRed);
  AddQuad(&halves, {0, 2, 4, 4}, kBlue);
  Draw(halves);
  ASSERT_EQ(device_->SetRenderTarget(nullptr), DeviceResult::kOk);
  ASSERT_EQ(device_->SetTexture(0, target), DeviceResult::kOk);
  Use(textured_, kWidth, kHeight);
  std::vector<Vertex> quad;
  AddQuad(&quad, {0, 0, 4, 4}, kWhite);
  Draw(quad);
  EXPECT_TRUE(SamePicture(ReadAll(4, 4), Picture(4, 4, kRed, {{{0, 2, 4, 4}, kBlue}}), 4));
}

TEST_F(GraphicsDeviceTest, TextureLocksOneWholeLevelAtATime) {
  auto texture = device_->CreateTexture(8, 4, 4, TextureFormat::kDxt5);
  ASSERT_TRUE(texture);
  LockedLevel locked;
  ASSERT_TRUE(texture->Lock(1, &locked));
  EXPECT_EQ(locked.pitch, 16);
  EXPECT_FALSE(texture->Lock(0, &locked));
  EXPECT_FALSE(texture->Unlock(0));
  EXPECT_TRUE(texture->Unlock(1));
  EXPECT_FALSE(texture->Lock(4, &locked));
  EXPECT_FALSE(device_->CreateTexture(8, 4, 5, TextureFormat::kArgb8));
}

TEST_F(GraphicsDeviceTest, SimulatedLossResetsAndDrawsAgain) {
  std::vector<Vertex> quad;
  AddQuad(&quad, {1, 1, 2, 2}, kWhite);
  auto vertices = MakeVertices(quad);
  device_->SimulateDeviceLoss(1);
  EXPECT_EQ(device_->Present(), DeviceResult::kDeviceLost);
  EXPECT_EQ(device_->TestCooperativeLevel(), DeviceResult::kDeviceLost);
  EXPECT_EQ(device_->TestCooperativeLevel(), DeviceResult::kDeviceNotReset);
  EXPECT_EQ(device_->Reset({20, 10, true}), DeviceResult::kOutOfVideoMemory);
  EXPECT_EQ(device_->TestCooperativeLevel(), DeviceResult::kDeviceNotReset);
  ASSERT_EQ(device_->Reset({20, 10, true}), DeviceResult::kOk);
  EXPECT_EQ(device_->TestCooperativeLevel(), DeviceResult::kOk);

  // States are back at their defaults; objects made before are still good.
  Use(solid_, 20, 10);
  ASSERT_EQ(device_->SetVertexLayout(kVertexFvf), DeviceResult::kOk);
  ASSERT_EQ(device_->SetStreamSource(vertices, sizeof(Vertex)), DeviceResult::kOk);
  ASSERT_EQ(device_->Clear(kClearTarget | kClearDepth, kBlack, 1.0f, 0), DeviceResult::kOk);
  ASSERT_EQ(device_->DrawPrimitive(PrimitiveType::kTriangleList, 0, 2), DeviceResult::kOk);
  EXPECT_TRUE(SamePicture(ReadAll(20, 10), Picture(20, 10, kBlack, {{{1, 1, 2, 2}, kWhite}}), 20));
  EXPECT_TRUE(device_->ReadPixels({0, 0, 21, 10}).empty());
  EXPECT_EQ(device_->Present(), DeviceResult::kOk);
}

}  // namespace
