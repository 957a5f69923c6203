#include "Game/PlayerProfile.h"

#include <tinyxml2.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "Core/Base/TextConversion.h"
#include "Core/File/Profiles.h"
#include "Game/XmlAttributes.h"
#include "Game/ProfileOwner.h"

using xml_attributes::ChildOrNew;
using xml_attributes::NewFirstChild;
using xml_attributes::ReadBool;
using xml_attributes::ReadFloat;
using xml_attributes::ReadInt;
using xml_attributes::TextEquals;
using xml_attributes::WriteBool;
using xml_attributes::WriteFloat;

namespace {

constexpr int kSchemaVersion = 4;
constexpr int kHardcore = 3;
constexpr int kNoUpgrade = -1;
constexpr int kUnknownUpgrade = -2;
constexpr int kNoEpisodeRow = -2;

int ClampToInt(long long value) {
  return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

std::string Utf8(const base::WString& text) { return base::ToNarrow(text, base::kEncodingUtf8); }

template <class Match>
tinyxml2::XMLElement* FindChild(tinyxml2::XMLElement& parent, const char* name, Match match) {
  for (tinyxml2::XMLElement* child = parent.FirstChildElement(name); child; child = child->NextSiblingElement(name))
    if (match(*child)) return child;
  return nullptr;
}

tinyxml2::XMLElement* FindById(tinyxml2::XMLElement& parent, const char* name, int id) {
  return FindChild(parent, name, [id](const tinyxml2::XMLElement& child) { return ReadInt(child, "id") == id; });
}

tinyxml2::XMLElement* FindByName(tinyxml2::XMLElement& parent, const char* name, const std::string& utf8) {
  return FindChild(parent, name,
                   [&utf8](const tinyxml2::XMLElement& child) { return TextEquals(child, "name", utf8); });
}

std::string EventFlagName(int flag) { return "event" + std::to_string(flag); }

std::string EpisodeVisitedName(int episode, int mode) {
  return "episode" + std::to_string(episode) + (mode == kHardcore ? 'h' : 'n');
}

float ClampVolume(float volume) { return std::isnan(volume) ? 0.0f : std::clamp(volume, 0.0f, 1.0f); }

}  // namespace

PlayerProfile::PlayerProfile(file::Profiles& profiles, ProfileOwner& owner) : profiles_(profiles), owner_(owner) {
  // Before the first load the document has no current profile.
  if (!profiles_.GetCurrentProfile()) profiles_.Load();
  takeCurrentElement();
  refreshProfileNames();
  fixSchema();
}

void PlayerProfile::takeCurrentElement() {
  element_ = profiles_.GetCurrentProfile();
  upgradeLevels_.clear();
}

tinyxml2::XMLElement& PlayerProfile::child(const char* name) { return ChildOrNew(*element_, name); }

void PlayerProfile::selectProfile(const base::WString& name) {
  displayName_ = name;
  profiles_.SetCurrentProfile(name);
  takeCurrentElement();
  save();
  owner_.setWalletGems(getGems());
  owner_.setDifficultyMode(getMode());
  owner_.loadTutorialState();
  // The profile asks for the other screen mode.
  if (getFullscreen() == owner_.isWindowed()) owner_.switchScreenMode();
  refreshProfileNames();
}

void PlayerProfile::createProfile(const base::WString& name) {
  selectProfile(name);
  fixSchema();
}

void PlayerProfile::renameCurrentProfile(const base::WString& name) {
  profiles_.RenameCurrentProfile(name);
  profiles_.SetCurrentProfile(name);
  // Another profile of that name comes first and is the document's choice.
  takeCurrentElement();
  save();
  refreshProfileNames();
}

void PlayerProfile::deleteCurrentProfile() {
  profiles_.DeleteProfile(displayName_);
  const std::vector<base::WString> names = profiles_.GetProfileNames();
  // The first named profile, or the one the document chose when none is left.
  selectProfile(names.size() >= 2 ? names[1] : profiles_.GetCurrentProfileName());
}

void PlayerProfile::refreshProfileNames() {
  const std::vector<base::WString> names = profiles_.GetProfileNames();
  // The first profile is the unnamed player's.
  names_.assign(names.begin() + (names.empty() ? 0 : 1), names.end());
  displayName_ = names.size() == 1 ? base::WString() : profiles_.GetCurrentProfileName();
}

void PlayerProfile::fixSchema() {
  child("levels");
  child("towers");
  element_->SetAttribute("version", kSchemaVersion);
}

void PlayerProfile::save() { profiles_.Save(); }

int PlayerProfile::getGems() {
  bool created = false;
  tinyxml2::XMLElement& gems = ChildOrNew(*element_, "gems", &created);
  if (created) gems.SetAttribute("amount", 0);
  return std::max(0, ReadInt(gems, "amount"));
}

void PlayerProfile::setGems(int amount) {
  child("gems").SetAttribute("amount", std::max(0, amount));
  save();
}

void PlayerProfile::addGems(int n) { setGems(ClampToInt(static_cast<long long>(getGems()) + n)); }

bool PlayerProfile::spendGems(int n) {
  const int gems = getGems();
  if (n < 0 || gems < n) return false;
  setGems(gems - n);
  return true;
}

int PlayerProfile::getMode() {
  bool created = false;
  tinyxml2::XMLElement& mode = ChildOrNew(*element_, "mode", &created);
  if (created) mode.SetAttribute("v", 0);
  const int value = ReadInt(mode, "v");
  return value >= 0 && value <= kHardcore ? value : 0;
}

void PlayerProfile::setMode(int mode) {
  child("mode").SetAttribute("v", mode);
  save();
}

float PlayerProfile::getVolume(const char* element) {
  bool created = false;
  tinyxml2::XMLElement& volume = ChildOrNew(*element_, element, &created);
  if (created) WriteFloat(volume, "v", 1.0f);
  return ClampVolume(ReadFloat(volume, "v"));
}

void PlayerProfile::setVolume(const char* element, float volume) {
  WriteFloat(child(element), "v", ClampVolume(volume));
  save();
}

float PlayerProfile::getMusicVolume() { return getVolume("music"); }
float PlayerProfile::getSoundVolume() { return getVolume("sound"); }
void PlayerProfile::setMusicVolume(float volume) { setVolume("music", volume); }
void PlayerProfile::setSoundVolume(float volume) { setVolume("sound", volume); }

bool PlayerProfile::getFullscreen() {
  bool created = false;
  tinyxml2::XMLElement& fullscreen = ChildOrNew(*element_, "fs", &created);
  if (created) WriteBool(fullscreen, "v", !owner_.isWindowed());
  return ReadBool(fullscreen, "v");
}

void PlayerProfile::setFullscreen(bool fullscreen) {
  WriteBool(child("fs"), "v", fullscreen);
  save();
}

bool PlayerProfile::isTutorialAvailable() {
  const tinyxml2::XMLElement* tutorial = element_->FirstChildElement("tutorial");
  return !tutorial || ReadBool(*tutorial, "avail");
}

void PlayerProfile::setTutorialAvailable(bool available) {
  WriteBool(child("tutorial"), "avail", available);
  save();
}

int PlayerProfile::getTutorialParam(const base::WString& name) {
  const std::string utf8 = Utf8(name);
  tinyxml2::XMLElement& tutorial = tutorialElement();
  if (const tinyxml2::XMLElement* param = FindByName(tutorial, "param", utf8)) return ReadInt(*param, "v");
  tinyxml2::XMLElement& param = NewFirstChild(tutorial, "param");
  param.SetAttribute("name", utf8.c_str());
  param.SetAttribute("v", 0);
  save();
  return 0;
}

void PlayerProfile::setTutorialParam(const base::WString& name, int value) {
  getTutorialParam(name);
  FindByName(tutorialElement(), "param", Utf8(name))->SetAttribute("v", value);
  save();
}

tinyxml2::XMLElement& PlayerProfile::tutorialElement() {
  bool created = false;
  tinyxml2::XMLElement& tutorial = ChildOrNew(*element_, "tutorial", &created);
  if (created) WriteBool(tutorial, "avail", true);
  return tutorial;
}

int PlayerProfile::getTutorialStepState(int id) {
  tinyxml2::XMLElement& tutorial = tutorialElement();
  if (const tinyxml2::XMLElement* step = FindById(tutorial, "step", id)) return ReadInt(*step, "state");
  tinyxml2::XMLElement& step = NewFirstChild(tutorial, "step");
  step.SetAttribute("id", id);
  step.SetAttribute("state", 0);
  save();
  return 0;
}

void PlayerProfile::setTutorialStepState(int id, int state) {
  getTutorialStepState(id);
  FindById(tutorialElement(), "step", id)->SetAttribute("state", state);
  save();
}

bool PlayerProfile::getEventFlag(int flag) {
  const tinyxml2::XMLElement* visited = element_->FirstChildElement("episodeVisited");
  return visited && ReadBool(*visited, EventFlagName(flag).c_str());
}

void PlayerProfile::setEventFlag(int flag) {
  WriteBool(child("episodeVisited"), EventFlagName(flag).c_str(), true);
  save();
}

int PlayerProfile::getEpisodeVisited(int episode, int mode) {
  const tinyxml2::XMLElement* visited = element_->FirstChildElement("episodeVisited");
  return visited ? std::max(0, ReadInt(*visited, EpisodeVisitedName(episode, mode).c_str())) : 0;
}

void PlayerProfile::setEpisodeVisited(int episode, int mode, int count) {
  tinyxml2::XMLElement* visited = element_->FirstChildElement("episodeVisited");
  if (!visited) visited = element_->InsertNewChildElement("episodeVisited");
  visited->SetAttribute(EpisodeVisitedName(episode, mode).c_str(), count);
  save();
}

int PlayerProfile::getLastEpisode() { return std::max(0, ReadInt(*element_, "lastEpisode")); }

int PlayerProfile::getStarCount(int episode) {
  const tinyxml2::XMLElement* levels = element_->FirstChildElement("levels");
  if (!levels) return 0;
  long long stars = 0;
  for (const tinyxml2::XMLElement* level = levels->FirstChildElement(); level; level = level->NextSiblingElement()) {
    if (episode == -1 || ReadInt(*level, "episode") == episode) stars += std::max(0, ReadInt(*level, "stars"));
  }
  return ClampToInt(stars);
}

tinyxml2::XMLElement* PlayerProfile::findLevelElement(int episode, int level, int mode) {
  tinyxml2::XMLElement& levels = child("levels");
  for (tinyxml2::XMLElement* entry = levels.FirstChildElement("level"); entry; entry = entry->NextSiblingElement()) {
    if (ReadInt(*entry, "n") == level && ReadInt(*entry, "episode") == episode && ReadInt(*entry, "mode") == mode)
      return entry;
  }
  tinyxml2::XMLElement& entry = NewFirstChild(levels, "level");
  entry.SetAttribute("n", level);
  entry.SetAttribute("episode", episode);
  entry.SetAttribute("mode", mode);
  return &entry;
}

LevelResult PlayerProfile::getLevelResult(int episode, int level, int mode) {
  const tinyxml2::XMLElement& entry = *findLevelElement(episode, level, mode);
  LevelResult result;
  result.kills = ReadInt(entry, "kills");
  result.combo = ReadInt(entry, "combo");
  result.healthBonus = ReadInt(entry, "healthBonus");
  result.stars = std::max(0, ReadInt(entry, "stars"));
  result.gems = ReadInt(entry, "gems");
  result.high = ReadInt(entry, "high");
  result.mode = ReadInt(entry, "mode");
  return result;
}

void PlayerProfile::storeLevelResult(int episode, int level, int mode, const LevelResult& result) {
  tinyxml2::XMLElement& entry = *findLevelElement(episode, level, mode);
  entry.SetAttribute("combo", result.combo);
  entry.SetAttribute("kills", result.kills);
  entry.SetAttribute("healthBonus", result.healthBonus);
  entry.SetAttribute("gems", result.gems);
  entry.SetAttribute("high", std::max(ReadInt(entry, "high"), ClampToInt(result.getTotalScore())));
  entry.SetAttribute("stars", std::max(ReadInt(entry, "stars"), result.stars));
  element_->SetAttribute("lastEpisode", episode);
  addGems(result.gems);
}

int PlayerProfile::getLastOpenLevel(int episode, int mode) {
  const int count = mode == kHardcore ? owner_.getHardcoreLevelCount(episode) : owner_.getLevelCount(episode);
  if (count < 0) return kNoEpisodeRow;
  for (int level = 0; level < count; ++level) {
    if (getLevelResult(episode, level, mode).stars == 0) return level;
  }
  return count - 1;
}

bool PlayerProfile::isLevelOpen(int episode, int level, int mode) { return level <= getLastOpenLevel(episode, mode); }

LevelPlace PlayerProfile::getFurthestProgress() {
  LevelPlace furthest;
  for (int episode = owner_.getEpisodeCount() - 1; episode >= 0; --episode) {
    if (!owner_.isEpisodeUnlocked(episode)) continue;
    furthest.episode = episode;
    const int mode = owner_.getDifficultyMode();
    const int count = owner_.getLevelCount(episode);
    for (int level = 0; level < count; ++level) {
      if (getLevelResult(episode, level, mode).stars > 0) furthest.level = level;
    }
    break;
  }
  return furthest;
}

bool PlayerProfile::isHardcore() { return owner_.getDifficultyMode() == kHardcore; }

int PlayerProfile::getUpgradeLevel(int upgradeId) {
  return isHardcore() ? kNoUpgrade : getStoredUpgradeLevel(upgradeId);
}

tinyxml2::XMLElement& PlayerProfile::upgradesElement() {
  bool created = false;
  tinyxml2::XMLElement& upgrades = ChildOrNew(*element_, "upgrades", &created);
  if (!created) return upgrades;
  for (const int id : owner_.getUpgradeIds()) {
    tinyxml2::XMLElement& upgrade = NewFirstChild(upgrades, "upgrade");
    upgrade.SetAttribute("id", id);
    upgrade.SetAttribute("level", kNoUpgrade);
  }
  return upgrades;
}

int PlayerProfile::getStoredUpgradeLevel(int upgradeId) {
  if (const auto cached = upgradeLevels_.find(upgradeId); cached != upgradeLevels_.end()) return cached->second;
  upgradeLevels_[upgradeId] = kNoUpgrade;
  if (!element_->FirstChildElement("upgrades")) {
    upgradesElement();
    save();
    return kNoUpgrade;
  }
  const tinyxml2::XMLElement* upgrade = FindById(child("upgrades"), "upgrade", upgradeId);
  if (!upgrade) return kUnknownUpgrade;
  // Below -1 nothing is bought either.
  return upgradeLevels_[upgradeId] = std::max(kNoUpgrade, ReadInt(*upgrade, "level"));
}

void PlayerProfile::setUpgradeLevel(int upgradeId, int level) {
  upgradeLevels_[upgradeId] = level;
  tinyxml2::XMLElement& upgrades = upgradesElement();
  tinyxml2::XMLElement* upgrade = FindById(upgrades, "upgrade", upgradeId);
  if (!upgrade) {
    upgrade = &NewFirstChild(upgrades, "upgrade");
    upgrade->SetAttribute("id", upgradeId);
  }
  upgrade->SetAttribute("level", level);
  save();
}

void PlayerProfile::addOwnedSpot(const base::WString& spotName, int episode, int level) {
  tinyxml2::XMLElement& spot = NewFirstChild(child("owned"), "spot");
  spot.SetAttribute("name", Utf8(spotName).c_str());
  spot.SetAttribute("episode", episode);
  spot.SetAttribute("level", level);
  spot.SetAttribute("mode", owner_.getDifficultyMode());
  save();
}

bool PlayerProfile::isSpotOwned(const base::WString& spotName, int episode, int level) {
  tinyxml2::XMLElement* owned = element_->FirstChildElement("owned");
  if (!owned) return false;
  const std::string utf8 = Utf8(spotName);
  const bool hardcore = isHardcore();
  const auto matches = [&](const tinyxml2::XMLElement& spot) {
    return TextEquals(spot, "name", utf8) && ReadInt(spot, "episode") == episode && ReadInt(spot, "level") == level &&
           (ReadInt(spot, "mode") == kHardcore) == hardcore;
  };
  return FindChild(*owned, "spot", matches) != nullptr;
}
