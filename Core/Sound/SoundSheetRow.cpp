#include "Core/Sound/SoundSheetRow.h"

#include "Core/Base/TextConversion.h"
#include "Core/Base/TextTokenizer.h"

namespace w4 {

std::optional<SoundSheetRow> ParseSoundSheetLine(std::string_view line) {
  std::string text = RemoveChar(line, ' ');
  // A sheet saved with Windows line ends would otherwise put the '\r' into
  // the last field, the file name of a line without numbers.
  if (!text.empty() && text.back() == '\r') text.pop_back();
  if (text.empty()) return std::nullopt;
  TextTokenizer fields(std::move(text), ';', false);
  SoundSheetRow row;
  fields.NextToken(&row.tag);
  if (!row.tag.empty() && row.tag.front() == '#') return std::nullopt;
  fields.NextToken(&row.file);
  int unused = 0;
  fields.NextFloat(row.volume).NextInt(row.group).NextInt(unused);
  return row;
}

}  // namespace w4
