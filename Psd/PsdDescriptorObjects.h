#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Psd/PsdContour.h"
#include "Psd/PsdCursor.h"

// Readers of the descriptor objects that effect and fill blocks hold. Each
// starts at the object's value, that is at the nested descriptor's name, and
// reads the fixed layout writers give it; a short object reads as zeros.
namespace psd {

// A descriptor id: a 4-byte key, or a text of at most 255 bytes (key 0).
struct PsdDescriptorId {
  std::uint32_t key = 0;
  std::string text;
};

struct PsdColorStop {
  std::int32_t location = 0;
  std::int32_t midpoint = 0;
  std::uint32_t color = 0;      // 0xAARRGGBB
  std::int32_t colorType = 0;   // 0 foreground, 1 background, 2 user colour
};

struct PsdTransparencyStop {
  std::int32_t location = 0;
  std::int32_t midpoint = 0;
  std::int16_t opacity = 0;
};

struct PsdGradient {
  std::int32_t interpolation = 0;
  std::u16string name;
  std::vector<PsdColorStop> colorStops;
  std::vector<PsdTransparencyStop> transparencyStops;
};

struct PsdPatternReference {
  std::u16string name;
  std::string identifier;  // the low byte of each unit, at most 255
};

PsdDescriptorId ReadPsdDescriptorId(PsdCursor& cursor);
// A double as an int32, truncated toward zero; 0 for values no int32 holds.
std::int32_t TruncatePsdDouble(double value);

// 0xFFRRGGBB from an 'RGBC' object.
std::uint32_t ReadPsdColorObject(PsdCursor& cursor);
// Enumeration values, read from the value id (the caller has read the type id).
std::int32_t ReadPsdBlendModeEnum(PsdCursor& cursor);
std::int32_t ReadPsdTechniqueEnum(PsdCursor& cursor);
std::int32_t ReadPsdGradientTypeEnum(PsdCursor& cursor);

int ReadPsdGradientObject(PsdCursor& cursor, PsdGradient& gradient);
int ReadPsdPatternReference(PsdCursor& cursor, PsdPatternReference& reference);
int ReadPsdPointObject(PsdCursor& cursor, std::int32_t& x, std::int32_t& y);
int ReadPsdContourObject(PsdCursor& cursor, PsdContour& contour);

}  // namespace psd
