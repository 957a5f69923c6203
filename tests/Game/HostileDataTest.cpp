#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Core/Base/SingletonRegistry.h"
#include "Game/KpProtoLibrary.h"
#include "Game/PrototypeSheets.h"
#include "Game/UpgradeList.h"
#include "tests/Game/ProtoFixtures.h"
#include "tests/Support/DataRoot.h"

namespace {

class HostileDataTest : public ::testing::Test {
 protected:
  HostileDataTest() { proto_fixtures::RecordLog(log_); }
  ~HostileDataTest() override { SingletonRegistry::Shutdown(); }
  std::vector<base::WString> log_;
};

// 100,000 rows: top-level rows with a tier each, and among them rows with a
// missing parent, too few fields, words for numbers and numbers out of range.
std::string HugeSheet(int rows) {
  std::string text = "id;parent;type;levelid;cost;r;strength;cooldown;health;goldIncome;fillColor;addons\n";
  for (int row = 0; row < rows; ++row) {
    const std::string id = std::to_string(row);
    switch (row % 10) {
      case 1: text += std::to_string(row + 1000000) + ";" + std::to_string(row - 1) + ";1;1;5;5;5;1;1;0;ff;a/b\n"; break;
      case 3: text += id + ";" + std::to_string(-5 - row) + ";1\n"; break;
      case 5: text += id + ";-1;1;0\n"; break;
      case 7: text += id + ";-1;one;zero;cheap;far;strong;slow;many;lots;;\n"; break;
      case 9: text += id + ";-1;1;0;1e999;99999999999999;-1e40;0;0;99999999999;ffffffffffffffffff;/\n"; break;
      default: text += id + ";-1;1;0;70,5;300;16;0,5;0;0;ff102030;aim/air\n";
    }
  }
  return text;
}

TEST_F(HostileDataTest, HugeBadSheetLoadsWhatIsValidAndLogsEachCauseOnce) {
  testing_support::DataRoot root;
  constexpr int kRows = 100000;
  root.WriteFile("kp/towers_sheet.csv", HugeSheet(kRows));
  KpProtoLibrary library;
  LoadPrototypeSheets(library, {});

  // Rows ending in 3 lose their parent; every other row loads.
  std::size_t loaded = 0;
  for (const auto& proto : library.protos()) loaded += 1 + proto->children.list.size();
  EXPECT_EQ(loaded, static_cast<std::size_t>(kRows - kRows / 10));
  EXPECT_EQ(library.protos().size(), static_cast<std::size_t>(kRows / 10 * 8));
  ASSERT_NE(library.find(0), nullptr);
  EXPECT_FLOAT_EQ(library.find(0)->cost, 70.5f);
  ASSERT_NE(library.find(1000001), nullptr);
  EXPECT_EQ(library.find(1000001)->parent, 0);
  const KpProto& huge = *library.find(9);
  EXPECT_FLOAT_EQ(huge.cost, 0.0f);
  EXPECT_FLOAT_EQ(huge.range, 1e14f);
  EXPECT_EQ(huge.goldIncome, 2147483647);
  EXPECT_TRUE(huge.addons.empty());
  EXPECT_EQ(library.find(3), nullptr);
  // Missing parents and short rows in the sheet; each unreadable attribute in
  // the library: a few lines, not one per row.
  EXPECT_GE(log_.size(), 3u);
  EXPECT_LE(log_.size(), 12u);
}

struct HostileUpgrades {
  const char* name;
  const char* text;
  std::size_t upgrades;
  std::size_t logLines;
};

const HostileUpgrades kHostileUpgrades[] = {
    {"NotXml", "<upgrades><upgrade id=\"1\">", 0, 1},
    {"NoRoot", "<other/>", 0, 1},
    {"EmptyFile", "", 0, 1},
    {"NegativePrices",
     R"(<upgrades><upgrade id="1"><steps><step cost_r="-5" cost_g="-1"/><step cost_r="-2"/></steps></upgrade></upgrades>)", 1,
     2},
    {"WordsForNumbers",
     R"(<upgrades><upgrade id="x" section="y"><targets><target id="z"/><target/></targets></upgrade></upgrades>)", 1, 3},
    {"RepeatedIds", R"(<upgrades><upgrade id="1"/><upgrade id="1"/><upgrade id="1"/></upgrades>)", 3, 1},
    {"DeepNesting", "<upgrades><upgrade id=\"1\"><steps><step><attributes>"
                    "<a><a><a><a><a><a><a><a><a><a/></a></a></a></a></a></a></a></a></a>"
                    "</attributes></step></steps></upgrade></upgrades>",
     1, 0},
};

class HostileUpgradesTest : public HostileDataTest, public ::testing::WithParamInterface<HostileUpgrades> {};

TEST_P(HostileUpgradesTest, KeepsWhatIsValidWithALineOrTwo) {
  const HostileUpgrades& c = GetParam();
  UpgradeList list;
  list.loadText(c.text, "upgrades.xml");
  EXPECT_EQ(list.upgrades().size(), c.upgrades);
  EXPECT_EQ(log_.size(), c.logLines);
  for (const auto& upgrade : list.upgrades())
    for (const auto& step : upgrade->steps) {
      EXPECT_GE(step->costR, 0);
      EXPECT_GE(step->costG, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, HostileUpgradesTest, ::testing::ValuesIn(kHostileUpgrades),
                         [](const ::testing::TestParamInfo<HostileUpgrades>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(HostileDataTest, UnknownTargetsAreLoggedOnceAndActOnNothing) {
  KpProtoLibrary library;
  proto_fixtures::LoadLibrary(library, "", "id;parent;strength\n10;-1;10");
  UpgradeList list;
  list.loadText(R"(<upgrades><upgrade id="1"><targets><target id="10"/><target id="77"/><target id="78"/></targets>
      <steps><step cost_r="1"><attributes><a name="strength" value="-500"/></attributes></step></steps></upgrade>
      <upgrade id="2"><targets><target id="-1"/><target id="79"/></targets></upgrade></upgrades>)",
                "upgrades.xml");
  list.reportUnknownTargets(library);
  EXPECT_EQ(log_.size(), 1u);
  // A step that takes more than the whole value leaves a number, not a crash.
  proto_fixtures::Levels levels{{1, 0}};
  proto_fixtures::Unlocks unlocks{10};
  KpProto proto;
  proto.copyFrom(*library.find(10));
  list.applyToProto(proto, levels, unlocks);
  EXPECT_FLOAT_EQ(proto.strength, -40.0f);
}

}  // namespace
