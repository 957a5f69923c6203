float1 a;
float4x4 m;
float4 vertex_shader(float4 pos : POSITION) : POSITION {
  return mul(a, m);
}
