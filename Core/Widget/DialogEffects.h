#pragma once

#include "Core/App/Task.h"
#include "Core/Base/Result.h"

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

 protected:
  // Only the effects' own initialisation stores the dialog, not through
  // SetDialog, which the effects made from data refuse.
  void StoreDialog(Dialog* dialog) { dialog_ = dialog; }

 private:
  Dialog* dialog_ = nullptr;
};

}  // namespace widget

// Whoever makes dialogs finds the maker of their effects here.
#include "Core/Widget/DialogEffectsManager.h"
