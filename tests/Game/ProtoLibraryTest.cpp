#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <string>
#include <vector>

#include "Core/Base/SingletonRegistry.h"
#include "Game/KpFrameEntry.h"
#include "Game/KpProtoLibrary.h"
#include "Game/ProtoTiers.h"
#include "Game/SpriteDef.h"
#include "Game/SpriteExtent.h"
#include "tests/Game/ProtoFixtures.h"
#include "tests/Support/DataRoot.h"

namespace {

using proto_fixtures::LoadLibrary;

std::vector<int> TopLevelIds(const KpProtoLibrary& library) {
  std::vector<int> ids;
  for (const auto& proto : library.protos()) ids.push_back(proto->id);
  return ids;
}

TEST(ProtoLibraryTest, UnitsThenTowersThenAmmoEachInReverseFileOrder) {
  KpProtoLibrary library;
  LoadLibrary(library, "id;parent;cost\n10;-1;5,5\n11;10;7\n20;-1;3", "id;parent\n30;-1\n31;-1", "id;parent\n40;-1");
  EXPECT_EQ(TopLevelIds(library), (std::vector<int>{20, 10, 31, 30, 40}));
  const KpProto* ten = library.find(10);
  ASSERT_NE(ten, nullptr);
  EXPECT_FLOAT_EQ(ten->cost, 5.5f);
  ASSERT_EQ(ten->children.list.size(), 1u);
  EXPECT_EQ(library.find(11), ten->children.list.front().get());
  EXPECT_EQ(library.find(99), nullptr);
}

TEST(ProtoLibraryTest, FindWalksEachPrototypeBeforeItsTiers) {
  // Tier 20 of 10 stands before the top-level 20 in the walk.
  KpProtoLibrary library;
  LoadLibrary(library, "id;parent;cost\n20;-1;1\n10;-1;2\n20;10;3");
  EXPECT_FLOAT_EQ(library.find(20)->cost, 3.0f);
}

TEST(ProtoLibraryTest, ReloadReplacesEveryPrototype) {
  KpProtoLibrary library;
  LoadLibrary(library, "id;parent\n1;-1");
  library.clear();
  LoadLibrary(library, "id;parent\n2;-1");
  EXPECT_EQ(TopLevelIds(library), std::vector<int>{2});
  EXPECT_EQ(library.find(1), nullptr);
}

TEST(ProtoLibraryTest, TiersOfATierAreNotRead) {
  tinyxml2::XMLDocument document;
  document.Parse(R"(<data><units><unit id="1"><unit id="2"><unit id="3"/></unit></unit></units></data>)");
  KpProtoLibrary library;
  library.load(*document.RootElement(), {});
  ASSERT_NE(library.find(2), nullptr);
  EXPECT_TRUE(library.find(2)->children.list.empty());
  EXPECT_EQ(library.find(3), nullptr);
}

TEST(ProtoLibraryTest, CopyTakesEveryValueButNoTiers) {
  KpProtoLibrary library;
  LoadLibrary(library, "id;parent;cost;addons;fillColor;psd\n1;-1;9;a/b;ff00ff00;u_x\n2;1;3");
  KpProto copy;
  copy.copyFrom(*library.find(1));
  EXPECT_EQ(copy.id, 1);
  EXPECT_FLOAT_EQ(copy.cost, 9.0f);
  EXPECT_EQ(copy.addons, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(copy.fillColor, 0xff00ff00u);
  EXPECT_EQ(copy.psd, "u_x");
  EXPECT_TRUE(copy.children.list.empty());
  EXPECT_EQ(library.find(1)->children.list.size(), 1u);

  KpProto parent;
  parent.copyFrom(*library.find(1));
  parent.children.list.push_back(std::make_unique<KpProto>());
  parent.children.list.back()->id = 7;
  parent.copyFrom(*parent.children.list.back());
  EXPECT_EQ(parent.id, 7);
  EXPECT_TRUE(parent.children.list.empty());
}

struct AttributeCase {
  const char* name;
  const char* attributes;
  double (*field)(const KpProto&);
  double expected;
};

const AttributeCase kAttributeCases[] = {
    {"FillColorIsHex", R"(fillColor="8010Fa0b")", [](const KpProto& p) { return double(p.fillColor); }, 0x8010fa0b},
    {"FillColorNonHexCountsZero", R"(fillColor="zz")", [](const KpProto& p) { return double(p.fillColor); }, 0},
    {"FillColorNonHexDigitInside", R"(fillColor="1z")", [](const KpProto& p) { return double(p.fillColor); }, 0x10},
    {"FillColorMissingIsWhite", "", [](const KpProto& p) { return double(p.fillColor); }, 0xffffffff},
    {"AirTrueTextIsFalse", R"(air="true")", [](const KpProto& p) { return double(p.air); }, 0},
    {"AirOneIsTrue", R"(air="1")", [](const KpProto& p) { return double(p.air); }, 1},
    {"AirTwoIsFalse", R"(air="2")", [](const KpProto& p) { return double(p.air); }, 0},
    {"BoolTrueText", R"(splash="true")", [](const KpProto& p) { return double(p.splash); }, 1},
    {"BoolAnyNonZeroInteger", R"(stun="7")", [](const KpProto& p) { return double(p.stun); }, 1},
    {"BoolOtherTextKeepsDefault", R"(hold="yes")", [](const KpProto& p) { return double(p.hold); }, 0},
    {"DebuffTowerIsANumber", R"(debufftower="0.5")", [](const KpProto& p) { return double(p.debuffTower); }, 1},
    {"IntTakesTheLeadingInteger", R"(levelid="2.5")", [](const KpProto& p) { return double(p.levelId); }, 2},
    {"FloatReadsAsPercentF", R"(cooldown="0.25s")", [](const KpProto& p) { return double(p.cooldown); }, 0.25},
    {"RangeFromR", R"(r="300")", [](const KpProto& p) { return double(p.range); }, 300},
    {"UnreadableNumberKeepsDefault", R"(cost="cheap")", [](const KpProto& p) { return double(p.cost); }, 0},
    {"HugeIntIsClamped", R"(goldIncome="99999999999999")", [](const KpProto& p) { return double(p.goldIncome); },
     2147483647},
    {"HugeFloatIsNoNumber", R"(health="1e999")", [](const KpProto& p) { return double(p.health); }, 0},
    {"AddonsSkipEmptyParts", R"(addons="/aim// air /")",
     [](const KpProto& p) { return p.addons == std::vector<std::string>{"aim", "air"} ? 1.0 : 0.0; }, 1},
};

class ProtoAttributeTest : public ::testing::TestWithParam<AttributeCase> {};

TEST_P(ProtoAttributeTest, ReadsAsTheGameReadsIt) {
  const AttributeCase& c = GetParam();
  tinyxml2::XMLDocument document;
  ASSERT_EQ(document.Parse((std::string("<unit ") + c.attributes + "/>").c_str()), tinyxml2::XML_SUCCESS);
  KpProto proto;
  proto.loadFromXML(*document.RootElement(), false, {});
  EXPECT_DOUBLE_EQ(c.field(proto), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Attributes, ProtoAttributeTest, ::testing::ValuesIn(kAttributeCases),
                         [](const ::testing::TestParamInfo<AttributeCase>& info) {
                           return std::string(info.param.name);
                         });

// Unit 1 has tiers 101..103 with levelid 1..3; unit 2 has none.
struct TierCase {
  const char* name;
  bool tower;
  int protoId;
  int k;  // entry upgrade for an enemy; k for a tower
  int currentTier;
  int expectedId;  // -1: null
};

const TierCase kTierCases[] = {
    {"EnemyUpgradeZeroTakesTheLastTier", false, 1, 0, 0, 103},
    {"EnemyUpgradeOneIsTheBase", false, 1, 1, 0, 1},
    {"EnemyUpgradeThreeIsLevelTwo", false, 1, 3, 0, 102},
    {"EnemyUnknownTierTakesTheLast", false, 1, 9, 0, 103},
    {"EnemyWithoutTiersIsTheBase", false, 2, 0, 0, 2},
    {"EnemyOfUnknownUnitIsNull", false, 7, 1, 0, -1},
    {"TowerExactTier", true, 1, 2, 0, 102},
    {"TowerMissingExactTierIsNull", true, 1, 5, 0, -1},
    {"TowerExactTierZeroIsNoTier", true, 1, 0, 0, -1},
    {"TowerCurrentTierZeroIsTheBase", true, 1, -1, 0, 1},
    {"TowerCurrentTier", true, 1, -1, 3, 103},
    {"TowerUnknownCurrentTierTakesTheLast", true, 1, -1, 8, 103},
    {"TowerWithoutTiersIsTheBase", true, 2, -1, 4, 2},
    {"TowerOfUnknownPrototypeIsNull", true, 7, -1, 0, -1},
};

class ProtoTierTest : public ::testing::TestWithParam<TierCase> {};

TEST_P(ProtoTierTest, PicksTheTierByLevelId) {
  const TierCase& c = GetParam();
  KpProtoLibrary library;
  LoadLibrary(library, "id;parent;levelid\n1;-1;0\n101;1;1\n102;1;2\n103;1;3\n2;-1;0");
  const KpProto* tier = c.tower ? TowerTierProto(library, c.protoId, c.k, c.currentTier)
                                : EnemyTierProto(library, c.protoId, c.k);
  EXPECT_EQ(tier ? tier->id : -1, c.expectedId);
}

INSTANTIATE_TEST_SUITE_P(Tiers, ProtoTierTest, ::testing::ValuesIn(kTierCases),
                         [](const ::testing::TestParamInfo<TierCase>& info) { return std::string(info.param.name); });

TEST(SpriteExtentTest, FurthestEdgesOverEveryGroup) {
  testing_support::DataRoot root;
  SpriteDef sprite(u"kp/none");
  auto frame = [](float x, float y, float w, float h) {
    auto* entry = new KpFrameEntry;
    entry->x = x;
    entry->y = y;
    entry->width = w;
    entry->height = h;
    return entry;
  };
  sprite.group("idle").push_back(frame(-5, 2, 10, 10));
  sprite.group("death").push_back(frame(20, -3, 4, 6));
  const SpriteExtent extent = GetSpriteExtent(sprite);
  EXPECT_FLOAT_EQ(extent.width, 24.0f);
  EXPECT_FLOAT_EQ(extent.height, 12.0f);
  SingletonRegistry::Shutdown();
}

TEST(FrameAtOrLastTest, HoldsTheLastFrame) {
  int a = 0, b = 1;
  const std::vector<int*> frames{&a, &b};
  EXPECT_EQ(FrameAtOrLast(frames, 0), &a);
  EXPECT_EQ(FrameAtOrLast(frames, 1), &b);
  EXPECT_EQ(FrameAtOrLast(frames, 9), &b);
  EXPECT_EQ(FrameAtOrLast(std::vector<int*>{}, 0), nullptr);
}

}  // namespace
