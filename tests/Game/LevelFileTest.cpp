#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "Core/Base/SingletonRegistry.h"
#include "Game/LevelFile.h"
#include "tests/Support/CaseNames.h"
#include "tests/Support/DataRoot.h"

namespace {

struct LevelFileCase {
  const char* name;
  const char* contents;  // null: no file
  bool loads;
  const char16_t* error;  // a part of the error text
  int budget;
  std::optional<std::string> levelImage;
};

void PrintTo(const LevelFileCase& c, std::ostream* out) { *out << c.name; }

class LevelFileTest : public ::testing::TestWithParam<LevelFileCase> {
 protected:
  ~LevelFileTest() override { SingletonRegistry::Shutdown(); }
  testing_support::DataRoot root_;
};

TEST_P(LevelFileTest, ABrokenFileIsReportedAndStartsWithNoMoney) {
  const LevelFileCase& c = GetParam();
  if (c.contents) root_.WriteFile("kp/levels_normal/level_01_01.xml", c.contents);
  LevelFile level;
  EXPECT_EQ(level.load(u"kp/levels_normal/level_01_01.xml"), c.loads);
  EXPECT_EQ(level.map() != nullptr, c.loads);
  EXPECT_NE(level.error().find(c.error), base::WString::npos);
  EXPECT_EQ(level.budget(), c.budget);
  EXPECT_EQ(level.levelImageText(), c.levelImage);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LevelFileTest,
    ::testing::Values(
        LevelFileCase{"Missing", nullptr, false, u"missing or empty", 0, std::nullopt},
        LevelFileCase{"Empty", "", false, u"missing or empty", 0, std::nullopt},
        LevelFileCase{"CutShort", "<map><budget>200</budget><li>kp/data/maps/e1_l1/b.png</li>", false,
                      u"not well-formed", 0, std::nullopt},
        LevelFileCase{"OtherRoot", "<level><budget>200</budget></level>", false, u"no map element", 0, std::nullopt},
        LevelFileCase{"Whole", "<map><budget>200</budget><li>kp/data/maps/e1_l1/b.png</li></map>", true, u"", 200,
                      "kp/data/maps/e1_l1/b.png"},
        LevelFileCase{"BudgetWithTrailingText", "<map><budget> 150 coins</budget></map>", true, u"", 150, std::nullopt},
        LevelFileCase{"BudgetNotANumber", "<map><budget>lots</budget><li/></map>", true, u"", 0, std::nullopt},
        LevelFileCase{"NoBudget", "<map/>", true, u"", 0, std::nullopt}),
    testing_support::RowName());

}  // namespace
