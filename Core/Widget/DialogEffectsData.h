#pragma once

#include "Core/Base/Result.h"

namespace tinyxml2 {
class XMLElement;
}

namespace widget {

class Dialog;
class DialogEffects;

// One named entry of the dialog-effects configuration: what it needs to make
// the effects of a dialog.
class DialogEffectsData {
 public:
  virtual ~DialogEffectsData() = default;
  virtual QLResultEnum Load(const tinyxml2::XMLElement& element) = 0;
  // On success effects is a new object the caller owns; untouched on failure.
  virtual QLResultEnum CreateEffects(Dialog* dialog, DialogEffects*& effects) = 0;
};

// Makes the data objects of one kind of entry.
class DialogEffectsDataCreatorBase {
 public:
  virtual ~DialogEffectsDataCreatorBase() = default;
  virtual DialogEffectsData* Create() = 0;
};

template <class Data>
class DialogEffectsDataCreator : public DialogEffectsDataCreatorBase {
 public:
  DialogEffectsData* Create() override { return new Data; }
};

}  // namespace widget
