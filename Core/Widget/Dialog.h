#pragma once

#include <string>

#include "Core/Widget/Frame.h"
#include "Core/Widget/WidgetHitTestListener.h"
#include "Core/Widget/WidgetListener.h"

namespace widget {

class DialogEffects;

// A frame that is its own listener and mouse handler, shown and hidden with
// the effects configured for its name.
class Dialog : public Frame, public WidgetListener, public WidgetHitTestListener {
 public:
  Dialog();
  // The effects let go of the dialog.
  ~Dialog() override;

  const std::string& GetName() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  DialogEffects* GetEffects() const { return effects_; }
  bool DeletesAfterClose() const { return deleteAfterClose_; }

  // The concrete dialog builds itself.
  virtual QLResultEnum Init();
  // The show effect ended.
  virtual QLResultEnum OnShown();
  // Queues the removal from the frame manager, with deletion when asked by
  // Hide.
  virtual QLResultEnum Close();
  // Plays the hide effect, then closes.
  virtual QLResultEnum Hide(bool deleteAfter);
  // Replaces the effects and starts the show effect of the new ones; without
  // effects the dialog is shown at once. The frame manager runs the effects.
  virtual QLResultEnum SetEffects(DialogEffects* effects);

  // Entering the stack: the effects of the dialog's name are looked up.
  QLResultEnum OnShow() override;
  QLResultEnum OnDetach() override;

  // Called by effects that go first.
  void ForgetEffects(const DialogEffects& effects);

 private:
  void DetachEffects();

  std::string name_;
  DialogEffects* effects_ = nullptr;
  bool deleteAfterClose_ = false;
};

}  // namespace widget
