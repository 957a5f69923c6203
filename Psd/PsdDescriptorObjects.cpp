#include "Psd/PsdDescriptorObjects.h"

#include <algorithm>
#include <limits>

#include "Psd/PsdDescriptor.h"
#include "Psd/PsdError.h"

namespace psd {

namespace {

constexpr std::uint64_t kMaxIdText = 255;
constexpr std::size_t kMaxContourPoints = 256;

void SkipWords(PsdCursor& cursor, int count) { cursor.Skip(4 * static_cast<std::uint64_t>(count)); }

void SkipText(PsdCursor& cursor) { cursor.Skip(std::uint64_t{cursor.U32()} * 2); }

std::u16string ReadText(PsdCursor& cursor) {
  const std::uint64_t count = std::min<std::uint64_t>(cursor.U32(), cursor.Remaining() / 2);
  std::u16string text(count, u'\0');
  for (char16_t& unit : text) {
    unit = cursor.U16();
  }
  return text;
}

// The name and a class id of the 4-byte form that open a fixed-layout object.
void SkipObjectHeader(PsdCursor& cursor) {
  SkipText(cursor);
  SkipWords(cursor, 2);
}

// A stop's location or midpoint: key length, key, type, then the value.
std::int32_t ReadStopLong(PsdCursor& cursor) {
  SkipWords(cursor, 3);
  return cursor.I32();
}

std::int32_t ColorTypeOf(std::uint32_t id) {
  switch (id) {
    case PsdKey("BckC"): return 1;
    case PsdKey("UsrS"): return 2;
    default: return 0;
  }
}

void ReadColorStops(PsdCursor& cursor, PsdGradient& gradient) {
  const std::uint32_t count = cursor.U32();
  for (std::uint32_t i = 0; i < count && cursor.Remaining() > 0; ++i) {
    PsdColorStop stop;
    SkipWords(cursor, 1);
    SkipText(cursor);
    SkipWords(cursor, 6);
    stop.color = ReadPsdColorObject(cursor);
    SkipWords(cursor, 6);
    stop.colorType = ColorTypeOf(cursor.U32());
    stop.location = ReadStopLong(cursor);
    stop.midpoint = ReadStopLong(cursor);
    gradient.colorStops.push_back(stop);
  }
}

void ReadTransparencyStops(PsdCursor& cursor, PsdGradient& gradient) {
  const std::uint32_t count = cursor.U32();
  for (std::uint32_t i = 0; i < count && cursor.Remaining() > 0; ++i) {
    PsdTransparencyStop stop;
    SkipWords(cursor, 1);
    SkipText(cursor);
    SkipWords(cursor, 7);
    stop.opacity = static_cast<std::int16_t>(TruncatePsdDouble(cursor.Double()));
    stop.location = ReadStopLong(cursor);
    stop.midpoint = ReadStopLong(cursor);
    gradient.transparencyStops.push_back(stop);
  }
}

std::int32_t BlendModeOfKey(std::uint32_t key) {
  switch (key) {
    case PsdKey("Dslv"): return 1;
    case PsdKey("Drkn"): return 2;
    case PsdKey("Mltp"): return 3;
    case PsdKey("CBrn"): return 4;
    case PsdKey("Lghn"): return 6;
    case PsdKey("Scrn"): return 7;
    case PsdKey("CDdg"): return 8;
    case PsdKey("Ovrl"): return 10;
    case PsdKey("SftL"): return 11;
    case PsdKey("HrdL"): return 12;
    case PsdKey("Dfrn"): return 17;
    case PsdKey("Xclu"): return 18;
    case PsdKey("H   "): return 19;
    case PsdKey("Strt"): return 20;
    case PsdKey("Clr "): return 21;
    case PsdKey("Lmns"): return 22;
    default: return 0;
  }
}

std::int32_t BlendModeOfText(const std::string& text) {
  static const std::pair<const char*, std::int32_t> kModes[] = {{"linearBurn", 5}, {"linearDodge", 9},
                                                                {"vividLight", 13}, {"linearLight", 14},
                                                                {"pinLight", 15},   {"hardMix", 16}};
  for (const auto& [name, mode] : kModes) {
    if (text == name) {
      return mode;
    }
  }
  return 0;
}

}  // namespace

PsdDescriptorId ReadPsdDescriptorId(PsdCursor& cursor) {
  PsdDescriptorId id;
  const std::uint32_t length = cursor.U32();
  if (length == 0) {
    id.key = cursor.Key();
    return id;
  }
  id.text.assign(std::min<std::uint64_t>(length, kMaxIdText), '\0');
  id.text.resize(cursor.Read(id.text.data(), id.text.size()));
  cursor.Skip(length - id.text.size());
  return id;
}

std::int32_t TruncatePsdDouble(double value) {
  if (!(value > std::numeric_limits<std::int32_t>::min() && value < std::numeric_limits<std::int32_t>::max())) {
    return 0;
  }
  return static_cast<std::int32_t>(value);
}

std::uint32_t ReadPsdColorObject(PsdCursor& cursor) {
  SkipText(cursor);
  SkipWords(cursor, 6);
  const std::uint32_t red = static_cast<std::uint32_t>(TruncatePsdDouble(cursor.Double())) & 255;
  SkipWords(cursor, 3);
  const std::uint32_t green = static_cast<std::uint32_t>(TruncatePsdDouble(cursor.Double())) & 255;
  SkipWords(cursor, 3);
  const std::uint32_t blue = static_cast<std::uint32_t>(TruncatePsdDouble(cursor.Double())) & 255;
  return 0xFF000000u | red << 16 | green << 8 | blue;
}

std::int32_t ReadPsdBlendModeEnum(PsdCursor& cursor) {
  const PsdDescriptorId id = ReadPsdDescriptorId(cursor);
  return id.text.empty() ? BlendModeOfKey(id.key) : BlendModeOfText(id.text);
}

std::int32_t ReadPsdTechniqueEnum(PsdCursor& cursor) {
  switch (ReadPsdDescriptorId(cursor).key) {
    case PsdKey("PrBL"): return 1;
    case PsdKey("Slmt"): return 2;
    default: return 0;
  }
}

std::int32_t ReadPsdGradientTypeEnum(PsdCursor& cursor) {
  switch (ReadPsdDescriptorId(cursor).key) {
    case PsdKey("Rdl "): return 1;
    case PsdKey("Angl"): return 2;
    case PsdKey("Rflc"): return 3;
    case PsdKey("Dmnd"): return 4;
    default: return 0;
  }
}

int ReadPsdGradientObject(PsdCursor& cursor, PsdGradient& gradient) {
  SkipObjectHeader(cursor);
  const std::uint32_t count = cursor.U32();
  for (std::uint32_t i = 0; i < count && cursor.Remaining() > 0; ++i) {
    const PsdDescriptorId key = ReadPsdDescriptorId(cursor);
    const std::uint32_t type = cursor.Key();
    switch (key.text.empty() ? key.key : 0) {
      case PsdKey("Clrs"): ReadColorStops(cursor, gradient); break;
      case PsdKey("Trns"): ReadTransparencyStops(cursor, gradient); break;
      case PsdKey("Intr"): gradient.interpolation = TruncatePsdDouble(cursor.Double()); break;
      case PsdKey("Nm  "): gradient.name = ReadText(cursor); break;
      case PsdKey("GrdF"): SkipWords(cursor, 4); break;
      default: {
        const int result = SkipPsdDescriptorValue(type, cursor, 1);
        if (result != kPsdOk) {
          return result;
        }
      }
    }
  }
  return kPsdOk;
}

int ReadPsdPatternReference(PsdCursor& cursor, PsdPatternReference& reference) {
  SkipObjectHeader(cursor);
  const std::uint32_t count = cursor.U32();
  for (std::uint32_t i = 0; i < count && cursor.Remaining() > 0; ++i) {
    const PsdDescriptorId key = ReadPsdDescriptorId(cursor);
    const std::uint32_t type = cursor.Key();
    if (key.key == PsdKey("Idnt") && key.text.empty()) {
      const std::u16string identifier = ReadText(cursor);
      reference.identifier.clear();
      for (std::size_t u = 0; u < identifier.size() && u < kMaxIdText; ++u) {
        reference.identifier.push_back(static_cast<char>(identifier[u] & 0xFF));
      }
    } else if (key.key == PsdKey("Nm  ") && key.text.empty()) {
      reference.name = ReadText(cursor);
    } else {
      const int result = SkipPsdDescriptorValue(type, cursor, 1);
      if (result != kPsdOk) {
        return result;
      }
    }
  }
  return kPsdOk;
}

int ReadPsdPointObject(PsdCursor& cursor, std::int32_t& x, std::int32_t& y) {
  SkipObjectHeader(cursor);
  const std::uint32_t count = cursor.U32();
  for (std::uint32_t i = 0; i < count && cursor.Remaining() > 0; ++i) {
    SkipWords(cursor, 1);
    const std::uint32_t key = cursor.Key();
    const std::uint32_t type = cursor.Key();
    if (key == PsdKey("Hrzn") || key == PsdKey("Vrtc")) {
      if (type == PsdKey("UntF")) {
        SkipWords(cursor, 1);
      }
      (key == PsdKey("Hrzn") ? x : y) = TruncatePsdDouble(cursor.Double());
    } else {
      const int result = SkipPsdDescriptorValue(type, cursor, 1);
      if (result != kPsdOk) {
        return result;
      }
    }
  }
  return kPsdOk;
}

int ReadPsdContourObject(PsdCursor& cursor, PsdContour& contour) {
  SkipObjectHeader(cursor);
  if (cursor.U32() == 2) {
    SkipWords(cursor, 3);
    SkipText(cursor);
  }
  SkipWords(cursor, 3);
  const std::uint32_t count = cursor.U32();
  std::vector<PsdContourPoint> points;
  for (std::uint32_t i = 0; i < count && cursor.Remaining() > 0; ++i) {
    SkipWords(cursor, 1);
    SkipText(cursor);
    SkipWords(cursor, 2);
    PsdContourPoint point;
    const std::uint32_t items = cursor.U32();
    for (std::uint32_t item = 0; item < items && cursor.Remaining() > 0; ++item) {
      SkipWords(cursor, 1);
      const std::uint32_t key = cursor.Key();
      const std::uint32_t type = cursor.Key();
      if (key == PsdKey("Hrzn")) {
        point.x = static_cast<std::uint8_t>(TruncatePsdDouble(cursor.Double()));
      } else if (key == PsdKey("Vrtc")) {
        point.y = static_cast<std::uint8_t>(TruncatePsdDouble(cursor.Double()));
      } else if (key == PsdKey("Cnty")) {
        point.corner = cursor.U8() == 0;
      } else {
        const int result = SkipPsdDescriptorValue(type, cursor, 1);
        if (result != kPsdOk) {
          return result;
        }
      }
    }
    // Writers keep to 256 points, one per level; more add nothing.
    if (points.size() < kMaxContourPoints) {
      points.push_back(point);
    }
  }
  BuildPsdContourTable(points, contour.table);
  return kPsdOk;
}

}  // namespace psd
