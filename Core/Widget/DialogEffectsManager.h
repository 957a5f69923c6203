#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Core/Base/Result.h"
#include "Core/Base/Singletone.h"
#include "Core/Widget/DialogEffectsData.h"

namespace render {
class Render;
}

namespace widget {

class Dialog;
class DialogEffects;

// Knows from the "DialogEffects" element of "data/game.xml" which effects
// belong to which dialog, and makes them when a dialog is pushed.
class DialogEffectsManager : public base::Singletone<DialogEffectsManager> {
 public:
  DialogEffectsManager();
  ~DialogEffectsManager() override;

  // Preloaded animations go back to the resource manager, which must still
  // be there.
  std::vector<base::SingletoneBase*> GetDependencies() override;

  // Entries read before a failure stay registered.
  QLResultEnum Load(const tinyxml2::XMLElement& effects);
  // effects is null when the dialog has none, and also when its effects
  // cannot be made: the dialog then shows without them, which the log notes.
  QLResultEnum CreateEffects(Dialog& dialog, DialogEffects*& effects);

  // The renderer that loaded animations draw with; the application sets it.
  render::Render* GetRender() const { return render_; }
  void SetRender(render::Render* render) { render_ = render; }

 private:
  QLResultEnum LoadData(const tinyxml2::XMLElement& data);
  QLResultEnum LoadDialogs(const tinyxml2::XMLElement& dialogs);

  std::map<std::string, std::unique_ptr<DialogEffectsDataCreatorBase>> dataCreators_;
  std::map<std::string, std::unique_ptr<DialogEffectsData>> effectData_;
  std::map<std::string, std::string> dialogs_;
  render::Render* render_ = nullptr;
};

}  // namespace widget
