// libFuzzer entry for the game's text settings: the input is both the string
// table "kp/strings_en.csv" and the feature switches "kp/config.xml". Every
// key is looked up, a missing one too, and every switch the game asks for.
#include <cstddef>
#include <cstdint>

#include "Game/KpFeatureConfig.h"
#include "Game/LocalStrings.h"
#include "tests/Support/FuzzDataRoot.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz_support::WriteInput("kp/strings_en.csv", data, size);
  fuzz_support::WriteInput("kp/config.xml", data, size);
  {
    LocalStrings strings;
    for (const char16_t* key : {u"game_caption", u"", u"episode", u"not a key"}) strings.getString(key);
  }
  const KpFeatureConfig config(u"kp/config.xml");
  for (const char* feature : {"low_life_dialog", "reset_premium_points", "spell_recharge", "tapjoy"}) {
    config.getBool(feature, "is_active");
    config.getBool(feature, "is_free");
  }
  return 0;
}
