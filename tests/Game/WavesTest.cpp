#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "Core/Base/Log.h"
#include "Core/Base/SingletonRegistry.h"
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

}  // namespace
