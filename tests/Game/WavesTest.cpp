#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "Core/Base/Log.h"
#include "Core/Base/SingletonRegistry.h"
#include "Game/KpEnemy.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpModifier.h"
#include "Game/KpPoint.h"
#include "Game/KpWaveHints.h"
#include "Game/KpWaveLanes.h"
#include "Game/KpWaves.h"
#include "tests/Support/CaseNames.h"
#include "tests/Support/RecordingLogOutput.h"

namespace {

class WavesTest : public ::testing::Test {
 protected:
  WavesTest() { base::MainLog::Instance()->AddOutput(new testing_support::RecordingLogOutput(log_)); }
  ~WavesTest() override { SingletonRegistry::Shutdown(); }

  int Load(const std::string& xml) {
    document_.Clear();
    EXPECT_EQ(document_.Parse(xml.c_str()), tinyxml2::XML_SUCCESS);
    return waves_.load(document_.RootElement());
  }

  int LogLinesWith(std::u16string_view text) const {
    return static_cast<int>(std::count_if(log_.begin(), log_.end(), [text](const base::WString& line) {
      return line.find(text) != base::WString::npos;
    }));
  }

  std::vector<base::WString> log_;
  tinyxml2::XMLDocument document_;
  KpWaves waves_;
};

TEST_F(WavesTest, EntriesKeepTheirUnitTierTimeAndLaneInFileOrder) {
  ASSERT_EQ(Load(R"(<waves><wave timeout="5" spawn="3" wipeAward="10">
      <e id="7" upgrade="2" x="45" y="-65"/><anything id="8"/></wave></waves>)"),
            1);
  const KpWaveProto& wave = *waves_.waves()[0];
  EXPECT_EQ(wave.timeout, 5);
  EXPECT_EQ(wave.spawner, 3);
  EXPECT_EQ(wave.wipeAward, 10);
  EXPECT_EQ(wave.state, KpWaveProto::kWaiting);
  ASSERT_EQ(wave.entries.size(), 2u);
  const KpWaveEntry& first = *wave.entries[0];
  EXPECT_EQ(first.unitId, 7);
  EXPECT_EQ(first.upgrade, 2);
  EXPECT_EQ(first.x, 45.0f);
  EXPECT_EQ(first.y, -65.0f);
  EXPECT_EQ(first.state, KpWaveEntry::kNotSpawned);
  EXPECT_FALSE(first.spawned);
  EXPECT_EQ(first.wave, &wave);
  const KpWaveEntry& bare = *wave.entries[1];
  EXPECT_EQ(bare.unitId, 8) << "any element name is an entry";
  EXPECT_EQ(bare.upgrade, 0) << "a missing tier reads as 0, which is tier -1";
  EXPECT_EQ(LogLinesWith(u"LOADED ENEMY WAVE=(timeout=5, spawner=3)"), 1);
}

struct WaveAttributeCase {
  const char* name;
  const char* wavesAttributes;
  const char* waveAttributes;
  int timeout;
  int linked;
  float scale;
};

void PrintTo(const WaveAttributeCase& c, std::ostream* out) { *out << c.name; }

class WaveAttributeTest : public WavesTest, public ::testing::WithParamInterface<WaveAttributeCase> {};

TEST_P(WaveAttributeTest, ReadsAsTheLevelMeansIt) {
  const WaveAttributeCase& c = GetParam();
  ASSERT_EQ(Load(std::string("<waves ") + c.wavesAttributes + "><wave spawn='1' " + c.waveAttributes +
                 "><e id='1'/></wave></waves>"),
            1);
  const KpWaveProto& wave = *waves_.waves()[0];
  EXPECT_EQ(wave.timeout, c.timeout);
  EXPECT_EQ(wave.linked, c.linked);
  EXPECT_EQ(wave.scale, c.scale);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WaveAttributeTest,
    ::testing::Values(
        WaveAttributeCase{"Defaults", "", "", 0, -1, 1.0f},
        WaveAttributeCase{"GlobalTimeoutIsRoundedDown", "timeout='2.7'", "timeout='5'", 7, -1, 1.0f},
        WaveAttributeCase{"NegativeGlobalTimeoutIsRoundedDown", "timeout='-0.5'", "timeout='5'", 4, -1, 1.0f},
        WaveAttributeCase{"HugeTimeoutsStayInRange", "timeout='3e38'", "timeout='2000000000'", 2147483647, -1, 1.0f},
        WaveAttributeCase{"UnreadableGlobalTimeoutIsZero", "timeout='soon'", "timeout='5'", 5, -1, 1.0f},
        WaveAttributeCase{"LinkedWave", "", "linked='2'", 0, 2, 1.0f},
        WaveAttributeCase{"UnreadableLinkIsTheFirstWave", "", "linked='next'", 0, 0, 1.0f},
        WaveAttributeCase{"ScaleZeroCountsAsOne", "", "scale='0'", 0, -1, 1.0f},
        WaveAttributeCase{"ScaleKept", "", "scale='2'", 0, -1, 2.0f}),
    testing_support::RowName());

TEST_F(WavesTest, WavesStartAtTheFirstWaveElementAndEmptyOnesTakeNoNumber) {
  ASSERT_EQ(Load(R"(<waves><note><e id="9"/></note>
      <wave spawn="1"><e id="1"/></wave>
      <wave spawn="1"/>
      <other spawn="1" linked="1"><e id="2"/></other></waves>)"),
            2);
  EXPECT_EQ(waves_.waves()[0]->entries[0]->unitId, 1);
  EXPECT_EQ(waves_.waves()[1]->entries[0]->unitId, 2) << "a later sibling counts whatever its name";
  EXPECT_EQ(waves_.waves()[1]->linked, 1);
  EXPECT_EQ(waves_.getWaveCount(), 1) << "only waves of their own count";
  EXPECT_EQ(LogLinesWith(u"has no entries"), 1);
  EXPECT_EQ(LogLinesWith(u"never runs"), 0);

  ASSERT_EQ(Load("<waves><wave spawn='1' linked='2'><e id='1'/></wave><wave spawn='1' linked='-3'><e id='1'/></wave>"
                 "<wave spawn='1'/></waves>"),
            2);
  EXPECT_EQ(LogLinesWith(u"Wave 0 is linked to wave 2"), 1) << "the dropped wave takes no number";
  EXPECT_EQ(LogLinesWith(u"Wave 1 is linked to wave -3"), 1);
}

TEST_F(WavesTest, NoWavesElementLeavesNoWaves) {
  ASSERT_EQ(Load("<waves><wave spawn='1'><e id='1'/></wave></waves>"), 1);
  EXPECT_EQ(waves_.load(nullptr), 0);
  EXPECT_TRUE(waves_.waves().empty());
  EXPECT_EQ(waves_.getWaveCount(), 0);
  EXPECT_GE(LogLinesWith(u"no waves"), 1);
}

TEST_F(WavesTest, MissingAndUnreadableNumbersAreLoggedAndLoadingGoesOn) {
  ASSERT_EQ(Load(R"(<waves><wave timeout="later"><e x="fast" y="-65"/></wave></waves>)"), 1);
  const KpWaveEntry& entry = *waves_.waves()[0]->entries[0];
  EXPECT_EQ(entry.unitId, 0);
  EXPECT_EQ(entry.x, 0.0f);
  EXPECT_EQ(entry.y, -65.0f);
  EXPECT_EQ(waves_.waves()[0]->timeout, 0);
  EXPECT_EQ(LogLinesWith(u"'timeout' = 'later' is not a number"), 1);
  EXPECT_EQ(LogLinesWith(u"'x' = 'fast' is not a number"), 1);
  EXPECT_EQ(LogLinesWith(u"has no attribute 'id'"), 1);
  EXPECT_EQ(LogLinesWith(u"has no attribute 'spawn'"), 1);
}

TEST_F(WavesTest, EntriesBeyondTheLevelsBoundAreLeftOut) {
  std::string xml = "<waves><wave spawn='1'>";
  for (int i = 0; i < KpWaves::kMaxEntries; ++i) xml += "<e id='1'/>";
  xml += "</wave><wave spawn='1'><e id='2'/></wave></waves>";
  ASSERT_EQ(Load(xml), 1);
  EXPECT_EQ(static_cast<int>(waves_.waves()[0]->entries.size()), KpWaves::kMaxEntries);
  EXPECT_EQ(LogLinesWith(u"Too many wave entries"), 1);
}

TEST_F(WavesTest, ResetDropsRunTimeEntriesAndRewindsTheRest) {
  ASSERT_EQ(Load("<waves><wave spawn='1'><e id='1' x='0'/><e id='2' x='90'/></wave></waves>"), 1);
  KpWaveProto& wave = *waves_.waves()[0];
  wave.state = KpWaveProto::kRunning;
  wave.elapsed = 12.0f;
  wave.spawnCount = 2;
  wave.entries[0]->spawned = true;
  wave.entries[0]->setState(KpWaveEntry::kKilled);
  auto* summoned = new KpWaveEntry(&wave);
  summoned->x = KpWaveEntry::kMadeAtRunTime;
  wave.entries.insert(wave.entries.begin() + 1, summoned);

  waves_.reset();
  EXPECT_EQ(LogLinesWith(u"time -1"), 0);
  ASSERT_EQ(wave.entries.size(), 2u);
  EXPECT_EQ(wave.entries[0]->unitId, 1);
  EXPECT_EQ(wave.entries[1]->unitId, 2);
  EXPECT_EQ(wave.entries[0]->state, KpWaveEntry::kNotSpawned);
  EXPECT_FALSE(wave.entries[0]->spawned);
  EXPECT_EQ(wave.state, KpWaveProto::kWaiting);
  EXPECT_EQ(wave.elapsed, 0.0f);
  EXPECT_EQ(wave.spawnCount, 0);
  EXPECT_TRUE(waves_.running().empty());
  EXPECT_EQ(waves_.currentWave(), 0);
  EXPECT_EQ(waves_.finishedGroups(), 0);
}

TEST_F(WavesTest, AFileEntryAtTheTimeOfSummonedUnitsIsLogged) {
  ASSERT_EQ(Load("<waves><wave spawn='1'><e id='1' x='-1'/></wave></waves>"), 1);
  EXPECT_EQ(LogLinesWith(u"time -1"), 1);
}

TEST_F(WavesTest, UnknownSpawnPointsAreReported) {
  ASSERT_EQ(Load(R"(<waves><wave spawn="1"><e id="1"/></wave><wave spawn="4"><e id="1"/></wave>
      <wave spawn="-1"><e id="1"/></wave></waves>)"),
            3);
  EXPECT_EQ(waves_.reportUnknownSpawnPoints([](int id) { return id == 1; }), 2);
  EXPECT_EQ(LogLinesWith(u"point 4"), 1);
  EXPECT_EQ(LogLinesWith(u"default spawn point"), 1);
  EXPECT_EQ(waves_.reportUnknownSpawnPoints([](int) { return true; }), 0);
}

TEST_F(WavesTest, TheRouteBuilderGetsTheLanesOfTheWavesAtEachSpawnPoint) {
  ASSERT_EQ(Load(R"(<waves><wave spawn="2"><e id="1" y="0"/><e id="1" y="-130"/></wave>
      <wave spawn="1"><e id="1" y="-65"/></wave>
      <wave spawn="-1"><e id="1" y="-100"/></wave></waves>)"),
            3);
  const KpWaveLanes lanes(waves_, 2);
  EXPECT_EQ(lanes.laneKeysFrom(2), (std::vector<int>{-20, 20, 10})) << "the default spawn point's waves come too";
  EXPECT_EQ(lanes.laneKeysFrom(1), (std::vector<int>{0}));
  EXPECT_TRUE(lanes.laneKeysFrom(3).empty());
  const KpWaveLanes noDefault(waves_, std::nullopt);
  EXPECT_EQ(noDefault.laneKeysFrom(2), (std::vector<int>{-20, 20}));
  EXPECT_TRUE(noDefault.laneKeysFrom(-1).empty()) << "no point has the id -1";
}

struct LaneCase {
  const char* name;
  float y;
  int laneKey;
};

void PrintTo(const LaneCase& c, std::ostream* out) { *out << c.name; }

class LaneKeyTest : public ::testing::TestWithParam<LaneCase> {};

TEST_P(LaneKeyTest, EntryWalksItsLane) {
  KpWaveEntry entry(nullptr);
  entry.y = GetParam().y;
  EXPECT_EQ(entry.laneKey(), GetParam().laneKey);
}

INSTANTIATE_TEST_SUITE_P(Cases, LaneKeyTest,
                         ::testing::Values(LaneCase{"Top", 0.0f, -20}, LaneCase{"Middle", -65.0f, 0},
                                           LaneCase{"Bottom", -130.0f, 20},
                                           LaneCase{"BetweenTruncatesTowardZero", -100.0f, 10},
                                           LaneCase{"AboveTopTruncatesTowardZero", 30.0f, -29},
                                           LaneCase{"FarAwayStaysInRange", -3e38f, 2147483647}),
                         testing_support::RowName());

// The level as the schedule sees it: points 1 (the default spawn point) and
// 2, the units 1 to 3, and a record of what the schedule asked for.
class RecordingWorld : public WaveWorld {
 public:
  RecordingWorld() {
    document_.Parse(R"(<points><point id="1" x="1010" y="40"/><point id="2" x="300" y="650"/></points>)");
    for (const tinyxml2::XMLElement* point = document_.RootElement()->FirstChildElement(); point;
         point = point->NextSiblingElement())
      points_.push_back(std::make_unique<KpPoint>(*point, 1.0f));
  }

