#pragma once

namespace render {

// The three shader pairs every frame is drawn with: Geom for untextured
// geometry, TexturedMult and TexturedTint for images and text.

inline constexpr const char* kVertexShaderGeomText = R"(
float4x4 Proj;
struct VS_INPUT {
  float3 pos : POSITION;
  float4 color : COLOR0;
};
struct VS_OUTPUT {
  float4 Pos : POSITION;
  float4 Color : COLOR0;
};
void vertex_shader(VS_INPUT In, out VS_OUTPUT Out) {
  Out.Pos = mul(float4(In.pos, 1), Proj);
  Out.Color = In.color;
}
)";

inline constexpr const char* kPixelShaderGeomText = R"(
struct PS_INPUT {
  float4 Pos : POSITION;
  float4 Color : COLOR0;
};
void pixel_shader(PS_INPUT Input, out float4 vColorOut : COLOR0) {
  vColorOut = Input.Color;
}
)";

inline constexpr const char* kVertexShaderTexturedMultText = R"(
float4x4 Proj;
struct VS_INPUT {
  float4 pos : POSITION;
  float4 color : COLOR0;
  float4 colorSpec : COLOR1;
  float2 TuTv : TEXCOORD0;
};
struct VS_OUTPUT {
  float4 Pos : POSITION;
  float4 Color : COLOR0;
  float2 TuTv : TEXCOORD0;
};
void vertex_shader(VS_INPUT In, out VS_OUTPUT Out) {
  Out.Pos = mul(In.pos, Proj);
  Out.Color = In.color;
  Out.TuTv = In.TuTv;
}
)";

inline constexpr const char* kPixelShaderTexturedMultText = R"(
texture g_MeshTexture;
sampler TextureSampler = sampler_state {
  Texture = <g_MeshTexture>;
  MipFilter = LINEAR;
  MinFilter = LINEAR;
  MagFilter = LINEAR;
};
struct PS_INPUT {
  float4 Color : COLOR0;
  float2 TuTv : TEXCOORD0;
};
void pixel_shader(PS_INPUT Input, out float4 vColorOut : COLOR0) {
  vColorOut = Input.Color * tex2D(TextureSampler, Input.TuTv);
}
)";

inline constexpr const char* kVertexShaderTexturedTintText = R"(
float4x4 Proj;
struct VS_INPUT {
  float4 pos : POSITION;
  float4 color : COLOR0;
  float4 colorSpec : COLOR1;
  float2 TuTv : TEXCOORD0;
};
struct VS_OUTPUT {
  float4 Pos : POSITION;
  float4 Color : COLOR0;
  float2 TuTv : TEXCOORD0;
  float2 Tint : TEXCOORD1;
};
void vertex_shader(VS_INPUT In, out VS_OUTPUT Out) {
  Out.Pos = mul(In.pos, Proj);
  Out.Color = In.color;
  Out.TuTv = In.TuTv;
  Out.Tint.xy = In.colorSpec.gb;
}
)";

// The specular colour's green and blue weigh the texture against the vertex
// colour; alpha is always texture times vertex alpha.
inline constexpr const char* kPixelShaderTexturedTintText = R"(
texture g_MeshTexture;
sampler TextureSampler = sampler_state {
  Texture = <g_MeshTexture>;
  MipFilter = LINEAR;
  MinFilter = LINEAR;
  MagFilter = LINEAR;
};
struct PS_INPUT {
  float4 Color : COLOR0;
  float2 TuTv : TEXCOORD0;
  float2 Tint : TEXCOORD1;
};
void pixel_shader(PS_INPUT Input, out float4 vColorOut : COLOR0) {
  float4 t = tex2D(TextureSampler, Input.TuTv);
  vColorOut.rgb = t.rgb * Input.Tint.y + Input.Color.rgb * Input.Tint.x;
  vColorOut.a = t.a * Input.Color.a;
}
)";

}  // namespace render
