#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Game/KpProtoLibrary.h"
#include "Game/PrototypeSheets.h"
#include "Game/SpellTable.h"
#include "Game/UpgradeChainCost.h"
#include "Game/UpgradeList.h"
#include "tests/Game/ProtoFixtures.h"
#include "tests/Support/GameDataRoot.h"

namespace {

std::string FileText(const char* path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// Lines that hold more than blanks, the header included.
int CountFilledLines(const char* path) {
  std::istringstream lines(FileText(path));
  int count = 0;
  for (std::string line; std::getline(lines, line);)
    if (line.find_first_not_of(" \t\r") != std::string::npos) ++count;
  return count;
}

int CountOccurrences(const std::string& text, const std::string& what) {
  int count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

// The game's own data as the build puts it into the data root.
class CampaignDataTest : public ::testing::Test {
 protected:
  CampaignDataTest() {
    proto_fixtures::RecordLog(log_);
    LoadPrototypeSheets(library_, {});
  }
  std::vector<base::WString> log_;
  KpProtoLibrary library_;
  // Last, so the services it shuts down go before what they write into.
  testing_support::InGameData data_;
};

TEST_F(CampaignDataTest, EveryPrototypeRowLoadsWithItsTiers) {
  int rows = 0;
  for (const char* sheet : {"kp/towers_sheet.csv", "kp/units_sheet.csv", "kp/ammo_sheet.csv"})
    rows += CountFilledLines(sheet) - 1;
  int loaded = 0;
  for (const auto& proto : library_.protos()) {
    loaded += 1 + static_cast<int>(proto->children.list.size());
    EXPECT_EQ(proto->parent, -1) << proto->id;
    EXPECT_EQ(library_.find(proto->id), proto.get()) << "id " << proto->id << " is used twice";
    for (const auto& tier : proto->children.list) {
      EXPECT_EQ(tier->parent, proto->id) << tier->id;
      EXPECT_EQ(library_.find(tier->id), tier.get()) << "id " << tier->id << " is used twice";
    }
  }
  EXPECT_EQ(loaded, rows);
  EXPECT_TRUE(log_.empty());
}

TEST_F(CampaignDataTest, EveryTowerFiresKnownAmmoAndItsTiersChainToTheBase) {
  for (const auto& tower : library_.protos()) {
    if (tower->type != 1) continue;
    std::vector<const KpProto*> tiers;
    for (const auto& tier : tower->children.list) tiers.push_back(tier.get());
    for (const KpProto* tier : tiers) {
      if (tier->ammoId != 0) {
        EXPECT_NE(library_.find(tier->ammoId), nullptr) << tier->id;
      }
      UpgradeChainCost(0, tiers, tier);
    }
    if (tower->ammoId != 0) {
      EXPECT_NE(library_.find(tower->ammoId), nullptr) << tower->id;
    }
  }
  EXPECT_TRUE(log_.empty()) << "a tier chain is broken";
}

TEST_F(CampaignDataTest, EveryUpgradeLoadsWithItsStepsAndKnownTargets) {
  UpgradeList upgrades;
  upgrades.load(u"kp/upgrades.xml");
  const std::string text = FileText("kp/upgrades.xml");
  EXPECT_EQ(static_cast<int>(upgrades.upgrades().size()), CountOccurrences(text, "<upgrade "));
  int steps = 0;
  for (const auto& upgrade : upgrades.upgrades()) {
    steps += static_cast<int>(upgrade->steps.size());
    EXPECT_FALSE(upgrade->targets.empty()) << upgrade->id;
    EXPECT_FALSE(upgrade->steps.empty()) << upgrade->id;
    for (const auto& step : upgrade->steps) EXPECT_NE(step->attributes, nullptr) << upgrade->id;
  }
  EXPECT_EQ(steps, CountOccurrences(text, "<step "));
  upgrades.reportUnknownTargets(library_);
  EXPECT_TRUE(log_.empty());
}

TEST_F(CampaignDataTest, EverySpellNamesAPrototype) {
  SpellTable spells;
  spells.load(u"kp/spells_sheet.csv", {});
  EXPECT_EQ(static_cast<int>(spells.spells().size()), CountFilledLines("kp/spells_sheet.csv") - 1);
  for (const auto& spell : spells.spells()) {
    EXPECT_NE(library_.find(spell->protoId), nullptr) << spell->protoId;
    EXPECT_EQ(spells.find(spell->spellId), spell.get()) << "spell id " << spell->spellId << " is used twice";
  }
  EXPECT_TRUE(log_.empty());
}

}  // namespace
