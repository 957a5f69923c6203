#include "Platform/ShaderCompilerGlsl.h"

#include <spirv_cross/spirv_cross_c.h>

#include <cctype>
#include <memory>
#include <optional>
#include <span>

#include "Platform/GraphicsDevice.h"
#include "Platform/GraphicsProgram.h"
#include "Platform/GraphicsVertexLayout.h"

namespace platform {
namespace {

constexpr int kRegisterBytes = 16;

struct ContextDeleter {
  void operator()(spvc_context context) const { spvc_context_destroy(context); }
};
using Context = std::unique_ptr<std::remove_pointer_t<spvc_context>, ContextDeleter>;

// Upper case with the index Direct3D 9 implies: "color" is "COLOR0".
std::string NormalizeSemantic(const char* semantic) {
  std::string normalized(semantic ? semantic : "");
  for (char& c : normalized) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (!normalized.empty() && !std::isdigit(static_cast<unsigned char>(normalized.back()))) normalized += '0';
  return normalized;
}

// The number after prefix, when semantic is prefix and a number below limit.
std::optional<int> SemanticIndex(const std::string& semantic, std::string_view prefix, int limit) {
  if (!semantic.starts_with(prefix) || semantic.size() != prefix.size() + 1) return std::nullopt;
  const int index = semantic.back() - '0';
  if (index < 0 || index >= limit) return std::nullopt;
  return index;
}

std::optional<int> VertexInputLocation(const std::string& semantic) {
  if (semantic == "POSITION0") return kPositionLocation;
  if (semantic == "NORMAL0") return kNormalLocation;
  if (const auto color = SemanticIndex(semantic, "COLOR", 2)) return kDiffuseLocation + *color;
  if (const auto set = SemanticIndex(semantic, "TEXCOORD", kMaxTexCoordSets)) return kTexCoord0Location + *set;
  return std::nullopt;
}

std::optional<int> PixelOutputLocation(const std::string& semantic) {
  if (const auto color = SemanticIndex(semantic, "COLOR", 1)) return color;
  return SemanticIndex(semantic, "SV_TARGET", 1);
}

class Translator {
 public:
  Translator(ShaderStage stage, std::string* errors) : stage_(stage), errors_(errors) {}

  bool Run(const std::vector<std::uint32_t>& spirv, std::string* glsl, ShaderConstantTable* table) {
    spvc_context raw = nullptr;
    if (spvc_context_create(&raw) != SPVC_SUCCESS) return Fail("cannot start SPIRV-Cross");
    context_.reset(raw);
    spvc_context_set_error_callback(
        raw, [](void* errors, const char* error) { *static_cast<std::string*>(errors) += std::string(error) + "\n"; },
        errors_);
    spvc_parsed_ir ir = nullptr;
    spvc_compiler_options options = nullptr;
    if (spvc_context_parse_spirv(raw, spirv.data(), spirv.size(), &ir) != SPVC_SUCCESS ||
        spvc_context_create_compiler(raw, SPVC_BACKEND_GLSL, ir, SPVC_CAPTURE_MODE_TAKE_OWNERSHIP, &compiler_) !=
            SPVC_SUCCESS ||
        spvc_compiler_create_compiler_options(compiler_, &options) != SPVC_SUCCESS) {
      return false;
    }
    spvc_compiler_options_set_uint(options, SPVC_COMPILER_OPTION_GLSL_VERSION, 330);
    spvc_compiler_options_set_bool(options, SPVC_COMPILER_OPTION_GLSL_ES, SPVC_FALSE);
    // Sampler units are set by the device after linking.
    spvc_compiler_options_set_bool(options, SPVC_COMPILER_OPTION_GLSL_ENABLE_420PACK_EXTENSION, SPVC_FALSE);
    spvc_compiler_install_compiler_options(compiler_, options);

    // Inputs the shader never reads would still have to link.
    spvc_set active = nullptr;
    spvc_resources resources = nullptr;
    if (spvc_compiler_get_active_interface_variables(compiler_, &active) != SPVC_SUCCESS ||
        spvc_compiler_set_enabled_interface_variables(compiler_, active) != SPVC_SUCCESS ||
        spvc_compiler_create_shader_resources_for_active_variables(compiler_, &resources, active) != SPVC_SUCCESS) {
      return false;
    }
    std::vector<ShaderConstant> constants;
    int registers = 0;
    if (!PlaceInputs(List(resources, SPVC_RESOURCE_TYPE_STAGE_INPUT)) ||
        !PlaceOutputs(List(resources, SPVC_RESOURCE_TYPE_STAGE_OUTPUT)) ||
        !PlaceConstants(List(resources, SPVC_RESOURCE_TYPE_UNIFORM_BUFFER), &constants, &registers) ||
        !PlaceSamplers(List(resources, SPVC_RESOURCE_TYPE_SAMPLED_IMAGE), &constants)) {
      return false;
    }
    if (!List(resources, SPVC_RESOURCE_TYPE_SEPARATE_IMAGE).empty() ||
        !List(resources, SPVC_RESOURCE_TYPE_SEPARATE_SAMPLERS).empty()) {
      return Fail("textures must be sampled through sampler globals (tex2D)");
    }
    const char* source = nullptr;
    if (spvc_compiler_compile(compiler_, &source) != SPVC_SUCCESS) return false;
    *glsl = source;
    // GraphicsProgram.h asks for the core profile by name.
    if (glsl->starts_with("#version 330\n")) glsl->insert(std::string_view("#version 330").size(), " core");
    if (stage_ == ShaderStage::kVertex && !AddPositionFixup(glsl)) return false;
    *table = ShaderConstantTable(stage_, std::move(constants), registers);
    return true;
  }

