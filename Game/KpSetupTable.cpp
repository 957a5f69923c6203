#include "Game/KpSetupTable.h"

#include <algorithm>
#include <limits>
#include <string>
#include <utility>

#include "Core/Base/LogMessage.h"
#include "Core/Base/TextTokenizer.h"
#include "Core/File/TextFile.h"

namespace {

constexpr char16_t kSheet[] = u"kp/setup_sheet.csv";
constexpr int kCells = 5;
// Far beyond any campaign; larger counts would have the level screens and the
// profile walk billions of levels.
constexpr int kMostLevels = 1000;

bool IsLevelCount(int count) { return count >= 0 && count <= kMostLevels; }

}  // namespace

void KpSetupTable::load() {
  TextTokenizer lines(file::ReadTextFile(kSheet), '\n', false);
  for (std::string line; lines.NextToken(&line);) readLine(line);
}

void KpSetupTable::readLine(std::string line) {
  std::erase(line, ' ');
  TextTokenizer cells(std::move(line), ';', false);
  if (cells.CountTokens() != kCells) return;
  // Every cell is there: the count was checked.
  int episode = 0;
  SetupRow row;
  cells.NextInt(episode).NextInt(row.normalLevelCount).NextInt(row.hardcoreLevelCount).NextInt(row.starsToUnlock);
  if (episode == -1) return;
  if (!IsLevelCount(row.normalLevelCount) || !IsLevelCount(row.hardcoreLevelCount)) {
    QL_LOG(u"Setup sheet '%s': episode %d asks for %d normal and %d hardcore levels, not 0 to %d each; the line is "
           u"skipped\n")
        .AddArg(kSheet)
        .AddArg(episode)
        .AddArg(row.normalLevelCount)
        .AddArg(row.hardcoreLevelCount)
        .AddArg(kMostLevels);
    return;
  }
  rows_[episode] = row;
}

const SetupRow* KpSetupTable::find(int episode) const {
  const auto found = rows_.find(episode);
  return found == rows_.end() ? nullptr : &found->second;
}

int KpSetupTable::getEpisodeCount() const { return static_cast<int>(rows_.size()); }

int KpSetupTable::getLevelCount(int episode) const {
  const SetupRow* row = find(episode);
  return row ? row->normalLevelCount : -1;
}

int KpSetupTable::getHardcoreLevelCount(int episode) const {
  const SetupRow* row = find(episode);
  return row ? row->hardcoreLevelCount : -1;
}

int KpSetupTable::getStarsToUnlock(int episode) const {
  const SetupRow* row = find(episode);
  return row ? row->starsToUnlock : -1;
}

int KpSetupTable::getTotalLevelCount() const {
  // Counts are bounded, so the sum of every row fits a long long.
  long long total = 0;
  for (int episode = 0; const SetupRow* row = find(episode); ++episode) {
    if (row->normalLevelCount > 0) total += row->normalLevelCount + row->hardcoreLevelCount;
  }
  return static_cast<int>(std::min<long long>(total, std::numeric_limits<int>::max()));
}

bool KpSetupTable::isEpisodeUnlocked(int episode, int playerStars) const {
  const SetupRow* row = find(episode);
  return row && row->normalLevelCount > 0 && row->starsToUnlock <= playerStars;
}
