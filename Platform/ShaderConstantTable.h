#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/GraphicsStates.h"

namespace platform {

class GraphicsDevice;
class GraphicsTexture;

enum class ShaderConstantKind { kNumeric, kMatrix, kSampler };

// Where one global of a compiled shader lives on the device.
struct ShaderConstant {
  std::string name;
  ShaderConstantKind kind = ShaderConstantKind::kNumeric;
  // The first constant register, or for a sampler its texture stage.
  int registerIndex = 0;
  // Registers taken by all elements; a float after a float3 takes none of
  // its own.
  int registerCount = 1;
  // Where the value starts within its first register, and how many
  // components of each register it takes.
  int firstComponent = 0;
  int components = 4;
  // A matrix's shape in HLSL terms, and whether a register holds one of its
  // rows (row_major) or, by default, one of its columns.
  int rows = 0;
  int columns = 0;
  bool rowPerRegister = false;
  // Register distance between array elements; zero when not an array.
  int elementStride = 0;
};

struct ShaderConstantHandle {
  int index = 0;
};

// The constants of one compiled shader stage, by name, and their setters.
// The setters write the device's register file of the stage: like
// Direct3D 9's, it is shared by every program, so a value must be set again
// after another shader has used the same registers. Values that share a
// register with another constant are merged with the last value this table
// gave it.
class ShaderConstantTable {
 public:
  ShaderConstantTable() = default;
  ShaderConstantTable(ShaderStage stage, std::vector<ShaderConstant> constants, int registers);

  ShaderStage GetStage() const { return stage_; }
  const std::vector<ShaderConstant>& GetConstants() const { return constants_; }
  int GetRegisterCount() const { return static_cast<int>(registers_.size()); }
  // Empty when the shader declares no constant of that name.
  std::optional<ShaderConstantHandle> Find(std::string_view name) const;
  // Null for a handle of another table.
  const ShaderConstant* Get(ShaderConstantHandle handle) const;

  // Sixteen floats, one row after another, for a row vector multiplied
  // from the left (mul(v, M)), as D3DX takes them; only the rows and columns
  // the constant has are used.
  DeviceResult SetMatrix(GraphicsDevice& device, ShaderConstantHandle handle, const float* matrix);
  // As many of the four floats as the constant has components.
  DeviceResult SetVector(GraphicsDevice& device, ShaderConstantHandle handle, const float* vector);
  DeviceResult SetFloat(GraphicsDevice& device, ShaderConstantHandle handle, float value);
  // Binds the texture to a sampler's stage.
  DeviceResult SetTexture(GraphicsDevice& device, ShaderConstantHandle handle,
                          std::shared_ptr<GraphicsTexture> texture);

 private:
  using Register = std::array<float, 4>;
  // Writes the components [first, first + count) of one register.
  DeviceResult Write(GraphicsDevice& device, int index, int first, int count, const float* values);

  ShaderStage stage_ = ShaderStage::kVertex;
  std::vector<ShaderConstant> constants_;
  std::vector<Register> registers_;
};

}  // namespace platform
