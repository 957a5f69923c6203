#include "Core/Widget/Dialog.h"

#include "Core/Base/LogMessage.h"
#include "Core/Layer/RectHitLayer.h"
#include "Core/Widget/DialogEffects.h"
#include "Core/Widget/FrameManager.h"

namespace widget {

Dialog::Dialog() : WidgetHitTestListener(this) {
  SetListener(this, true);
  GetRectLayer()->SetListener(this);
}

Dialog::~Dialog() { DetachEffects(); }

QLResultEnum Dialog::Init() { return QL_OK; }
QLResultEnum Dialog::OnShown() { return QL_OK; }

QLResultEnum Dialog::Close() {
  FrameManager* manager = GetManager();
  return manager ? manager->RemoveFrame(this, deleteAfterClose_, true) : QL_OK;
}

QLResultEnum Dialog::Hide(bool deleteAfter) {
  deleteAfterClose_ = deleteAfter;
  return effects_ ? effects_->StartHide() : Close();
}

QLResultEnum Dialog::SetEffects(DialogEffects* effects) {
  DetachEffects();
  if (!effects) return OnShown();
  FrameManager* manager = GetManager();
  if (!manager) {
    // Nothing would run them: shown at once instead.
    QL_LOG(u"Dialog::SetEffects: the dialog is not on a frame manager's stack\n");
    delete effects;
    return OnShown();
  }
  effects_ = effects;
  manager->AddChild(effects);
  return effects->StartShow();
}

QLResultEnum Dialog::OnShow() {
  if (name_.empty()) return SetEffects(nullptr);
  DialogEffects* effects = nullptr;
  if (const QLResultEnum result = DialogEffectsManager::Instance()->CreateEffects(*this, effects)) return result;
  return SetEffects(effects);
}

QLResultEnum Dialog::OnDetach() {
  DetachEffects();
  return QL_OK;
}

void Dialog::ForgetEffects(const DialogEffects& effects) {
  if (effects_ == &effects) effects_ = nullptr;
}

void Dialog::DetachEffects() {
  if (!effects_) return;
  effects_->Detach();
  effects_ = nullptr;
}

}  // namespace widget