 private:
  std::span<const spvc_reflected_resource> List(spvc_resources resources, spvc_resource_type type) {
    const spvc_reflected_resource* list = nullptr;
    std::size_t count = 0;
    spvc_resources_get_resource_list_for_type(resources, type, &list, &count);
    return {list, count};
  }

  bool Fail(const std::string& error) {
    *errors_ += error + "\n";
    return false;
  }

  std::string Semantic(spvc_variable_id id) {
    return NormalizeSemantic(spvc_compiler_get_decoration_string(compiler_, id, SpvDecorationUserSemantic));
  }

  // Vertex inputs sit where the device feeds each semantic; pixel inputs
  // link by name with the vertex outputs of the same semantic.
  bool PlaceInputs(std::span<const spvc_reflected_resource> inputs) {
    for (const spvc_reflected_resource& input : inputs) {
      const std::string semantic = Semantic(input.id);
      if (stage_ == ShaderStage::kPixel) {
        LinkByName(input.id, semantic);
        continue;
      }
      const std::optional<int> location = VertexInputLocation(semantic);
      if (!location) return Fail("vertex input '" + semantic + "' has no place in the device's vertex layouts");
      spvc_compiler_set_decoration(compiler_, input.id, SpvDecorationLocation, static_cast<unsigned>(*location));
      spvc_compiler_set_name(compiler_, input.id, ("lf_Attribute_" + semantic).c_str());
    }
    return true;
  }

  bool PlaceOutputs(std::span<const spvc_reflected_resource> outputs) {
    for (const spvc_reflected_resource& output : outputs) {
      const std::string semantic = Semantic(output.id);
      if (stage_ == ShaderStage::kVertex) {
        LinkByName(output.id, semantic);
        continue;
      }
      const std::optional<int> location = PixelOutputLocation(semantic);
      if (!location) return Fail("pixel output '" + semantic + "' is not the colour target");
      spvc_compiler_set_decoration(compiler_, output.id, SpvDecorationLocation, static_cast<unsigned>(*location));
      spvc_compiler_set_name(compiler_, output.id, "lf_Target");
    }
    return true;
  }

  void LinkByName(spvc_variable_id id, const std::string& semantic) {
    spvc_compiler_unset_decoration(compiler_, id, SpvDecorationLocation);
    spvc_compiler_set_name(compiler_, id, ("lf_Varying_" + semantic).c_str());
  }

  // The globals' block becomes the stage's register array.
  bool PlaceConstants(std::span<const spvc_reflected_resource> blocks, std::vector<ShaderConstant>* constants,
                      int* registers) {
    if (blocks.empty()) return true;
    if (blocks.size() > 1) return Fail("constant buffers are not supported; declare constants as globals");
    const spvc_reflected_resource& block = blocks.front();
    const spvc_type blockType = spvc_compiler_get_type_handle(compiler_, block.base_type_id);
    std::size_t bytes = 0;
    if (spvc_compiler_get_declared_struct_size(compiler_, blockType, &bytes) != SPVC_SUCCESS) return false;
    *registers = static_cast<int>((bytes + kRegisterBytes - 1) / kRegisterBytes);
    if (*registers > GraphicsDevice::kConstantRegisters) return Fail("the constants take too many registers");
    for (unsigned member = 0; member < spvc_type_get_num_member_types(blockType); ++member) {
      ShaderConstant constant;
      if (!DescribeMember(block.base_type_id, blockType, member, &constant)) return false;
      constants->push_back(std::move(constant));
    }
    const char* name = stage_ == ShaderStage::kVertex ? "lf_VertexConstants" : "lf_PixelConstants";
    spvc_compiler_set_name(compiler_, block.id, name);
    spvc_compiler_set_name(compiler_, block.base_type_id, name);
    return spvc_compiler_flatten_buffer_block(compiler_, block.id) == SPVC_SUCCESS;
  }

