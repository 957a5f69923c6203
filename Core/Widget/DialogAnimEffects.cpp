#include "Core/Widget/DialogAnimEffects.h"

#include <tinyxml2.h>

#include <cmath>

#include "Core/Animation/LayerAnim.h"
#include "Core/Base/TextConversion.h"
#include "Core/Layer/Layer.h"
#include "Core/Resource/ResourceManager.h"
#include "Core/Widget/Dialog.h"
#include "Core/Widget/DialogEffectsManager.h"

namespace widget {

namespace {

bool HasOneTrack(const AnimHandle& anim) { return anim && anim->GetTracks().size() == 1; }

}  // namespace

QLResultEnum LoadDialogAnimation(const base::WString& path, AnimHandle& handle) {
  handle = resource::ResourceManager::Instance()->Get<animation::AnimData>(path);
  if (!handle) return QL_FAIL;
  handle->SetRender(DialogEffectsManager::Instance()->GetRender());
  return handle->IsLoaded() ? QL_OK : handle->Load();
}

QLResultEnum DialogAnimEffectsData::Load(const tinyxml2::XMLElement& element) {
  const char* show = element.Attribute("show_anim_data");
  if (!show) return QL_FAIL;
  const char* hide = element.Attribute("hide_anim_data");
  if (!hide) return QL_FAIL;
  showPath_ = base::ToWide(show, base::kEncodingUtf8);
  hidePath_ = base::ToWide(hide, base::kEncodingUtf8);
  preload_ = element.Attribute("preload") != nullptr;
  if (!preload_) return QL_OK;
  if (const QLResultEnum result = LoadDialogAnimation(showPath_, showAnim_)) return result;
  return LoadDialogAnimation(hidePath_, hideAnim_);
}

QLResultEnum DialogAnimEffectsData::CreateEffects(Dialog* dialog, DialogEffects*& effects) {
  auto made = std::make_unique<DialogAnimEffects>();
  if (const QLResultEnum result = made->Init(dialog, *this)) return result;
  effects = made.release();
  return QL_OK;
}

DialogAnimEffects::DialogAnimEffects() = default;

DialogAnimEffects::~DialogAnimEffects() = default;

QLResultEnum DialogAnimEffects::SetDialog(Dialog*) { return QL_FAIL; }

QLResultEnum DialogAnimEffects::Init(Dialog* dialog, const DialogAnimEffectsData& data) {
  StoreDialog(dialog);
  if (data.Preloads()) {
    showAnim_ = data.GetShowAnim();
    hideAnim_ = data.GetHideAnim();
  } else {
    if (const QLResultEnum result = LoadDialogAnimation(data.GetShowPath(), showAnim_)) return result;
    if (const QLResultEnum result = LoadDialogAnimation(data.GetHidePath(), hideAnim_)) return result;
  }
  return HasOneTrack(showAnim_) && HasOneTrack(hideAnim_) ? QL_OK : QL_FAIL;
}

QLResultEnum DialogAnimEffects::Start(const AnimHandle& anim, State state) {
  Dialog* dialog = GetDialog();
  if (!HasOneTrack(anim) || !dialog || !dialog->GetLayer()) return QL_FAIL;
  player_ = std::make_unique<animation::LayerAnim>(dialog->GetLayer(), anim->GetTracks().front().get());
  time_ = anim->GetStartTime();
  endTime_ = anim->GetEndTime();
  // A file's times that the clock would never reach end the animation at
  // once rather than leave the dialog waiting for ever.
  if (!std::isfinite(time_)) time_ = 0.0f;
  if (!std::isfinite(endTime_)) endTime_ = time_;
  player_->Apply(time_);
  state_ = state;
  return QL_OK;
}

QLResultEnum DialogAnimEffects::StartShow() { return Start(showAnim_, kShowing); }

QLResultEnum DialogAnimEffects::StartHide() {
  if (state_ == kShowing) {
    hideRequested_ = true;
    return QL_OK;
  }
  return Start(hideAnim_, kHiding);
}

QLResultEnum DialogAnimEffects::OnUpdate(float dt) {
  if ((state_ != kShowing && state_ != kHiding) || !player_) return QL_OK;
  Dialog* dialog = GetDialog();
  if (!dialog) {
    // Detached: the layer the player drives may be gone.
    player_.reset();
    return QL_OK;
  }
  time_ += dt;
  if (time_ >= endTime_) time_ = endTime_;
  player_->Apply(time_);
  if (time_ < endTime_) return QL_OK;
  player_.reset();
  if (state_ == kShowing) {
    if (const QLResultEnum result = dialog->OnShown()) return result;
    state_ = kShown;
    if (!hideRequested_) return QL_OK;
    hideRequested_ = false;
    return StartHide();
  }
  if (const QLResultEnum result = dialog->Close()) return result;
  state_ = kClosed;
  Finish();
  return QL_OK;
}

}  // namespace widget
