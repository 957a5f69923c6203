#pragma once

#include <memory>
#include <vector>

#include "Core/Base/Singletone.h"
#include "Core/Base/WString.h"
#include "Core/Sound/Sound.h"

namespace w4 {

class PlayerVolumes;

struct SoundTagEntry {
  base::WString tag;
  // Below "kp/data/sound/"; empty for a tag without a sound.
  base::WString file;
  int group = 0;
  float volume = 1.0f;
  // Null when the file is empty.
  std::unique_ptr<Sound> sound;
};

// The game's sounds by tag, from the sound sheet.
class SoundTags : public base::Singletone<SoundTags> {
 public:
  ~SoundTags() override;

  // Its sounds hold channels of the sound system and samples of the
  // resource manager.
  std::vector<base::SingletoneBase*> GetDependencies() override;

  // Replaces the table with the sheet's entries, loading their sounds; a
  // missing sheet gives an empty table.
  bool Load(const base::WString& path);
  // Plays the first entry of the tag that has a file, from its start, at the
  // player's sound volume, or the entry's own volume while there is no
  // player. False when there is no such entry.
  bool Play(const base::WString& tag);
  void Clear();

  // Null when there is no player; the caller keeps it alive until it is
  // replaced.
  void SetPlayerVolumes(PlayerVolumes* volumes) { playerVolumes_ = volumes; }
  PlayerVolumes* GetPlayerVolumes() const { return playerVolumes_; }

  const std::vector<std::unique_ptr<SoundTagEntry>>& GetEntries() const { return entries_; }

 private:
  friend class base::Singletone<SoundTags>;
  SoundTags();

  std::vector<std::unique_ptr<SoundTagEntry>> entries_;
  PlayerVolumes* playerVolumes_ = nullptr;
};

}  // namespace w4