  bool DescribeMember(spvc_type_id blockId, spvc_type blockType, unsigned member, ShaderConstant* constant) {
    const spvc_type_id typeId = spvc_type_get_member_type(blockType, member);
    const spvc_type type = spvc_compiler_get_type_handle(compiler_, typeId);
    constant->name = spvc_compiler_get_member_name(compiler_, blockId, member);
    if (spvc_type_get_basetype(type) != SPVC_BASETYPE_FP32) {
      return Fail("constant '" + constant->name + "' is not made of floats");
    }
    std::size_t bytes = 0;
    if (spvc_compiler_get_declared_struct_member_size(compiler_, blockType, member, &bytes) != SPVC_SUCCESS) {
      return false;
    }
    const unsigned offset = spvc_compiler_get_member_decoration(compiler_, blockId, member, SpvDecorationOffset);
    constant->registerIndex = static_cast<int>(offset / kRegisterBytes);
    constant->firstComponent = static_cast<int>(offset % kRegisterBytes / 4);
    constant->registerCount = static_cast<int>((offset % kRegisterBytes + bytes + kRegisterBytes - 1) / kRegisterBytes);
    if (spvc_type_get_num_array_dimensions(type) > 0) {
      constant->elementStride =
          static_cast<int>(spvc_compiler_get_decoration(compiler_, typeId, SpvDecorationArrayStride) / kRegisterBytes);
    }
    // glslang keeps an HLSL row as a SPIR-V column, and so flips the
    // majorness: SPIR-V column-major is HLSL row_major.
    const int vectors = static_cast<int>(spvc_type_get_columns(type));
    const int width = static_cast<int>(spvc_type_get_vector_size(type));
    if (vectors == 1) {
      constant->components = width;
      return true;
    }
    constant->kind = ShaderConstantKind::kMatrix;
    constant->rows = vectors;
    constant->columns = width;
    constant->rowPerRegister = spvc_compiler_has_member_decoration(compiler_, blockId, member, SpvDecorationColMajor);
    constant->components = constant->rowPerRegister ? width : vectors;
    return true;
  }

  bool PlaceSamplers(std::span<const spvc_reflected_resource> samplers, std::vector<ShaderConstant>* constants) {
    for (const spvc_reflected_resource& sampler : samplers) {
      const int stage = static_cast<int>(spvc_compiler_get_decoration(compiler_, sampler.id, SpvDecorationBinding));
      if (stage >= kTextureStages) return Fail("sampler '" + std::string(sampler.name) + "' has no texture stage");
      if (spvc_type_get_num_array_dimensions(spvc_compiler_get_type_handle(compiler_, sampler.type_id)) > 0) {
        return Fail("sampler '" + std::string(sampler.name) + "' is an array; declare one sampler per stage");
      }
      ShaderConstant constant;
      constant.name = sampler.name;
      constant.kind = ShaderConstantKind::kSampler;
      constant.registerIndex = stage;
      constants->push_back(std::move(constant));
      spvc_compiler_set_name(compiler_, sampler.id, ("lf_Sampler" + std::to_string(stage)).c_str());
    }
    return true;
  }

  // The fix-up must be the last statement of main() even when the shader
  // returns early, so the translated main() runs inside a new one.
  bool AddPositionFixup(std::string* glsl) {
    constexpr std::string_view kMain = "\nvoid main()\n";
    const std::size_t main = glsl->find(kMain);
    if (main == std::string::npos || glsl->find(kMain, main + 1) != std::string::npos) {
      return Fail("the translated vertex shader has no single main()");
    }
    glsl->replace(main, kMain.size(), "\nvoid lf_TranslatedMain()\n");
    *glsl += std::string("void main()\n{\n    lf_TranslatedMain();\n    ") + kPositionFixupStatement + "}\n";
    glsl->insert(glsl->find('\n') + 1, kPositionFixupDeclaration);
    return true;
  }

  ShaderStage stage_;
  std::string* errors_;
  Context context_;
  spvc_compiler compiler_ = nullptr;
};

}  // namespace

bool TranslateSpirvToGlsl(const std::vector<std::uint32_t>& spirv, ShaderStage stage, std::string* glsl,
                          ShaderConstantTable* constants, std::string* errors) {
  return Translator(stage, errors).Run(spirv, glsl, constants);
}

}  // namespace platform
