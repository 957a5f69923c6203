#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/GraphicsStates.h"

namespace platform {

// HLSL, already through PrepareHlslSource, to optimised SPIR-V whose stage
// inputs and outputs carry their HLSL semantics. False, with glslang's
// messages ("ERROR: name:line: ..."), when it does not compile; warnings of a
// successful compilation are left in messages too.
bool CompileHlslToSpirv(std::string_view source, std::string_view sourceName, ShaderStage stage,
                        std::string_view entryPoint, std::vector<std::uint32_t>* spirv, std::string* messages);

}  // namespace platform
