#include "Game/MobShader.h"

// color2 is added before the base's variables, so it comes first in the
// command stream.
QLResultEnum TMobShader::BindVariables() {
  if (const QLResultEnum result = AddPoint4Variable(kColor2Name, render::kPixelStage, &color2_); result != QL_OK) {
    return result;
  }
  return ShaderTextured::BindVariables();
}

QLResultEnum TMobShader::DoUnload() {
  color2_ = nullptr;
  return ShaderTextured::DoUnload();
}
