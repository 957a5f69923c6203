// The enemies' pixel shader. The texture times the vertex colour is moved
// towards color2.rgb by color2.a: alpha 0 leaves the enemy as drawn, alpha 1
// paints it wholly in color2 (a hit flash), values between tint it. The
// enemy's own alpha is kept, so its outline never changes.
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
  vColorOut.rgb = lerp(base.rgb, color2.rgb, color2.a);
  vColorOut.a = base.a;
}
