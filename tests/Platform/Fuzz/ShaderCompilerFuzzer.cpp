// libFuzzer entry for shader sources: the input is compiled as the vertex and
// as the pixel stage, with the entry points and profiles the game's shader
// files are compiled with.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "Platform/ShaderCompiler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view source(reinterpret_cast<const char*>(data), size);
  std::string errors;
  platform::CompileShader(source, "vertex_shader", "vs_1_1", &errors, "VS.hlsl");
  platform::CompileShader(source, "pixel_shader", "ps_2_0", &errors, "PS.hlsl");
  return 0;
}
