#include "Core/Widget/DialogEffectsManager.h"

#include <tinyxml2.h>

#include "Core/Base/LogMessage.h"
#include "Core/Base/TextConversion.h"
#include "Core/Resource/ResourceManager.h"
#include "Core/Widget/Dialog.h"
#include "Core/Widget/DialogAnimEffects.h"

namespace widget {

namespace {

base::WString Wide(const std::string& text) { return base::ToWide(text, base::kEncodingUtf8); }

}  // namespace

DialogEffectsManager::DialogEffectsManager() {
  dataCreators_.emplace("Anim", std::make_unique<DialogEffectsDataCreator<DialogAnimEffectsData>>());
}

DialogEffectsManager::~DialogEffectsManager() = default;

std::vector<base::SingletoneBase*> DialogEffectsManager::GetDependencies() {
  resource::ResourceManager* resources = resource::ResourceManager::Existing();
  if (!resources) return {};
  return {resources};
}

QLResultEnum DialogEffectsManager::Load(const tinyxml2::XMLElement& effects) {
  if (const tinyxml2::XMLElement* data = effects.FirstChildElement("Data")) {
    if (const QLResultEnum result = LoadData(*data)) return result;
  }
  if (const tinyxml2::XMLElement* dialogs = effects.FirstChildElement("Dialogs")) {
    if (const QLResultEnum result = LoadDialogs(*dialogs)) return result;
  }
  return QL_OK;
}

QLResultEnum DialogEffectsManager::LoadData(const tinyxml2::XMLElement& data) {
  for (const tinyxml2::XMLElement* entry = data.FirstChildElement(); entry; entry = entry->NextSiblingElement()) {
    const std::string kind = entry->Name();
    const auto creator = dataCreators_.find(kind);
    if (creator == dataCreators_.end()) {
      QL_LOG(u"Dialog effects: unknown effect kind '%s'\n").AddArg(Wide(kind));
      return QL_FAIL;
    }
    const char* key = entry->Attribute("name");
    if (!key) {
      QL_LOG(u"Dialog effects: a '%s' entry has no name\n").AddArg(Wide(kind));
      return QL_FAIL;
    }
    if (effectData_.contains(key)) {
      QL_LOG(u"Dialog effects: the name '%s' is used twice\n").AddArg(Wide(key));
      return QL_FAIL;
    }
    std::unique_ptr<DialogEffectsData> loaded(creator->second->Create());
    if (const QLResultEnum result = loaded->Load(*entry)) {
      QL_LOG(u"Dialog effects: the entry '%s' cannot be loaded\n").AddArg(Wide(key));
      return result;
    }
    effectData_.emplace(key, std::move(loaded));
  }
  return QL_OK;
}

QLResultEnum DialogEffectsManager::LoadDialogs(const tinyxml2::XMLElement& dialogs) {
  for (const tinyxml2::XMLElement* entry = dialogs.FirstChildElement(); entry;
       entry = entry->NextSiblingElement()) {
    const char* key = entry->Attribute("effects");
    if (!key) {
      QL_LOG(u"Dialog effects: the dialog '%s' names no effects\n").AddArg(Wide(entry->Name()));
      return QL_FAIL;
    }
    if (!dialogs_.emplace(entry->Name(), key).second) {
      QL_LOG(u"Dialog effects: the dialog '%s' is listed twice\n").AddArg(Wide(entry->Name()));
      return QL_FAIL;
    }
  }
  return QL_OK;
}

QLResultEnum DialogEffectsManager::CreateEffects(Dialog& dialog, DialogEffects*& effects) {
  effects = nullptr;
  const auto mapped = dialogs_.find(dialog.GetName());
  if (mapped == dialogs_.end()) return QL_OK;
  const std::string& key = mapped->second;
  if (const auto data = effectData_.find(key); data != effectData_.end()) {
    if (data->second->CreateEffects(&dialog, effects) != QL_OK) {
      QL_LOG(u"Dialog effects: the effects '%s' of the dialog '%s' cannot be made; it shows without them\n")
          .AddArg(Wide(key))
          .AddArg(Wide(dialog.GetName()));
      effects = nullptr;
    }
    return QL_OK;
  }
  QL_LOG(u"Dialog effects: no effects '%s' for the dialog '%s'; it shows without them\n")
      .AddArg(Wide(key))
      .AddArg(Wide(dialog.GetName()));
  return QL_OK;
}

}  // namespace widget
