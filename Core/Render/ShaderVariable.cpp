#include "Core/Render/ShaderVariable.h"

#include "Core/Render/ShaderImpl.h"

namespace render {

void ShaderVariable::SetChanged(bool changed) {
  changed_ = changed;
  impl_->SetVariablesChanged();
}

}  // namespace render
