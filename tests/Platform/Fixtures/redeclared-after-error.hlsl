float4x4 Proj;
 float4 coloat4x4 Proj; 
