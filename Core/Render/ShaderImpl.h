#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Core/Base/NoCopy.h"
#include "Core/Base/Result.h"
#include "Core/Base/Stream.h"
#include "Core/Render/ShaderVariable.h"

namespace render {

class Render;

enum ShaderStage : std::int32_t { kVertexStage = 0, kPixelStage = 1 };

// A compiled vertex and pixel shader pair on the device, with its variables.
// A variable's index in the list is how the command stream names it.
class ShaderImpl : base::NoCopy {
 public:
  // The stream gives a variable's index and the count one byte each.
  static constexpr std::size_t kMaxVariables = 255;

  explicit ShaderImpl(Render* render);
  virtual ~ShaderImpl();

  // A reset leaves the device's constants undefined: every variable is sent
  // again. Compiled shaders themselves survive a loss.
  virtual QLResultEnum OnResetDevice();
  virtual QLResultEnum OnLostDevice();
  virtual QLResultEnum OnBind();
  // The device's constant registers are shared by all shaders, so whatever is
  // bound next overwrites this one's values: they are sent again when it
  // comes back.
  virtual QLResultEnum OnUnbind();
  // Null when the shader has no such constant.
  virtual std::unique_ptr<ShaderScalarVariableImpl> CreateScalarVariable(const std::string& name,
                                                                         ShaderStage stage) = 0;
  virtual std::unique_ptr<ShaderTextureVariableImpl> CreateTextureVariable(const std::string& name) = 0;

  // Takes the variable; null when the list is full.
  template <class V>
  V* AddVariable(std::unique_ptr<V> variable) {
    if (variables_.size() >= kMaxVariables) return nullptr;
    V* added = variable.get();
    variables_.push_back(std::move(variable));
    return added;
  }

  // Count, then index and value of each changed variable; clears the
  // shader's mark, not the variables'.
  QLResultEnum WriteVariables(base::Stream& stream);
  QLResultEnum ReadVariables(base::Stream& stream);

  void MarkAllVariablesChanged();
  void SetVariablesChanged() { variablesChanged_ = true; }
  bool AreVariablesChanged() const { return variablesChanged_; }

  Render* GetRender() const { return render_; }
  // The Render is going: nothing may reach it any more.
  void Detach() { render_ = nullptr; }

 private:
  std::vector<std::unique_ptr<ShaderVariable>> variables_;
  Render* render_;
  // Set at first so that the first draw with this shader sends everything.
  bool variablesChanged_ = true;
};

}  // namespace render