  const KpPoint* findPoint(int id) const override {
    for (const auto& point : points_)
      if (point->id == id) return point.get();
    return nullptr;
  }
  const KpPoint* findSpawnPoint() const override { return points_.front().get(); }
  bool hasUnit(const KpWaveEntry& entry) const override { return entry.unitId >= 1 && entry.unitId <= 3; }
  KpEnemy* spawnUnit(KpWaveEntry* entry, const KpPoint* spawnPoint) override {
    spawns.push_back({entry->unitId, entry->wave->elapsed, spawnPoint->id});
    return entry->unitId == refusedUnit ? nullptr : waves->addEnemy(entry, spawnPoint);
  }
  void onUnitRemoved(KpEnemy* unit) override {
    removed.push_back(unit);
    const std::vector<KpEnemy*>& live = waves->enemies();
    if (std::find(live.begin(), live.end(), unit) != live.end()) ADD_FAILURE() << "a removed unit is still listed";
  }
  void addMoney(int amount) override { payments.push_back(amount); }
  KpWaveHints* waveHints() override { return &hints; }
  void levelWon() override { ++wins; }

  struct Spawn {
    int unitId;
    float waveTime;
    int pointId;
  };
  KpWaves* waves = nullptr;
  // spawnUnit gives no unit for this id.
  int refusedUnit = 0;
  std::vector<Spawn> spawns;
  std::vector<KpEnemy*> removed;
  std::vector<int> payments;
  KpWaveHints hints{nullptr};
  int wins = 0;

