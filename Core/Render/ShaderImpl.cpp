#include "Core/Render/ShaderImpl.h"

#include "Core/Render/Render.h"

namespace render {

ShaderImpl::ShaderImpl(Render* render) : render_(render) {
  if (render_) render_->RegisterShaderImpl(this);
}

ShaderImpl::~ShaderImpl() {
  if (render_) render_->UnregisterShaderImpl(this);
}

QLResultEnum ShaderImpl::OnResetDevice() {
  MarkAllVariablesChanged();
  return QL_OK;
}

QLResultEnum ShaderImpl::OnLostDevice() { return QL_OK; }

QLResultEnum ShaderImpl::OnBind() { return QL_OK; }

QLResultEnum ShaderImpl::OnUnbind() {
  MarkAllVariablesChanged();
  return QL_OK;
}

QLResultEnum ShaderImpl::WriteVariables(base::Stream& stream) {
  std::uint8_t count = 0;
  for (const auto& variable : variables_) count += variable->IsChanged() ? 1 : 0;
  if (!WriteField(stream, count)) return QL_FAIL;
  for (std::size_t index = 0; index < variables_.size(); ++index) {
    if (!variables_[index]->IsChanged()) continue;
    if (!WriteField(stream, static_cast<std::uint8_t>(index))) return QL_FAIL;
    if (const QLResultEnum result = variables_[index]->Write(stream); result != QL_OK) return result;
  }
  variablesChanged_ = false;
  return QL_OK;
}

QLResultEnum ShaderImpl::ReadVariables(base::Stream& stream) {
  std::uint8_t count = 0;
  if (!ReadField(stream, count)) return QL_FAIL;
  for (std::uint8_t entry = 0; entry < count; ++entry) {
    std::uint8_t index = 0;
    if (!ReadField(stream, index) || index >= variables_.size()) return QL_FAIL;
    if (const QLResultEnum result = variables_[index]->Read(stream); result != QL_OK) return result;
  }
  return QL_OK;
}

void ShaderImpl::MarkAllVariablesChanged() {
  for (const auto& variable : variables_) variable->SetChanged(true);
}

}  // namespace render
