#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Platform/GraphicsStates.h"
#include "Platform/ShaderConstantTable.h"

namespace platform {

// SPIR-V from CompileHlslToSpirv to GLSL 3.30 in the conventions of
// GraphicsProgram.h, with the table of where its constants went. False, with
// the reason in errors, for a shader the device cannot run.
bool TranslateSpirvToGlsl(const std::vector<std::uint32_t>& spirv, ShaderStage stage, std::string* glsl,
                          ShaderConstantTable* constants, std::string* errors);

}  // namespace platform
