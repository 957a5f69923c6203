#include "Platform/ShaderCompilerSpirv.h"

#include <glslang/Public/ResourceLimits.h>
#include <glslang/Public/ShaderLang.h>
#include <glslang/SPIRV/GlslangToSpv.h>

#include "Platform/ShaderCompiler.h"

namespace platform {
namespace {

// glslang's built-in symbol tables live from InitializeProcess to
// FinalizeProcess, shared by every compilation.
bool gProcessInitialized = false;

}  // namespace

void ShutdownShaderCompiler() {
  if (!gProcessInitialized) return;
  glslang::FinalizeProcess();
  gProcessInitialized = false;
}

bool CompileHlslToSpirv(std::string_view source, std::string_view sourceName, ShaderStage stage,
                        std::string_view entryPoint, std::vector<std::uint32_t>* spirv, std::string* messages) {
  if (!gProcessInitialized) gProcessInitialized = glslang::InitializeProcess();
  if (!gProcessInitialized) {
    *messages = "ERROR: the HLSL compiler cannot start";
    return false;
  }
  const EShLanguage language = stage == ShaderStage::kVertex ? EShLangVertex : EShLangFragment;
  const std::string entry(entryPoint), name(sourceName);
  const char* text = source.data();
  const int length = static_cast<int>(source.size());
  const char* names[] = {name.c_str()};

  glslang::TShader shader(language);
  shader.setStringsWithLengthsAndNames(&text, &length, names, 1);
  shader.setEntryPoint(entry.c_str());
  shader.setSourceEntryPoint(entry.c_str());
  shader.setEnvInput(glslang::EShSourceHlsl, language, glslang::EShClientVulkan, 100);
  shader.setEnvClient(glslang::EShClientVulkan, glslang::EShTargetVulkan_1_0);
  shader.setEnvTarget(glslang::EShTargetSpv, glslang::EShTargetSpv_1_0);
  shader.setEnvTargetHlslFunctionality1();
  // Samplers without a register get the free ones, as D3DX gives them.
  shader.setAutoMapBindings(true);
  // Without the DX9 rules, tex2D on a plain sampler makes invalid SPIR-V.
  const auto rules =
      static_cast<EShMessages>(EShMsgSpvRules | EShMsgVulkanRules | EShMsgReadHlsl | EShMsgHlslDX9Compatible);
  const bool parsed = shader.parse(GetDefaultResources(), 100, false, rules);
  *messages = shader.getInfoLog();
  if (!parsed) return false;

  glslang::TProgram program;
  program.addShader(&shader);
  if (!program.link(rules) || !program.mapIO()) {
    *messages += program.getInfoLog();
    return false;
  }
  glslang::SpvOptions options;
  options.disableOptimizer = false;
  spv::SpvBuildLogger logger;
  spirv->clear();
  glslang::GlslangToSpv(*program.getIntermediate(language), *spirv, &logger, &options);
  *messages += logger.getAllMessages();
  return !spirv->empty();
}

}  // namespace platform
