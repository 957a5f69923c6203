#include "tests/Support/LevelRun.h"

#include <cmath>

#include "Core/Base/MathRandom.h"
#include "Core/Base/TextConversion.h"
#include "Game/Game.h"
#include "Game/KpMap.h"
#include "Game/KpWaves.h"

namespace testing_support {

namespace {

constexpr int kNormalMode = 1;

}  // namespace

LevelRun::LevelRun(Game& game) : map_(*game.getMap()) {}

bool LevelRun::loadCampaignLevel(int mode, int episode, int level, std::uint32_t seed) {
  map_.difficultyMode = mode;
  map_.episodeIndex = episode;
  map_.levelIndex = level;
  math::Random(seed);
  map_.loadLevel();
  return map_.levelLoadError.empty();
}

bool LevelRun::loadLevelText(std::string_view xml, int episode, int level, std::uint32_t seed) {
  levelFolder_.WriteFile("level.xml", xml);
  map_.difficultyMode = kNormalMode;
  map_.episodeIndex = episode;
  map_.levelIndex = level;
  map_.levelPath = levelFolder_.Wide("level.xml");
  math::Random(seed);
  map_.restart();
  return map_.levelLoadError.empty();
}

void LevelRun::frame() { map_.update(kFrameStep); }

void LevelRun::step(float seconds) {
  const long frames = std::lround(seconds / kFrameStep);
  for (long n = 0; n < frames; ++n) frame();
}

bool LevelRun::runUntil(const std::function<bool()>& done, float maxSeconds) {
  const long frames = std::lround(maxSeconds / kFrameStep);
  for (long n = 0; n < frames; ++n) {
    if (done()) return true;
    frame();
  }
  return done();
}

bool LevelRun::runToEnd(float maxSeconds) {
  return runUntil([this] { return ended(); }, maxSeconds);
}

int LevelRun::money() const { return map_.wallet->money; }

float LevelRun::life() const { return map_.life; }

bool LevelRun::won() const { return map_.screenState == kScreenLevelWon; }

bool LevelRun::lost() const { return map_.screenState == kScreenLevelLost; }

int LevelRun::finishedGroups() const { return map_.waves->finishedGroups(); }

}  // namespace testing_support
