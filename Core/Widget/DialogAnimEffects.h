#pragma once

#include <memory>

#include "Core/Animation/AnimData.h"
#include "Core/Base/WString.h"
#include "Core/Resource/ResourceHandle.h"
#include "Core/Widget/DialogEffects.h"
#include "Core/Widget/DialogEffectsData.h"

namespace animation {
class LayerAnim;
}

namespace widget {

using AnimHandle = resource::ResourceHandle<animation::AnimData>;

// An "Anim" entry: the show and hide animation files of a dialog, loaded at
// start-up with "preload", else each time a dialog is pushed.
class DialogAnimEffectsData : public DialogEffectsData {
 public:
  QLResultEnum Load(const tinyxml2::XMLElement& element) override;
  QLResultEnum CreateEffects(Dialog* dialog, DialogEffects*& effects) override;

  const base::WString& GetShowPath() const { return showPath_; }
  const base::WString& GetHidePath() const { return hidePath_; }
  const AnimHandle& GetShowAnim() const { return showAnim_; }
  const AnimHandle& GetHideAnim() const { return hideAnim_; }
  bool Preloads() const { return preload_; }

 private:
  base::WString showPath_;
  base::WString hidePath_;
  AnimHandle showAnim_;
  AnimHandle hideAnim_;
  bool preload_ = false;
};

// Plays the show animation on the dialog's layer, tells the dialog it is
// shown, and on request plays the hide animation and closes the dialog. A
// hide asked for during the show waits for the show to end.
class DialogAnimEffects : public DialogEffects {
 public:
  enum State : int { kIdle = 0, kShowing = 1, kShown = 2, kHiding = 3, kClosed = 4 };

  DialogAnimEffects();
  ~DialogAnimEffects() override;

  // Refused: these effects are made from their data.
  QLResultEnum SetDialog(Dialog* dialog) override;
  QLResultEnum StartShow() override;
  QLResultEnum StartHide() override;
  // 1 unless both animations load and each has exactly one track.
  QLResultEnum Init(Dialog* dialog, const DialogAnimEffectsData& data);

  QLResultEnum OnUpdate(float dt) override;

  State GetState() const { return state_; }
  float GetTime() const { return time_; }

 private:
  QLResultEnum Start(const AnimHandle& anim, State state);

  AnimHandle showAnim_;
  AnimHandle hideAnim_;
  State state_ = kIdle;
  std::unique_ptr<animation::LayerAnim> player_;
  float time_ = 0.0f;
  float endTime_ = 0.0f;
  bool hideRequested_ = false;
};

// Loads the animation file of a path into the handle, through the resource
// cache; 1 when it cannot be found or read.
QLResultEnum LoadDialogAnimation(const base::WString& path, AnimHandle& handle);

}  // namespace widget
