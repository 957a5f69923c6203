#pragma once

#include <string>
#include <string_view>

#include "Core/Base/WString.h"

namespace tinyxml2 {
class XMLElement;
}

// Turns a prototype sheet into "unit" elements under sheet: the header row
// names the attributes, every later row is one element. A row whose "parent"
// is -1 (or missing) is a top-level row and goes first, so top-level rows
// stand in the reverse of their file order; any other row is a tier and goes
// last under the latest earlier top-level row whose "id" is its parent. Every
// ',' of a row becomes '.' so that spreadsheet decimals read as numbers.
// A missing file adds nothing. What is wrong is logged once per cause under
// the path; bad rows are skipped.
void ConvertCsvToXml(const base::WString& path, tinyxml2::XMLElement& sheet);

// The same for a sheet's text; source names it in the log.
void ConvertCsvTextToXml(std::string_view text, const std::string& source, tinyxml2::XMLElement& sheet);
