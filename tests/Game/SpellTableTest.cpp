#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Core/Base/SingletonRegistry.h"
#include "Core/Base/TextConversion.h"
#include "Core/Render/Image.h"
#include "Game/SpellTable.h"
#include "tests/Game/ProtoFixtures.h"

namespace {

class SpellTableTest : public ::testing::Test {
 protected:
  SpellTableTest() { proto_fixtures::RecordLog(log_); }
  ~SpellTableTest() override { SingletonRegistry::Shutdown(); }

  // Records the paths it is asked for and makes no image.
  SpellTable::ImageMaker recorder() {
    return [this](const base::WString& path) -> std::unique_ptr<render::Image> {
      images_.push_back(base::ToNarrow(path, base::kEncodingUtf8));
      return nullptr;
    };
  }

  std::vector<base::WString> log_;
  std::vector<std::string> images_;
};

TEST_F(SpellTableTest, RowsReadInFileOrderAndOnlyAHashMarkerIsAComment) {
  SpellTable table;
  table.loadText("#;proto;icon;dim;spell;price\n"
                 "s;3000;kp/a;kp/a_dim;4;10\r\n"
                 "\n"
                 "#x;3001;kp/b;kp/b_dim;5;12\n"
                 "# ;3002;kp/c;kp/c_dim;6;7\n",
                 "spells_sheet.csv", recorder());
  ASSERT_EQ(table.spells().size(), 2u);
  const SpellDef& first = *table.spells()[0];
  EXPECT_EQ(first.protoId, 3000);
  EXPECT_EQ(first.imagePath1, "kp/a");
  EXPECT_EQ(first.imagePath2, "kp/a_dim");
  EXPECT_EQ(first.spellId, 4);
  EXPECT_EQ(first.instantPrice, 10);
  EXPECT_EQ(table.find(5), table.spells()[1].get());
  EXPECT_EQ(table.find(6), nullptr);
  EXPECT_EQ(images_, (std::vector<std::string>{"kp/a", "kp/a_dim", "kp/b", "kp/b_dim"}));
  EXPECT_TRUE(log_.empty());
}

TEST_F(SpellTableTest, ShortRowsAndNonNumbersAreLoggedOncePerCause) {
  SpellTable table;
  table.loadText("s;1;a\ns;2\ns;x;a;b;y;3\ns;z;a;b;1;1\n", "spells_sheet.csv", recorder());
  ASSERT_EQ(table.spells().size(), 2u);
  EXPECT_EQ(table.spells()[0]->protoId, 0);
  EXPECT_EQ(log_.size(), 2u);
}

TEST_F(SpellTableTest, MissingFileGivesNoSpells) {
  SpellTable table;
  table.load(u"kp/no_such_sheet.csv", recorder());
  EXPECT_TRUE(table.spells().empty());
}

}  // namespace
