#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace w4 {

// One line of the sound sheet: "tag;file;volume;group;unused", in UTF-8.
struct SoundSheetRow {
  std::string tag;
  // Below the sound folder; may be empty.
  std::string file;
  float volume = 1.0f;
  int group = 0;
};

// Nothing for a blank line or a comment (a tag that starts with '#'). Every
// space goes, and a line's carriage return with it; fields may be missing
// at the end, and unreadable numbers read as 0.
std::optional<SoundSheetRow> ParseSoundSheetLine(std::string_view line);

}  // namespace w4
