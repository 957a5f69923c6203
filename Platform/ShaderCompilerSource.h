#pragma once

#include <string>
#include <string_view>

#include "Platform/GraphicsStates.h"

namespace platform {

// Rewrites Direct3D 9 HLSL into what glslang's HLSL front end reads: texture
// declarations go, sampler_state blocks leave a plain sampler, and the
// vertex entry point's POSITION outputs become SV_Position. Lines keep their
// numbers, so that the front end's messages point into the original text.
// False, with a message naming the line, when the text cannot be read safely.
bool PrepareHlslSource(std::string_view source, ShaderStage stage, std::string_view entryPoint, std::string* prepared,
                       std::string* error);

}  // namespace platform
