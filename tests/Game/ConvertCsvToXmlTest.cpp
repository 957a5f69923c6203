#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <string>

#include "Core/Base/SingletonRegistry.h"
#include "Game/ConvertCsvToXml.h"
#include "tests/Game/ProtoFixtures.h"

namespace {

// "[a=1 b=2[child...]]" for every row under the sheet, in element order.
std::string Describe(const tinyxml2::XMLElement& parent) {
  std::string text;
  for (const tinyxml2::XMLElement* row = parent.FirstChildElement(); row; row = row->NextSiblingElement()) {
    text += "[";
    for (const tinyxml2::XMLAttribute* a = row->FirstAttribute(); a; a = a->Next())
      text += std::string(a == row->FirstAttribute() ? "" : " ") + a->Name() + "=" + a->Value();
    text += Describe(*row) + "]";
  }
  return text;
}

struct SheetCase {
  const char* name;
  const char* sheet;
  const char* rows;
  int problems;  // log lines
};

const SheetCase kSheetCases[] = {
    {"TiersNestAndTopLevelRowsStandReversed", "id;parent;cost\n10;-1;5,5\n11;10;7\n20;-1;3",
     "[id=20 parent=-1 cost=3][id=10 parent=-1 cost=5.5[id=11 parent=10 cost=7]]", 0},
    {"TiersKeepFileOrder", "id;parent\n1;-1\n2;1\n3;1", "[id=1 parent=-1[id=2 parent=1][id=3 parent=1]]", 0},
    {"QuotesAreText", "id;parent;name\n1;-1;\"a;b\"", "[id=1 parent=-1 name=\"a]", 1},
    {"TrailingSemicolonGivesAnEmptyField", "id;parent;special\n1;-1;", "[id=1 parent=-1 special=]", 0},
    {"TrailingSemicolonInTheHeaderNamesNothing", "id;parent;\n1;-1;x", "[id=1 parent=-1]", 1},
    {"CrLfLineEnds", "id;parent\r\n1;-1\r\n\r\n2;-1\r\n", "[id=2 parent=-1][id=1 parent=-1]", 0},
    {"EmptyAndBlankRowsAreSkipped", "\n id;parent \n\n \t \n1;-1\n\r\n", "[id=1 parent=-1]", 0},
    {"FieldsAreTrimmed", "id ; parent ; psd\n 1\t; -1 ;  t_x  ", "[id=1 parent=-1 psd=t_x]", 0},
    {"UnknownColumnsStayAttributes", "id;parent;colour\n1;-1;red", "[id=1 parent=-1 colour=red]", 0},
    {"DuplicateHeaderNameTakesTheLaterField", "id;cost;cost\n1;2;3", "[id=1 cost=3]", 1},
    {"NoParentColumnMeansTopLevel", "id;cost\n1;2\n3;4", "[id=3 cost=4][id=1 cost=2]", 0},
    {"UnreadableParentMeansTopLevel", "id;parent\n1;x", "[id=1 parent=x]", 0},
    {"ParentLaterInTheFileSkipsTheRow", "id;parent\n11;10\n10;-1", "[id=10 parent=-1]", 1},
    {"MissingParentSkipsTheRow", "id;parent\n10;-1\n11;99\n12;98", "[id=10 parent=-1]", 1},
    {"TierOfATierSkipsTheRow", "id;parent\n1;-1\n2;1\n3;2", "[id=1 parent=-1[id=2 parent=1]]", 1},
    {"RepeatedIdNestsUnderTheLaterRow", "id;parent\n5;-1\n5;-1\n6;5", "[id=5 parent=-1[id=6 parent=5]][id=5 parent=-1]",
     0},
    {"ShortRowKeepsTheFieldsItHas", "id;parent;cost\n1;-1", "[id=1 parent=-1]", 1},
    {"HeaderOnlyGivesNoRows", "id;parent;cost\n", "", 0},
    {"EmptyTextGivesNoRows", "", "", 0},
};

class ConvertCsvToXmlTest : public ::testing::TestWithParam<SheetCase> {
 protected:
  ConvertCsvToXmlTest() { proto_fixtures::RecordLog(log_); }
  ~ConvertCsvToXmlTest() override { SingletonRegistry::Shutdown(); }

  std::vector<base::WString> log_;
};

TEST_P(ConvertCsvToXmlTest, RowsBecomeUnitsNestedByParent) {
  const SheetCase& c = GetParam();
  tinyxml2::XMLDocument document;
  tinyxml2::XMLElement* sheet = document.NewElement("towers");
  document.InsertEndChild(sheet);
  ConvertCsvTextToXml(c.sheet, "towers_sheet.csv", *sheet);
  EXPECT_EQ(Describe(*sheet), c.rows);
  EXPECT_EQ(static_cast<int>(log_.size()), c.problems);
}

INSTANTIATE_TEST_SUITE_P(Sheets, ConvertCsvToXmlTest, ::testing::ValuesIn(kSheetCases),
                         [](const ::testing::TestParamInfo<SheetCase>& info) { return std::string(info.param.name); });

// A hostile header can neither make every row cost the square of its width
// nor flood the log with a line per column.
TEST(ConvertCsvToXmlWideTest, AHeaderIsCutAfter256ColumnsAndRepeatsAreOneProblem) {
  std::vector<base::WString> log;
  proto_fixtures::RecordLog(log);
  std::string sheet = "id";
  for (int column = 1; column < 300; ++column) sheet += ";c" + std::to_string(column % 200);
  sheet += "\n1";
  for (int column = 1; column < 300; ++column) sheet += ";" + std::to_string(column);
  tinyxml2::XMLDocument document;
  tinyxml2::XMLElement* units = document.NewElement("units");
  document.InsertEndChild(units);
  ConvertCsvTextToXml(sheet, "units_sheet.csv", *units);
  const tinyxml2::XMLElement* row = units->FirstChildElement();
  ASSERT_NE(row, nullptr);
  int attributes = 0;
  for (const tinyxml2::XMLAttribute* a = row->FirstAttribute(); a; a = a->Next()) ++attributes;
  EXPECT_EQ(attributes, 201) << "the id and c0 to c199, repeated names set once";
  EXPECT_STREQ(row->Attribute("c1"), "201") << "a repeated name takes its later field";
  EXPECT_STREQ(row->Attribute("c55"), "255") << "the last column before the cut";
  EXPECT_STREQ(row->Attribute("c56"), "56") << "columns past the cut are ignored";
  // The cut, one line for the repeated names, the row longer than the header.
  EXPECT_EQ(log.size(), 3u);
  SingletonRegistry::Shutdown();
}

}  // namespace