 private:
  tinyxml2::XMLDocument document_;
  std::vector<std::unique_ptr<KpPoint>> points_;
};

// Frames of 1/64 s keep every clock exact.
constexpr float kFrame = 1.0f / 64.0f;

class WaveScheduleTest : public WavesTest {
 protected:
  WaveScheduleTest() : world_(new RecordingWorld), schedule_(std::unique_ptr<WaveWorld>(world_)) {
    world_->waves = &schedule_;
  }

  int LoadSchedule(const std::string& xml) {
    document_.Clear();
    EXPECT_EQ(document_.Parse(xml.c_str()), tinyxml2::XML_SUCCESS);
    return schedule_.load(document_.RootElement());
  }

  void Run(float seconds) {
    for (int frames = static_cast<int>(seconds / kFrame); frames > 0; --frames) schedule_.update(kFrame);
  }

  // Every live unit dies, or walks into the base.
  void EndLiveUnits(bool escape) {
    for (KpEnemy* unit : schedule_.enemies()) {
      unit->reachedBase = escape;
      unit->inPlay = 0;
    }
  }

  // Steps until the level is won, killing every unit as it comes; the frames
  // taken, or -1 after a minute of game time.
  int RunToTheEnd() {
    for (int frame = 1; frame <= 64 * 60; ++frame) {
      EndLiveUnits(false);
      schedule_.update(kFrame);
      if (world_->wins > 0) return frame;
    }
    return -1;
  }

