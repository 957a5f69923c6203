#pragma once

#include <map>
#include <vector>

#include "Core/Base/NoCopy.h"
#include "Core/Base/WString.h"
#include "Game/LevelPlace.h"
#include "Game/LevelResult.h"
#include "Game/UpgradeSources.h"

namespace tinyxml2 {
class XMLElement;
}
namespace file {
class Profiles;
}
class ProfileOwner;

// The game's view of the current player's stored progress and settings: it
// reads and writes the current "Profile" element of the profiles document
// directly and keeps no copy beyond the upgrade levels. Whatever a value in
// the file holds, it reads as a value the game can use.
class PlayerProfile : public UpgradeLevelSource, base::NoCopy {
 public:
  PlayerProfile(file::Profiles& profiles, ProfileOwner& owner);

  // Makes the named profile current, creating it when missing, and hands its
  // gems, mode, tutorial state and screen mode to the game. Saves.
  void selectProfile(const base::WString& name);
  void createProfile(const base::WString& name);
  void renameCurrentProfile(const base::WString& name);
  void deleteCurrentProfile();
  void refreshProfileNames();
  // Adds what older profiles lack. Does not save.
  void fixSchema();
  void save();

  // Every profile but the unnamed player's first one, in document order.
  const std::vector<base::WString>& getProfileNames() const { return names_; }
  // Empty while the player has not named a profile.
  const base::WString& getDisplayName() const { return displayName_; }

  // Never below 0.
  int getGems();
  void setGems(int amount);
  void addGems(int n);
  // False, and nothing changes, when the purse holds fewer than n or n < 0.
  bool spendGems(int n);

  int getMode();
  void setMode(int mode);

  // 0 to 1.
  float getMusicVolume();
  float getSoundVolume();
  void setMusicVolume(float volume);
  void setSoundVolume(float volume);

  bool getFullscreen();
  void setFullscreen(bool fullscreen);

  bool isTutorialAvailable();
  void setTutorialAvailable(bool available);
  int getTutorialParam(const base::WString& name);
  void setTutorialParam(const base::WString& name, int value);
  // 0 new, 1 active, 2 done.
  int getTutorialStepState(int id);
  void setTutorialStepState(int id, int state);

  // One-shot flags: 0 once the hardcore introduction was shown, episode + 1
  // once the bonus for finishing the whole episode was paid.
  bool getEventFlag(int flag);
  void setEventFlag(int flag);

  // The number of levels of the episode the player has seen on the level
  // select; hardcore counts apart from the other modes.
  int getEpisodeVisited(int episode, int mode);
  void setEpisodeVisited(int episode, int mode, int count);

  // The episode of the last stored level result.
  int getLastEpisode();
  // Over every mode; episode -1 counts every episode.
  int getStarCount(int episode);
  LevelResult getLevelResult(int episode, int level, int mode);
  // Keeps the best score and stars, overwrites the rest and adds the gems.
  void storeLevelResult(int episode, int level, int mode, const LevelResult& result);
  // The first level without stars, the last level when all have stars; -2
  // for an episode the setup sheet does not list.
  int getLastOpenLevel(int episode, int mode);
  bool isLevelOpen(int episode, int level, int mode);
  // The last open episode and its last level with stars in the current mode.
  LevelPlace getFurthestProgress();

  // The bought level that counts on the map: in hardcore no upgrade counts.
  int getUpgradeLevel(int upgradeId) override;
  // The bought level in every mode, for the shop and refunds: -1 when none
  // is bought; -2 once for an id the profile has never heard of.
  int getStoredUpgradeLevel(int upgradeId);
  void setUpgradeLevel(int upgradeId, int level);

  // Spots bought in easy, normal or hard count in all three; hardcore keeps
  // its own.
  void addOwnedSpot(const base::WString& spotName, int episode, int level);
  bool isSpotOwned(const base::WString& spotName, int episode, int level);

 private:
  void takeCurrentElement();
  tinyxml2::XMLElement& child(const char* name);
  tinyxml2::XMLElement* findLevelElement(int episode, int level, int mode);
  tinyxml2::XMLElement& upgradesElement();
  tinyxml2::XMLElement& tutorialElement();
  float getVolume(const char* element);
  void setVolume(const char* element, float volume);
  bool isHardcore();

  file::Profiles& profiles_;
  ProfileOwner& owner_;
  // Owned by the profiles document.
  tinyxml2::XMLElement* element_ = nullptr;
  std::map<int, int> upgradeLevels_;
  std::vector<base::WString> names_;
  base::WString displayName_;
};
