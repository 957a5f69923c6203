// The game's generated sprite layouts, loaded as the map loads them: every
// sprite the game plays is found by name with the groups it plays.

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "Core/Base/TextConversion.h"
#include "Game/KpResources.h"
#include "Game/SpriteAnimState.h"
#include "Game/SpriteDef.h"
#include "tests/Support/GameDataRoot.h"

namespace {

struct SpriteCase {
  std::string sprite;
  // Group and the number of frames it holds; -1: at least one.
  std::vector<std::pair<std::string, int>> groups;
};

void PrintTo(const SpriteCase& c, std::ostream* out) { *out << c.sprite; }

std::vector<SpriteCase> SpriteCases() {
  std::vector<SpriteCase> cases;
  for (const char* unit : {"u_gloamling", "u_skitter", "u_riftling", "u_broodling", "u_husk", "u_duskmoth",
                           "u_shellback", "u_veilstalker", "u_mender", "u_broodmother", "u_mistcaller", "u_drake",
                           "u_riftcaller", "u_gravecaller", "u_lampsnuffer"})
    cases.push_back({unit, {{"", 1}, {"walk", 8}, {"death", 6}, {"special", 6}}});
  for (const char* tower : {"t_wick_1", "t_wick_2", "t_wick_3", "t_sparkstorm", "t_cannon_1", "t_cannon_2",
                            "t_cannon_3", "t_brand"})
    cases.push_back({tower, {{"", 128}, {"s_point", 32}, {"base_point", 1}}});
  for (const char* tower : {"t_homeward", "t_bell", "t_mortar_1", "t_mortar_2", "t_mortar_3", "t_tar", "t_blight",
                            "t_watch_1", "t_watch_2", "t_watch_3", "t_forge", "t_toll"})
    cases.push_back({tower, {{"idle", 6}, {"blast", -1}, {"s_point", 1}, {"base_point", 1}}});
  cases.push_back({"tower3_1b", {{"", -1}, {"fire", -1}, {"shot", -1}}});
  cases.push_back({"ui", {{"", -1}}});
  cases.push_back({"spots", {{"", 3}}});
  for (const char* effect : {"enemy_spot", "spell_cast", "disabletower", "tower_debuff", "mob_dot", "mob_heal",
                             "sp_flare", "sp_ember", "sp_still", "sp_mist"})
    cases.push_back({effect, {{"", -1}}});
  return cases;
}

class GameSpritesTest : public ::testing::TestWithParam<SpriteCase> {
 protected:
  // The map loads the shared layouts once; the registry keeps them for every
  // case, as it does for every level.
  static void SetUpTestSuite() {
    data_ = std::make_unique<testing_support::InGameData>();
    KpResources::Instance()->loadSharedLayouts();
  }
  static void TearDownTestSuite() { data_.reset(); }

 private:
  static inline std::unique_ptr<testing_support::InGameData> data_;
};

TEST_P(GameSpritesTest, EverySpriteIsFoundWithTheGroupsItPlays) {
  const SpriteCase& c = GetParam();
  const base::WString name = u"kp/" + base::ToWide(c.sprite, base::kEncodingUtf8);
  SpriteDef* sprite = KpResources::Instance()->findSprite(name);
  ASSERT_NE(sprite, nullptr) << c.sprite;
  for (const auto& [group, frames] : c.groups) {
    const SpriteDef::FrameList* list = sprite->findGroup(group);
    ASSERT_NE(list, nullptr) << "'" << group << "'";
    if (frames < 0) {
      EXPECT_FALSE(list->empty()) << "'" << group << "'";
    } else {
      EXPECT_EQ(static_cast<int>(list->size()), frames) << "'" << group << "'";
    }
  }
  SpriteAnimState state(name, u"");
  EXPECT_EQ(state.definition(), sprite) << "players find the loaded definition, not a new one";
}

INSTANTIATE_TEST_SUITE_P(Sprites, GameSpritesTest, ::testing::ValuesIn(SpriteCases()),
                         [](const ::testing::TestParamInfo<SpriteCase>& info) { return info.param.sprite; });

}  // namespace
