#pragma once

#include "Core/App/Task.h"
#include "Core/Base/Result.h"
#include "Core/Base/Singletone.h"

namespace tinyxml2 {
class XMLElement;
}

namespace widget {

class Dialog;

// What plays while a dialog appears and disappears. It runs as a child task
// of the frame manager, tells the dialog when it is shown and closes it once
// hidden; it goes by itself once finished.
class DialogEffects : public base::Task {
 public:
  DialogEffects();
  // The dialog forgets it.
  ~DialogEffects() override;

  Dialog* GetDialog() const { return dialog_; }
  virtual QLResultEnum SetDialog(Dialog* dialog);
  virtual QLResultEnum StartShow() = 0;
  virtual QLResultEnum StartHide() = 0;
  // Finishes without touching the dialog again.
  QLResultEnum Detach();

 private:
  Dialog* dialog_ = nullptr;
};

// Makes the effects configured for a dialog's name. Nothing is configured
// yet, so every dialog shows and hides at once.
class DialogEffectsManager : public base::Singletone<DialogEffectsManager> {
 public:
  // Reads the "DialogEffects" element of "data/game.xml".
  QLResultEnum Load(const tinyxml2::XMLElement& effects);
  // effects is null when the dialog has none.
  QLResultEnum CreateEffects(Dialog& dialog, DialogEffects*& effects);
};

}  // namespace widget