  RecordingWorld* world_;
  KpWaves schedule_;
};

TEST_F(WaveScheduleTest, LinkedWavesRunWithTheirWaveAndTheLevelIsWonAfterTheLast) {
  ASSERT_EQ(LoadSchedule(R"(<waves><wave spawn="1"><e id="1"/></wave>
      <wave spawn="2" linked="0"><e id="2"/></wave>
      <wave spawn="1"><e id="3"/></wave></waves>)"),
            3);
  EXPECT_EQ(schedule_.getWaveCount(), 2);
  schedule_.update(kFrame);
  ASSERT_EQ(schedule_.running().size(), 2u) << "the linked wave starts with its wave";
  schedule_.update(kFrame);
  ASSERT_EQ(world_->spawns.size(), 2u);
  EXPECT_EQ(world_->spawns[1].pointId, 2);

  EndLiveUnits(false);
  schedule_.update(kFrame);
  EXPECT_TRUE(schedule_.running().empty()) << "the group vanished";
  EXPECT_EQ(schedule_.currentWave(), 1);
  EXPECT_EQ(schedule_.finishedGroups(), 1);
  EXPECT_EQ(schedule_.elapsed(), 0.0f);

  schedule_.update(kFrame);
  ASSERT_EQ(schedule_.running().size(), 1u) << "the next group starts on the next frame";
  EXPECT_EQ(schedule_.running()[0], schedule_.waves()[2]) << "the linked wave is skipped";
  EXPECT_EQ(schedule_.currentWave(), 2);

  schedule_.update(kFrame);
  EndLiveUnits(false);
  schedule_.update(kFrame);
  EXPECT_EQ(schedule_.currentWave(), 3);
  EXPECT_EQ(schedule_.finishedGroups(), 2);
  EXPECT_EQ(world_->wins, 0);
  schedule_.update(kFrame);
  EXPECT_EQ(world_->wins, 1) << "won on the first frame without waves";
  EXPECT_EQ(world_->removed.size(), 3u);
}

TEST_F(WaveScheduleTest, AWaveLinkedToALaterWaveStartsWithItAndEmptyWavesTakeNoNumber) {
  ASSERT_EQ(LoadSchedule(R"(<waves><wave spawn="1"><e id="1"/></wave>
      <wave spawn="1" linked="2"><e id="2"/></wave>
      <wave spawn="1"/>
      <wave spawn="2"><e id="3"/></wave></waves>)"),
            3);
  ASSERT_GT(RunToTheEnd(), 0);
  std::vector<int> order;
  for (const RecordingWorld::Spawn& spawn : world_->spawns) order.push_back(spawn.unitId);
  EXPECT_EQ(order, (std::vector<int>{1, 3, 2})) << "the second kept wave starts with the third";
  EXPECT_EQ(schedule_.finishedGroups(), 2);
}

struct SpawnTimeCase {
  const char* name;
  const char* wavesAttributes;
  const char* waveAttributes;
  std::vector<const char*> entryTimes;
  // The wave's own clock at each spawn, in spawn order.
  std::vector<float> spawnTimes;
};

void PrintTo(const SpawnTimeCase& c, std::ostream* out) { *out << c.name; }

class SpawnTimeTest : public WaveScheduleTest, public ::testing::WithParamInterface<SpawnTimeCase> {};

TEST_P(SpawnTimeTest, EntriesComeAtTheirScaledTimeAfterTheTimeout) {
  const SpawnTimeCase& c = GetParam();
  std::string xml = std::string("<waves ") + c.wavesAttributes + "><wave spawn='1' " + c.waveAttributes + ">";
  for (const char* x : c.entryTimes) xml += std::string("<e id='1' x='") + x + "'/>";
  ASSERT_EQ(LoadSchedule(xml + "</wave></waves>"), 1);
  Run(c.spawnTimes.back() + 1.0f);
  std::vector<float> times;
  for (const RecordingWorld::Spawn& spawn : world_->spawns) times.push_back(spawn.waveTime);
  EXPECT_EQ(times, c.spawnTimes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpawnTimeTest,
    ::testing::Values(
        SpawnTimeCase{
            "ScaleStretchesTheEntriesAfterTheTimeout", "", "timeout='5' scale='2'", {"0", "45"}, {5.0f, 7.0f}},
        SpawnTimeCase{"TheGlobalTimeoutAddsItsWholeSeconds", "timeout='2.7'", "timeout='1'", {"0"}, {3.0f}},
        SpawnTimeCase{"EntriesComeInTimeOrder", "", "", {"90", "45"}, {1.0f, 2.0f}},
        SpawnTimeCase{"ATimeBeforeTheStartComesAtTheFirstStep", "", "timeout='1'", {"-90"}, {kFrame}}),
    testing_support::RowName());

struct WipeCase {
  const char* name;
  // How each unit leaves, one per frame.
  std::vector<bool> escapes;
  std::vector<int> payments;
};

void PrintTo(const WipeCase& c, std::ostream* out) { *out << c.name; }

class WipeAwardTest : public WaveScheduleTest, public ::testing::WithParamInterface<WipeCase> {};

TEST_P(WipeAwardTest, OnlyAWaveKilledToTheLastUnitPays) {
  const WipeCase& c = GetParam();
  ASSERT_EQ(LoadSchedule("<waves><wave spawn='1' wipeAward='10'><e id='1'/><e id='2'/></wave>"
                         "<wave spawn='1'><e id='3' x='4500'/></wave></waves>"),
            2);
  Run(2 * kFrame);
  ASSERT_EQ(schedule_.enemies().size(), c.escapes.size());
  for (bool escape : c.escapes) {
    schedule_.enemies().front()->reachedBase = escape;
    schedule_.enemies().front()->inPlay = 0;
    schedule_.update(kFrame);
  }
  Run(1.0f);
  EXPECT_EQ(world_->payments, c.payments);
  EXPECT_EQ(schedule_.currentWave(), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, WipeAwardTest,
                         ::testing::Values(WipeCase{"EveryUnitKilledPaysOnce", {false, false}, {10}},
                                           WipeCase{"AnEscapeAfterAKillCancelsIt", {false, true}, {}},
                                           WipeCase{"AnEscapeBeforeAKillCancelsIt", {true, false}, {}}),
                         testing_support::RowName());

TEST_F(WaveScheduleTest, HintsMarkTheRunningWavesPointsUntilTheFirstIsDue) {
  ASSERT_EQ(LoadSchedule(R"(<waves><wave spawn="1" timeout="3"><e id="1"/></wave>
      <wave spawn="2" linked="0" timeout="2"><e id="1" x="-45"/><e id="1" x="45"/></wave></waves>)"),
            2);
  schedule_.update(kFrame);
  const std::vector<KpFrameEntry*>& hints = world_->hints.hints();
  ASSERT_EQ(hints.size(), 2u);
  EXPECT_EQ(hints[0]->x, 1010.0f);
  EXPECT_EQ(hints[0]->y, 100.0f) << "clear of the top bar";
  EXPECT_EQ(hints[1]->y, 650.0f);
  EXPECT_EQ(world_->hints.nextWaveTime, 1.0f) << "the earliest timeout, moved by a time before the start";
  Run(1.0f - 2 * kFrame);
  EXPECT_EQ(hints.size(), 2u);
  schedule_.update(kFrame);
  EXPECT_TRUE(hints.empty());
}

TEST_F(WaveScheduleTest, CallingTheNextWaveEarlyPaysTwiceTheSecondsSaved) {
  ASSERT_EQ(LoadSchedule("<waves><wave spawn='1' timeout='10'><e id='1'/><e id='2' x='90'/></wave></waves>"), 1);
  EXPECT_EQ(schedule_.callNextWaveEarly(), 0) << "no hint yet";
  Run(4.0f);
  ASSERT_EQ(schedule_.elapsed(), 4.0f);
  ASSERT_FALSE(world_->hints.empty());
  EXPECT_EQ(schedule_.callNextWaveEarly(), 12);
  EXPECT_EQ(world_->payments, (std::vector<int>{12}));
  EXPECT_TRUE(world_->hints.empty());
  EXPECT_TRUE(world_->spawns.empty());
  schedule_.update(kFrame);
  ASSERT_EQ(world_->spawns.size(), 1u) << "what is due by the hint time comes at once";
  EXPECT_EQ(world_->spawns[0].unitId, 1);
  EXPECT_EQ(schedule_.callNextWaveEarly(), 0);
  EXPECT_EQ(world_->payments.size(), 1u);
}

TEST_F(WaveScheduleTest, EntriesThatCannotComeEscapeSoTheLevelStillEnds) {
  world_->refusedUnit = 3;
  ASSERT_EQ(LoadSchedule(R"(<waves><wave spawn="9" wipeAward="5"><e id="1"/><e id="2"/></wave>
      <wave spawn="1" wipeAward="5"><e id="7"/><e id="7" x="45"/></wave>
      <wave spawn="2" wipeAward="5"><e id="3"/></wave></waves>)"),
            3);
  EXPECT_GT(RunToTheEnd(), 0);
  for (const KpWaveProto* wave : schedule_.waves())
    for (const KpWaveEntry* entry : wave->entries) EXPECT_EQ(entry->state, KpWaveEntry::kEscaped);
  EXPECT_TRUE(world_->payments.empty());
  ASSERT_EQ(world_->spawns.size(), 1u) << "only the known unit at a known point is asked for";
  EXPECT_EQ(LogLinesWith(u"no spawn point 9"), 1);
  EXPECT_EQ(LogLinesWith(u"no unit 7"), 1);
}

TEST_F(WaveScheduleTest, RemovedUnitsLeaveTheListBeforeTheWorldHearsOfThemOnce) {
  ASSERT_EQ(LoadSchedule("<waves><wave spawn='1'><e id='1'/><e id='2'/><e id='3'/></wave></waves>"), 1);
  Run(2 * kFrame);
  const std::vector<KpEnemy*> units = schedule_.enemies();
  ASSERT_EQ(units.size(), 3u);
  units[0]->inPlay = 0;
  units[2]->inPlay = 0;
  units[2]->reachedBase = true;
  schedule_.update(kFrame);
  EXPECT_EQ(world_->removed, (std::vector<KpEnemy*>{units[0], units[2]}));
  EXPECT_EQ(schedule_.enemies(), (std::vector<KpEnemy*>{units[1]}));
  const std::vector<KpWaveEntry*>& entries = schedule_.waves()[0]->entries;
  EXPECT_EQ(entries[0]->state, KpWaveEntry::kKilled);
  EXPECT_EQ(entries[1]->state, KpWaveEntry::kSpawned);
  EXPECT_EQ(entries[2]->state, KpWaveEntry::kEscaped);

  schedule_.reset();
  EXPECT_EQ(world_->removed.size(), 3u) << "a restart removes the live units";
  EXPECT_TRUE(schedule_.enemies().empty());
  EXPECT_TRUE(world_->hints.empty());
  Run(2 * kFrame);
  EXPECT_EQ(schedule_.enemies().size(), 3u) << "the level plays again";
  LoadSchedule("<waves/>");
  EXPECT_EQ(world_->removed.size(), 6u) << "a new level removes them too";
}

TEST_F(WaveScheduleTest, UnitsWithinHalfTheDiameterComeInListOrder) {
  ASSERT_EQ(LoadSchedule("<waves><wave spawn='1'><e id='1'/><e id='1'/><e id='1'/><e id='1'/></wave></waves>"), 1);
  Run(2 * kFrame);
  const std::vector<KpEnemy*> units = schedule_.enemies();
  ASSERT_EQ(units.size(), 4u);
  const float positions[][2] = {{100.0f, 100.0f}, {130.0f, 140.0f}, {150.01f, 100.0f}, {50.0f, 100.0f}};
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i]->shownX = positions[i][0];
    units[i]->shownY = positions[i][1];
  }
  std::vector<KpEnemy*> found{nullptr};
  schedule_.collectEnemiesInRadius(100.0f, 100.0f, 100.0f, found);
  EXPECT_EQ(found, (std::vector<KpEnemy*>{nullptr, units[0], units[1], units[3]}));
  found.clear();
  schedule_.collectEnemiesInRadius(100.0f, 100.0f, -100.0f, found);
  EXPECT_TRUE(found.empty());
}

// Records each update; may add an effect to its unit, or a unit with an
// effect to the schedule, on its first update.
class RecordingModifier : public KpModifier {
 public:
  RecordingModifier(std::vector<const KpModifier*>& updates, KpWaves* addsUnitTo = nullptr, bool addsEffect = false)
      : KpModifier("", 0.0f, kUnlimited, nullptr),
        updates_(updates),
        addsUnitTo_(addsUnitTo),
        addsEffect_(addsEffect) {}

