#include "Game/KpFeatureConfig.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/Support/CaseNames.h"
#include "tests/Support/DataRoot.h"
#include "tests/Support/GameDataRoot.h"

namespace {

std::string ConfigWith(const std::string& features) {
  return "<?xml version=\"1.0\"?>\n<config>\n  <premium_products>\n"
         "    <premium_product name=\"spell_recharge\" cost=\"3\" is_active=\"1\"/>\n"
         "  </premium_products>\n  <features>\n" +
         features + "  </features>\n</config>\n";
}

struct SwitchCase {
  const char* name;
  const char* isActive;
  bool on;
};

class FeatureSwitchTest : public ::testing::TestWithParam<SwitchCase> {
 protected:
  testing_support::DataRoot root_;
};

TEST_P(FeatureSwitchTest, TheAttributeReadsAsABoolean) {
  const SwitchCase& c = GetParam();
  root_.WriteFile("kp/config.xml",
                  ConfigWith(std::string("<feature name=\"tapjoy\" is_active=\"") + c.isActive + "\"/>\n"));
  const KpFeatureConfig config(u"kp/config.xml");
  ASSERT_TRUE(config.loaded());
  EXPECT_EQ(config.getBool("tapjoy", "is_active"), c.on);
}

INSTANTIATE_TEST_SUITE_P(Values, FeatureSwitchTest,
                         ::testing::Values(SwitchCase{"One", "1", true}, SwitchCase{"Seven", "7", true},
                                           SwitchCase{"True", "true", true}, SwitchCase{"Zero", "0", false},
                                           SwitchCase{"False", "false", false}, SwitchCase{"AnyWord", "yes", false},
                                           SwitchCase{"Empty", "", false}),
                         testing_support::RowName());

class FeatureConfigTest : public ::testing::Test {
 protected:
  testing_support::DataRoot root_;
};

TEST_F(FeatureConfigTest, FeaturesAreFoundByTheirExactNameAndTheFirstWins) {
  root_.WriteFile("kp/config.xml", ConfigWith("<feature name=\"spell_recharge\" is_active=\"1\"/>\n"
                                              "<feature name=\"spell_recharge\" is_active=\"0\" is_free=\"1\"/>\n"
                                              "<feature name=\"Tapjoy\" is_active=\"1\"/>\n"
                                              "<other name=\"low_life_dialog\" is_active=\"1\"/>\n"));
  const KpFeatureConfig config(u"kp/config.xml");
  EXPECT_TRUE(config.getBool("spell_recharge", "is_active"));
  EXPECT_FALSE(config.getBool("spell_recharge", "is_free")) << "the second element of the name is never read";
  EXPECT_FALSE(config.getBool("tapjoy", "is_active")) << "letter case counts";
  EXPECT_FALSE(config.getBool("Tapjoy", "is_free")) << "an absent attribute is off";
  EXPECT_FALSE(config.getBool("low_life_dialog", "is_active")) << "only feature elements are switches";
  EXPECT_FALSE(config.getBool("spell_recharg", "is_active"));
  EXPECT_FALSE(config.getBool(std::string("spell_recharge\0x", 16), "is_active"));
  const tinyxml2::XMLElement* first = config.findFeature("spell_recharge");
  ASSERT_NE(first, nullptr);
  EXPECT_STREQ(first->Attribute("is_active"), "1");
  EXPECT_EQ(config.findFeature("premium_product"), nullptr);
}

struct BrokenCase {
  const char* name;
  // Null: no file.
  const char* file;
};

class FeatureConfigBrokenTest : public FeatureConfigTest, public ::testing::WithParamInterface<BrokenCase> {};

TEST_P(FeatureConfigBrokenTest, EveryFeatureIsOff) {
  if (GetParam().file) root_.WriteFile("kp/config.xml", GetParam().file);
  const KpFeatureConfig config(u"kp/config.xml");
  for (const char* feature : {"low_life_dialog", "reset_premium_points", "spell_recharge", "tapjoy"}) {
    EXPECT_FALSE(config.getBool(feature, "is_active")) << feature;
    EXPECT_EQ(config.findFeature(feature), nullptr) << feature;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, FeatureConfigBrokenTest,
    ::testing::Values(BrokenCase{"Missing", nullptr}, BrokenCase{"Empty", ""},
                      BrokenCase{"NotWellFormed", "<config><features><feature name=\"tapjoy\" is_active=\"1\">"},
                      BrokenCase{"OtherRoot",
                                 "<settings><features><feature name=\"tapjoy\" is_active=\"1\"/></features></settings>"},
                      BrokenCase{"NoFeatures", "<config><feature name=\"tapjoy\" is_active=\"1\"/></config>"}),
    testing_support::RowName());

TEST(ShippedFeatureConfigTest, TheBuiltConfigurationHasEverySwitchTheGameAsksFor) {
  std::optional<testing_support::InGameData> data(std::in_place);
  const KpFeatureConfig config(u"kp/config.xml");
  data.reset();
  ASSERT_TRUE(config.loaded());
  for (const char* feature : {"low_life_dialog", "low_premium_points_dialog", "reset_premium_points",
                              "spell_recharge", "boost_shop_premium_mode", "tapjoy"})
    EXPECT_NE(config.findFeature(feature), nullptr) << feature;
}

}  // namespace
