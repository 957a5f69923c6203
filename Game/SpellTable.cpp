#include "Game/SpellTable.h"

#include "Core/Base/NumberText.h"
#include "Core/Base/TextConversion.h"
#include "Core/File/TextFile.h"
#include "Framework/GameApplication.h"
#include "Game/DataProblems.h"
#include "Game/SheetText.h"

namespace {

constexpr std::size_t kSpellFields = 6;

int ReadInt(const std::string& field, DataProblems& problems, int line) {
  const std::optional<int> number = base::LeadingInt(field);
  if (!number) problems.note("a number field is not a number; it reads as 0", line);
  return number.value_or(0);
}

}  // namespace

SpellTable::ImageMaker SpellTable::GameImages() {
  return [](const base::WString& path) -> std::unique_ptr<render::Image> {
    framework::GameApplication* application = framework::GameApplication::Instance();
    return application ? application->CreateImage(path, nullptr) : nullptr;
  };
}

void SpellTable::load(const base::WString& path, const ImageMaker& makeImage) {
  loadText(file::ReadTextFile(path), base::ToNarrow(path, base::kEncodingUtf8), makeImage);
}

void SpellTable::loadText(std::string_view text, const std::string& source, const ImageMaker& makeImage) {
  DataProblems problems(source);
  for (const SheetLine& line : SplitSheetLines(text)) {
    const std::vector<std::string> fields = SplitSheetFields(line.text);
    if (fields.front() == "#") continue;
    if (fields.size() < kSpellFields) {
      problems.note("a spell row has fewer than 6 fields; the row is skipped", line.number);
      continue;
    }
    auto spell = std::make_unique<SpellDef>();
    spell->protoId = ReadInt(fields[1], problems, line.number);
    spell->imagePath1 = fields[2];
    spell->imagePath2 = fields[3];
    spell->spellId = ReadInt(fields[4], problems, line.number);
    spell->instantPrice = ReadInt(fields[5], problems, line.number);
    if (makeImage) {
      spell->image1 = makeImage(base::ToWide(spell->imagePath1, base::kEncodingUtf8));
      spell->image2 = makeImage(base::ToWide(spell->imagePath2, base::kEncodingUtf8));
    }
    spells_.push_back(std::move(spell));
  }
}

const SpellDef* SpellTable::find(int spellId) const {
  for (const std::unique_ptr<SpellDef>& spell : spells_)
    if (spell->spellId == spellId) return spell.get();
  return nullptr;
}
