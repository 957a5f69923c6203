#include "Platform/ShaderCompiler.h"

#include <cstdint>
#include <vector>

#include "Platform/ShaderCache.h"
#include "Platform/ShaderCompilerGlsl.h"
#include "Platform/ShaderCompilerSource.h"
#include "Platform/ShaderCompilerSpirv.h"

namespace platform {
namespace {

// Far above any shader; keeps lengths within glslang's int.
constexpr std::size_t kMaxSourceBytes = 1 << 20;

std::optional<ShaderStage> StageOfProfile(std::string_view profile) {
  if (profile.starts_with("vs_")) return ShaderStage::kVertex;
  if (profile.starts_with("ps_")) return ShaderStage::kPixel;
  return std::nullopt;
}

}  // namespace

std::optional<CompiledShader> CompileShader(std::string_view source, std::string_view entryPoint,
                                            std::string_view profile, std::string* errors,
                                            std::string_view sourceName) {
  errors->clear();
  const std::optional<ShaderStage> stage = StageOfProfile(profile);
  if (!stage) {
    *errors = "unknown profile '" + std::string(profile) + "'";
    return std::nullopt;
  }
  if (source.size() > kMaxSourceBytes) {
    *errors = std::string(sourceName) + ": the text is too long";
    return std::nullopt;
  }
  const std::string key = ShaderCacheKey(source, entryPoint, profile, sourceName);
  if (std::optional<CompiledShader> cached = LoadCachedShader(key); cached && cached->stage == *stage) return cached;
  std::string prepared, messages;
  if (!PrepareHlslSource(source, *stage, entryPoint, &prepared, &messages)) {
    *errors = std::string(sourceName) + ": " + messages;
    return std::nullopt;
  }
  std::vector<std::uint32_t> spirv;
  CompiledShader shader;
  shader.stage = *stage;
  if (!CompileHlslToSpirv(prepared, sourceName, *stage, entryPoint, &spirv, &messages)) {
    *errors = messages;
    return std::nullopt;
  }
  shader.warnings = messages;
  if (!TranslateSpirvToGlsl(spirv, *stage, &shader.glsl, &shader.constants, errors)) {
    *errors = std::string(sourceName) + ": " + *errors;
    return std::nullopt;
  }
  StoreCachedShader(key, shader);
  return shader;
}

}  // namespace platform
