#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Platform/GraphicsStates.h"
#include "Platform/ShaderConstantTable.h"

namespace platform {

// One stage of a Direct3D 9 HLSL shader, made into GLSL for the device.
// A pair becomes a program through GraphicsDevice::CreateProgram(vertex.glsl,
// pixel.glsl, ...); the stages' tables set their constants.
struct CompiledShader {
  ShaderStage stage = ShaderStage::kVertex;
  std::string glsl;
  ShaderConstantTable constants;
  // Warnings of the compilation; empty when there were none.
  std::string warnings;
};

// Compiles the entry point of an HLSL text for a Direct3D 9 profile
// ("vs_1_1" to "vs_3_0", "ps_2_0" ...; only the stage is taken from it).
// Empty, with readable messages ("ERROR: sourceName:line: ...") in errors,
// when the text does not compile or cannot run on the device: texts may come
// from data files. Main thread only. With a cache folder set
// (ShaderCache.h), a text translated before is read back instead.
std::optional<CompiledShader> CompileShader(std::string_view source, std::string_view entryPoint,
                                            std::string_view profile, std::string* errors,
                                            std::string_view sourceName = "shader");

}  // namespace platform
