#include "Platform/ShaderCompilerSpirv.h"

#include <cstring>
#include <optional>

#include <glslang/Public/ResourceLimits.h>
#include <glslang/Public/ShaderLang.h>
#include <glslang/SPIRV/GlslangToSpv.h>

#include "Platform/ChildWorker.h"
#include "Platform/ShaderCompiler.h"

namespace platform {
namespace {

// glslang's built-in symbol tables live from InitializeProcess on, shared by
// every compilation of the compiler process.
bool gProcessInitialized = false;

bool CompileInThisProcess(std::string_view source, std::string_view sourceName, ShaderStage stage,
                          std::string_view entryPoint, std::vector<std::uint32_t>* spirv, std::string* messages) {
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

// glslang builds its tables of built-in symbols for each stage at the first
// compilation of that stage; the compiler process builds both at its start,
// from a source known to be good.
bool StartCompiler() {
  if (gProcessInitialized) return true;
  if (!glslang::InitializeProcess()) return false;
  gProcessInitialized = true;
  constexpr std::string_view kWarmUp = "float4 main() : POSITION { return float4(0, 0, 0, 1); }";
  std::vector<std::uint32_t> spirv;
  std::string messages;
  for (ShaderStage stage : {ShaderStage::kVertex, ShaderStage::kPixel})
    CompileInThisProcess(kWarmUp, "warm-up", stage, "main", &spirv, &messages);
  return true;
}

void AppendField(std::string& to, std::string_view field) {
  const std::uint64_t length = field.size();
  to.append(reinterpret_cast<const char*>(&length), sizeof length).append(field);
}

// Takes the next length-prefixed field off the front of from.
std::optional<std::string_view> TakeField(std::string_view& from) {
  std::uint64_t length = 0;
  if (from.size() < sizeof length) return std::nullopt;
  std::memcpy(&length, from.data(), sizeof length);
  from.remove_prefix(sizeof length);
  if (length > from.size()) return std::nullopt;
  const std::string_view field = from.substr(0, length);
  from.remove_prefix(length);
  return field;
}

// A request is the stage, then the name, the entry point and the source as
// fields; an answer is whether it compiled, then the messages and the SPIR-V
// words as fields.
std::string CompileRequest(const std::string& request) {
  std::string_view rest(request);
  if (rest.empty() || !StartCompiler()) return {};
  const auto stage = static_cast<ShaderStage>(rest.front());
  rest.remove_prefix(1);
  const std::optional<std::string_view> name = TakeField(rest), entry = TakeField(rest), source = TakeField(rest);
  if (!name || !entry || !source) return {};
  std::vector<std::uint32_t> spirv;
  std::string messages;
  const bool compiled = CompileInThisProcess(*source, *name, stage, *entry, &spirv, &messages);
  std::string answer(1, compiled ? '\1' : '\0');
  AppendField(answer, messages);
  AppendField(answer, std::string_view(reinterpret_cast<const char*>(spirv.data()), spirv.size() * sizeof(std::uint32_t)));
  return answer;
}

// Whether the source compiled; nothing for an answer that is not whole.
std::optional<bool> ReadAnswer(std::string_view answer, std::vector<std::uint32_t>* spirv, std::string* messages) {
  if (answer.empty()) return std::nullopt;
  const bool compiled = answer.front() == '\1';
  answer.remove_prefix(1);
  const std::optional<std::string_view> text = TakeField(answer), words = TakeField(answer);
  if (!text || !words || words->size() % sizeof(std::uint32_t) != 0) return std::nullopt;
  messages->assign(*text);
  spirv->resize(words->size() / sizeof(std::uint32_t));
  if (!spirv->empty()) std::memcpy(spirv->data(), words->data(), words->size());
  return compiled;
}

ChildWorker gCompilerProcess(CompileRequest);

}  // namespace

// glslang trusts its input in places and a shader file is data anyone may
// edit, so the compilations run in a child process of their own: a source
// that makes the compiler crash only fails to compile. This process never
// runs glslang itself.
bool CompileHlslToSpirv(std::string_view source, std::string_view sourceName, ShaderStage stage,
                        std::string_view entryPoint, std::vector<std::uint32_t>* spirv, std::string* messages) {
  std::string request(1, static_cast<char>(stage));
  AppendField(request, sourceName);
  AppendField(request, entryPoint);
  AppendField(request, source);
  const std::optional<std::string> answer = gCompilerProcess.call(request);
  const std::optional<bool> compiled = answer ? ReadAnswer(*answer, spirv, messages) : std::nullopt;
  if (!compiled) {
    spirv->clear();
    *messages = "ERROR: " + std::string(sourceName) + ": the HLSL compiler failed on this source";
    return false;
  }
  return *compiled && !spirv->empty();
}

}  // namespace platform