  void update(KpEnemy* unit, float) override {
    updates_.push_back(this);
    if (addsEffect_) unit->modifiers.push_back(new RecordingModifier(updates_));
    if (addsUnitTo_)
      addsUnitTo_->addEnemy(unit->entry, unit->spawnPoint)->modifiers.push_back(new RecordingModifier(updates_));
    addsEffect_ = false;
    addsUnitTo_ = nullptr;
  }

 private:
  std::vector<const KpModifier*>& updates_;
  KpWaves* addsUnitTo_;
  bool addsEffect_;
};

TEST_F(WaveScheduleTest, EffectsAndUnitsAddedWhileEffectsRunRunInTheSamePass) {
  ASSERT_EQ(LoadSchedule("<waves><wave spawn='1'><e id='1'/><e id='1'/></wave></waves>"), 1);
  Run(2 * kFrame);
  ASSERT_EQ(schedule_.enemies().size(), 2u);
  std::vector<const KpModifier*> updates;
  KpEnemy& first = *schedule_.enemies()[0];
  KpEnemy& second = *schedule_.enemies()[1];
  first.modifiers.push_back(new RecordingModifier(updates, nullptr, true));
  second.modifiers.push_back(new RecordingModifier(updates, &schedule_));

  schedule_.updateModifiers(kFrame);
  ASSERT_EQ(schedule_.enemies().size(), 3u);
  const KpEnemy& added = *schedule_.enemies()[2];
  EXPECT_EQ(updates, (std::vector<const KpModifier*>{first.modifiers[0], first.modifiers[1], second.modifiers[0],
                                                     added.modifiers[0]}));
  updates.clear();
  schedule_.updateModifiers(kFrame);
  EXPECT_EQ(updates.size(), 4u) << "each effect once per pass";
}

}  // namespace
