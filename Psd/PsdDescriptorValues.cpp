#include "Psd/PsdDescriptorValues.h"

#include "Psd/PsdDescriptor.h"
#include "Psd/PsdEffects.h"
#include "Psd/PsdError.h"

namespace psd {

namespace {

int Skip(std::uint32_t type, PsdCursor& cursor) { return SkipPsdDescriptorValue(type, cursor, kPsdItemDepth); }

bool IsObject(std::uint32_t type) { return type == PsdKey("Objc") || type == PsdKey("GlbO"); }

}  // namespace

int ReadPsdDoubleValue(std::uint32_t type, PsdCursor& cursor, double& value) {
  switch (type) {
    case PsdKey("UntF"):
      cursor.Skip(4);
      value = cursor.Double();
      return kPsdOk;
    case PsdKey("doub"): value = cursor.Double(); return kPsdOk;
    case PsdKey("long"): value = cursor.I32(); return kPsdOk;
    default: return Skip(type, cursor);
  }
}

int ReadPsdIntValue(std::uint32_t type, PsdCursor& cursor, std::int32_t& value) {
  double number = 0;
  const bool numeric = type == PsdKey("UntF") || type == PsdKey("doub") || type == PsdKey("long");
  const int result = ReadPsdDoubleValue(type, cursor, number);
  if (numeric) {
    value = TruncatePsdDouble(number);
  }
  return result;
}

int ReadPsdOpacityValue(std::uint32_t type, PsdCursor& cursor, std::uint8_t& value) {
  double percent = -1;
  const int result = ReadPsdDoubleValue(type, cursor, percent);
  if (percent >= 0) {
    value = PsdOpacityOfPercent(percent);
  }
  return result;
}

int ReadPsdBoolValue(std::uint32_t type, PsdCursor& cursor, std::uint8_t& value) {
  if (type != PsdKey("bool")) {
    return Skip(type, cursor);
  }
  value = cursor.U8() != 0;
  return kPsdOk;
}

int ReadPsdEnumValue(std::uint32_t type, PsdCursor& cursor, PsdDescriptorId& value) {
  if (type != PsdKey("enum")) {
    return Skip(type, cursor);
  }
  SkipPsdDescriptorId(cursor);
  value = ReadPsdDescriptorId(cursor);
  return kPsdOk;
}

int ReadPsdEnumValue(std::uint32_t type, PsdCursor& cursor, std::int32_t (*read)(PsdCursor&), std::int32_t& value) {
  if (type != PsdKey("enum")) {
    return Skip(type, cursor);
  }
  SkipPsdDescriptorId(cursor);
  value = read(cursor);
  return kPsdOk;
}

int ReadPsdColorValue(std::uint32_t type, PsdCursor& cursor, std::uint32_t& color) {
  if (!IsObject(type)) {
    return Skip(type, cursor);
  }
  color = ReadPsdColorObject(cursor);
  return kPsdOk;
}

int ReadPsdGradientValue(std::uint32_t type, PsdCursor& cursor, PsdGradient& gradient) {
  return IsObject(type) ? ReadPsdGradientObject(cursor, gradient) : Skip(type, cursor);
}

int ReadPsdPatternValue(std::uint32_t type, PsdCursor& cursor, PsdPatternReference& reference) {
  return IsObject(type) ? ReadPsdPatternReference(cursor, reference) : Skip(type, cursor);
}

int ReadPsdPointValue(std::uint32_t type, PsdCursor& cursor, std::int32_t& x, std::int32_t& y) {
  return IsObject(type) ? ReadPsdPointObject(cursor, x, y) : Skip(type, cursor);
}

int ReadPsdContourValue(std::uint32_t type, PsdCursor& cursor, PsdContour& contour) {
  return IsObject(type) ? ReadPsdContourObject(cursor, contour) : Skip(type, cursor);
}

}  // namespace psd
