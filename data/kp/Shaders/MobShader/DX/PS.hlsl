// The enemies' pixel shader: the texture times the vertex colour, tinted by
// color2, the unit's fill colour. White leaves the unit as drawn; the
// sheets' elder units are tinted warm (ffffb070).
float4 color2;
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
  float4 base = Input.Color * tex2D(TextureSampler, Input.TuTv);
  vColorOut = base * color2;
}
