#include "Platform/ShaderConstantTable.h"

#include <algorithm>
#include <utility>

#include "Platform/GraphicsDevice.h"

namespace platform {

ShaderConstantTable::ShaderConstantTable(ShaderStage stage, std::vector<ShaderConstant> constants, int registers)
    : stage_(stage), constants_(std::move(constants)), registers_(static_cast<std::size_t>(registers), Register{}) {}

std::optional<ShaderConstantHandle> ShaderConstantTable::Find(std::string_view name) const {
  const auto found =
      std::find_if(constants_.begin(), constants_.end(), [&](const ShaderConstant& c) { return c.name == name; });
  if (found == constants_.end()) return std::nullopt;
  return ShaderConstantHandle{static_cast<int>(found - constants_.begin())};
}

const ShaderConstant* ShaderConstantTable::Get(ShaderConstantHandle handle) const {
  if (handle.index < 0 || handle.index >= static_cast<int>(constants_.size())) return nullptr;
  return &constants_[static_cast<std::size_t>(handle.index)];
}

DeviceResult ShaderConstantTable::SetMatrix(GraphicsDevice& device, ShaderConstantHandle handle, const float* matrix) {
  const ShaderConstant* constant = Get(handle);
  if (!constant || constant->kind != ShaderConstantKind::kMatrix) return DeviceResult::kInvalidCall;
  const int registers = constant->rowPerRegister ? constant->rows : constant->columns;
  for (int r = 0; r < registers; ++r) {
    float values[4];
    for (int c = 0; c < constant->components; ++c) {
      values[c] = constant->rowPerRegister ? matrix[r * 4 + c] : matrix[c * 4 + r];
    }
    const DeviceResult result = Write(device, constant->registerIndex + r, 0, constant->components, values);
    if (result != DeviceResult::kOk) return result;
  }
  return DeviceResult::kOk;
}

DeviceResult ShaderConstantTable::SetVector(GraphicsDevice& device, ShaderConstantHandle handle, const float* vector) {
  const ShaderConstant* constant = Get(handle);
  if (!constant || constant->kind == ShaderConstantKind::kSampler) return DeviceResult::kInvalidCall;
  return Write(device, constant->registerIndex, constant->firstComponent, constant->components, vector);
}

DeviceResult ShaderConstantTable::SetFloat(GraphicsDevice& device, ShaderConstantHandle handle, float value) {
  const ShaderConstant* constant = Get(handle);
  if (!constant || constant->kind == ShaderConstantKind::kSampler) return DeviceResult::kInvalidCall;
  return Write(device, constant->registerIndex, constant->firstComponent, 1, &value);
}

DeviceResult ShaderConstantTable::SetTexture(GraphicsDevice& device, ShaderConstantHandle handle,
                                             std::shared_ptr<GraphicsTexture> texture) {
  const ShaderConstant* constant = Get(handle);
  if (!constant || constant->kind != ShaderConstantKind::kSampler) return DeviceResult::kInvalidCall;
  return device.SetTexture(constant->registerIndex, std::move(texture));
}

DeviceResult ShaderConstantTable::Write(GraphicsDevice& device, int index, int first, int count, const float* values) {
  if (index < 0 || index >= static_cast<int>(registers_.size()) || first < 0 || first + count > 4) {
    return DeviceResult::kInvalidCall;
  }
  Register& target = registers_[static_cast<std::size_t>(index)];
  std::copy(values, values + count, target.begin() + first);
  return device.SetShaderConstants(stage_, index, target.data(), 1);
}

}  // namespace platform
