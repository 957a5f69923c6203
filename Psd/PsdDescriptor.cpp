#include "Psd/PsdDescriptor.h"

#include "Psd/PsdError.h"

namespace psd {

namespace {

void SkipUnicodeText(PsdCursor& cursor) { cursor.Skip(std::uint64_t{cursor.U32()} * 2); }

// A class: its name as a descriptor name, then its id.
void SkipClass(PsdCursor& cursor) {
  SkipUnicodeText(cursor);
  SkipPsdDescriptorId(cursor);
}

}  // namespace

void SkipPsdDescriptorId(PsdCursor& cursor) {
  const std::uint32_t length = cursor.U32();
  cursor.Skip(length == 0 ? 4 : length);
}

void SkipPsdReference(PsdCursor& cursor) {
  const std::uint32_t count = cursor.U32();
  for (std::uint32_t i = 0; i < count && cursor.Remaining() > 0; ++i) {
    switch (cursor.Key()) {
      case PsdKey("prop"):
        SkipClass(cursor);
        SkipPsdDescriptorId(cursor);
        break;
      case PsdKey("Clss"):
        SkipClass(cursor);
        break;
      case PsdKey("Enmr"):
        SkipClass(cursor);
        SkipPsdDescriptorId(cursor);
        SkipPsdDescriptorId(cursor);
        break;
      case PsdKey("rele"):
        SkipClass(cursor);
        cursor.Skip(4);
        break;
      case PsdKey("Idnt"):
      case PsdKey("indx"):
        cursor.Skip(4);
        break;
      case PsdKey("name"):
        SkipUnicodeText(cursor);
        break;
      default:
        break;
    }
  }
}

int SkipPsdDescriptorValue(std::uint32_t type, PsdCursor& cursor, int depth) {
  switch (type) {
    case PsdKey("bool"): cursor.Skip(1); break;
    case PsdKey("doub"): cursor.Skip(8); break;
    case PsdKey("long"): cursor.Skip(4); break;
    case PsdKey("UntF"): cursor.Skip(12); break;
    case PsdKey("TEXT"): SkipUnicodeText(cursor); break;
    case PsdKey("alis"): cursor.Skip(cursor.U32()); break;
    case PsdKey("enum"):
      SkipPsdDescriptorId(cursor);
      SkipPsdDescriptorId(cursor);
      break;
    case PsdKey("type"):
    case PsdKey("GlbC"): SkipClass(cursor); break;
    case PsdKey("Objc"):
    case PsdKey("GlbO"): return SkipPsdDescriptor(cursor, depth + 1);
    case PsdKey("VlLs"): return SkipPsdDescriptorList(cursor, depth + 1);
    case PsdKey("obj "): SkipPsdReference(cursor); break;
    case PsdKey("comp"): cursor.Skip(8); break;
    case PsdKey("tdta"): cursor.Skip(cursor.U32()); break;
    case PsdKey("UnFl"): {
      cursor.Skip(4);
      cursor.Skip(std::uint64_t{cursor.U32()} * 8);
      break;
    }
    case PsdKey("ObAr"):
      cursor.Skip(4);
      return SkipPsdDescriptor(cursor, depth + 1);
    // Without knowing a value's size nothing after it can be found: the
    // descriptor is given up and its enclosing block's length finds the next.
    default: return kPsdUnknownDescriptorType;
  }
  return kPsdOk;
}

int SkipPsdDescriptor(PsdCursor& cursor, int depth) {
  if (depth > kPsdMaxDescriptorDepth) {
    return kPsdDescriptorTooDeep;
  }
  SkipUnicodeText(cursor);
  SkipPsdDescriptorId(cursor);
  const std::uint32_t count = cursor.U32();
  for (std::uint32_t i = 0; i < count && cursor.Remaining() > 0; ++i) {
    SkipPsdDescriptorId(cursor);
    const int result = SkipPsdDescriptorValue(cursor.Key(), cursor, depth);
    if (result != kPsdOk) {
      return result;
    }
  }
  return kPsdOk;
}

int SkipPsdDescriptorList(PsdCursor& cursor, int depth) {
  if (depth > kPsdMaxDescriptorDepth) {
    return kPsdDescriptorTooDeep;
  }
  const std::uint32_t count = cursor.U32();
  for (std::uint32_t i = 0; i < count && cursor.Remaining() > 0; ++i) {
    const int result = SkipPsdDescriptorValue(cursor.Key(), cursor, depth);
    if (result != kPsdOk) {
      return result;
    }
  }
  return kPsdOk;
}

}  // namespace psd
