#include "Game/ConvertCsvToXml.h"

#include <tinyxml2.h>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "Core/Base/TextConversion.h"
#include "Core/File/TextFile.h"
#include "Game/DataProblems.h"
#include "Game/SheetText.h"
#include "Game/XmlAttributes.h"

namespace {

// Far more than any sheet has. Every attribute set on a row is looked up
// among the row's others, so an endless header would make each row cost the
// square of its width.
constexpr std::size_t kMaxColumns = 256;

// The top-level rows by id, each id leading to the one a search from the
// sheet's first child finds, so that nesting costs no walk over the rows.
class TopLevelRows {
 public:
  explicit TopLevelRows(tinyxml2::XMLElement& sheet) {
    for (tinyxml2::XMLElement* child = sheet.FirstChildElement(); child; child = child->NextSiblingElement())
      byId_.emplace(xml_attributes::ReadInt(*child, "id"), child);
  }
  // A new row goes in front of every other.
  void addFirst(tinyxml2::XMLElement* row) { byId_[xml_attributes::ReadInt(*row, "id")] = row; }
  tinyxml2::XMLElement* find(int id) const {
    const auto found = byId_.find(id);
    return found == byId_.end() ? nullptr : found->second;
  }

 private:
  std::unordered_map<int, tinyxml2::XMLElement*> byId_;
};

std::vector<std::string> ReadHeader(const SheetLine& line, DataProblems& problems) {
  std::vector<std::string> header = SplitSheetFields(line.text);
  if (header.size() > kMaxColumns) {
    problems.note("the header has more than 256 columns; the later ones are ignored", line.number);
    header.resize(kMaxColumns);
  }
  std::unordered_set<std::string> seen;
  for (const std::string& name : header) {
    if (name.empty()) problems.note("a header column has no name; its fields are ignored", line.number);
    else if (!seen.insert(name).second)
      problems.note("the header names a column twice; the later field wins", line.number);
  }
  return header;
}

}  // namespace

void ConvertCsvTextToXml(std::string_view text, const std::string& source, tinyxml2::XMLElement& sheet) {
  DataProblems problems(source);
  const std::vector<SheetLine> lines = SplitSheetLines(text);
  if (lines.empty()) return;
  const std::vector<std::string> header = ReadHeader(lines.front(), problems);
  tinyxml2::XMLDocument& document = *sheet.GetDocument();
  TopLevelRows topLevel(sheet);
  std::string row;
  std::vector<std::string> fields;
  for (std::size_t index = 1; index < lines.size(); ++index) {
    const SheetLine& line = lines[index];
    row.assign(line.text);
    std::replace(row.begin(), row.end(), ',', '.');
    SplitSheetFields(row, fields);
    if (fields.size() < header.size())
      problems.note("a row has fewer fields than the header; the missing attributes keep their defaults",
                    line.number);
    else if (fields.size() > header.size())
      problems.note("a row has more fields than the header; the extra fields are ignored", line.number);

    tinyxml2::XMLElement* unit = document.NewElement("unit");
    for (std::size_t column = 0; column < std::min(fields.size(), header.size()); ++column)
      if (!header[column].empty()) unit->SetAttribute(header[column].c_str(), fields[column].c_str());

    const int parentId = xml_attributes::ReadInt(*unit, "parent", -1);
    if (parentId == -1) {
      sheet.InsertFirstChild(unit);
      topLevel.addFirst(unit);
    } else if (tinyxml2::XMLElement* parent = topLevel.find(parentId)) {
      parent->InsertEndChild(unit);
    } else {
      problems.note("a row names a parent that is missing or comes later; the row is skipped", line.number);
      document.DeleteNode(unit);
    }
  }
}

void ConvertCsvToXml(const base::WString& path, tinyxml2::XMLElement& sheet) {
  ConvertCsvTextToXml(file::ReadTextFile(path), base::ToNarrow(path, base::kEncodingUtf8), sheet);
}
