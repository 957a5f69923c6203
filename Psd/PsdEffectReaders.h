#pragma once

#include <cstdint>
#include <string_view>

#include "Psd/PsdCursor.h"
#include "Psd/PsdDescriptorObjects.h"
#include "Psd/PsdDescriptorValues.h"
#include "Psd/PsdEffects.h"

// The readers of one effect descriptor each of an 'lfx2' block: each starts
// the record at its defaults and reads the items it knows. kPsdOk, or the
// error of a value that could not be passed over.
namespace psd {

int ReadPsdShadowDescriptor(PsdCursor& cursor, PsdShadowEffect& shadow, bool drop);
int ReadPsdGlowDescriptor(PsdCursor& cursor, PsdGlowEffect& glow, bool inner);
int ReadPsdSatinDescriptor(PsdCursor& cursor, PsdSatinEffect& satin);
int ReadPsdBevelDescriptor(PsdCursor& cursor, PsdBevelEffect& bevel);
int ReadPsdColorOverlayDescriptor(PsdCursor& cursor, PsdColorOverlayEffect& overlay);
int ReadPsdGradientOverlayDescriptor(PsdCursor& cursor, PsdGradientOverlayEffect& overlay);
int ReadPsdPatternOverlayDescriptor(PsdCursor& cursor, PsdPatternOverlayEffect& overlay);
int ReadPsdStrokeDescriptor(PsdCursor& cursor, PsdStrokeEffect& stroke);

inline bool IsPsdTextKey(const PsdDescriptorId& id, std::string_view text) { return id.key == 0 && id.text == text; }

// An enumeration whose value id is one of choices; the field is left when
// none matches.
struct PsdEnumChoice {
  std::uint32_t id;
  std::int32_t value;
};
template <std::size_t Count>
int ReadPsdEnumChoice(std::uint32_t type, PsdCursor& cursor, const PsdEnumChoice (&choices)[Count],
                      std::int32_t& field) {
  PsdDescriptorId id;
  const int result = ReadPsdEnumValue(type, cursor, id);
  for (const PsdEnumChoice& choice : choices) {
    if (id.text.empty() && id.key == choice.id) {
      field = choice.value;
    }
  }
  return result;
}

}  // namespace psd
