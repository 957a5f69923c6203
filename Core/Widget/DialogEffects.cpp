#include "Core/Widget/DialogEffects.h"

#include "Core/Widget/Dialog.h"

namespace widget {

DialogEffects::DialogEffects() : Task(true, false, true, false) {}

DialogEffects::~DialogEffects() {
  if (dialog_) dialog_->ForgetEffects(*this);
}

QLResultEnum DialogEffects::SetDialog(Dialog* dialog) {
  dialog_ = dialog;
  return QL_OK;
}

QLResultEnum DialogEffects::Detach() {
  Finish();
  dialog_ = nullptr;
  return QL_OK;
}

}  // namespace widget
