#include "Game/KpUnlockTable.h"

#include <algorithm>
#include <utility>

#include "Core/Base/NumberText.h"
#include "Core/Base/TextTokenizer.h"
#include "Core/File/TextFile.h"
#include "Game/PlayerPosition.h"

namespace {

constexpr char16_t kSheet[] = u"kp/unlocks.csv";
constexpr int kHardcore = 3;
constexpr int kEveryTower = -1;
// The hardcore heroes, announced on the first level of hardcore.
const std::vector<int> kHardcoreNewTowers = {36, 37, 38};

}  // namespace

KpUnlockTable::KpUnlockTable(PlayerPosition& position) : position_(position) {
  TextTokenizer lines(file::ReadTextFile(kSheet), '\n', true);
  LevelPlace place;
  for (std::string line; lines.NextToken(&line);) readLine(line, place);
}

void KpUnlockTable::readLine(std::string line, LevelPlace& place) {
  std::erase(line, ' ');
  // A line of a CRLF file ends in '\r'; a blank one holds nothing else and
  // must not read as a line of episode 0.
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.find_first_not_of('\t') == std::string::npos) return;
  TextTokenizer cells(std::move(line), ';', false);
  // A missing cell keeps what the previous line gave.
  cells.NextInt(place.episode).NextInt(place.level);
  std::string idList;
  cells.NextToken(&idList);

  Line& entry = lines_[place.episode][place.level];
  entry.newIds.clear();
  TextTokenizer ids(idList, ',', false);
  for (std::string id; ids.NextToken(&id);) {
    if (!id.empty()) entry.newIds.push_back(base::LeadingInt(id).value_or(0));
  }
  allIds_.insert(allIds_.end(), entry.newIds.begin(), entry.newIds.end());
  entry.openCount = allIds_.size();
}

const KpUnlockTable::Line* KpUnlockTable::find(LevelPlace place) const {
  const auto episode = lines_.find(place.episode);
  if (episode == lines_.end()) return nullptr;
  const auto level = episode->second.find(place.level);
  return level == episode->second.end() ? nullptr : &level->second;
}

bool KpUnlockTable::isOpenOn(LevelPlace place, int protoId) const {
  const Line* line = find(place);
  if (!line) return false;
  const auto open = allIds_.begin() + static_cast<std::ptrdiff_t>(line->openCount);
  return std::any_of(allIds_.begin(), open, [protoId](int id) { return id == protoId || id == kEveryTower; });
}

bool KpUnlockTable::isTowerUnlocked(int protoId) {
  return position_.getDifficultyMode() == kHardcore || isOpenOn(position_.getCurrentLevel(), protoId);
}

bool KpUnlockTable::isUnlockedByProgress(int protoId) { return isOpenOn(position_.getFurthestProgress(), protoId); }

std::vector<int> KpUnlockTable::getNewUnlocks() {
  const LevelPlace current = position_.getCurrentLevel();
  if (position_.getDifficultyMode() == kHardcore) {
    return current == LevelPlace{} ? kHardcoreNewTowers : std::vector<int>{};
  }
  const Line* line = find(current);
  return line ? line->newIds : std::vector<int>{};
}
