#pragma once

#include <string>
#include <string_view>
#include <vector>

// The ';'-separated sheets of the game. Quotes have no meaning in them: a
// '"' is text like any other character, so a field never holds a ';'.

struct SheetLine {
  std::string_view text;
  int number;  // counted from 1 in the file, empty lines included
};

// The lines of the text that hold something, each trimmed of spaces and tabs
// and of a '\r' left by CR LF line ends. The views point into text.
std::vector<SheetLine> SplitSheetLines(std::string_view text);

// The fields of one line, each trimmed of spaces and tabs. Empty fields count:
// "a;;b;" has four.
std::vector<std::string> SplitSheetFields(std::string_view line);
// The same into fields, whose memory is reused: a sheet of many rows then
// does not allocate per field.
void SplitSheetFields(std::string_view line, std::vector<std::string>& fields);
