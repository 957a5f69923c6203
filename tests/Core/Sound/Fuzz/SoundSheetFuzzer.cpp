// libFuzzer entry for the sound sheet: the input is "kp/sounds_sheet.csv",
// loaded into the sound tags, each of which is then played. The sounds it
// names lie in a data root without sounds, so each load fails in its own way.
#include <cstddef>
#include <cstdint>

#include "Core/Sound/SoundTags.h"
#include "tests/Support/FuzzDataRoot.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz_support::WriteInput("kp/sounds_sheet.csv", data, size);
  w4::SoundTags* tags = w4::SoundTags::Instance();
  tags->Load(u"kp/sounds_sheet.csv");
  for (const auto& entry : tags->GetEntries()) tags->Play(entry->tag);
  tags->Clear();
  return 0;
}
