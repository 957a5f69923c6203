#include <algorithm>

#include "Psd/PsdColor.h"
#include "Psd/PsdError.h"
#include "Psd/PsdSections.h"
#include "Psd/PsdText.h"
#include "Psd/PsdThumbnail.h"

namespace psd {

namespace {

// The extra channels are the header's channels beyond the colour planes, so
// a table never names more entries than there are channels.
void EnsureAlphaTable(PsdDocument& document, std::uint64_t count) {
  if (document.alphaNamesPresent) {
    return;
  }
  document.alphaNamesPresent = 1;
  count = std::min<std::uint64_t>(count, document.channels);
  document.alphaChannels.resize(count);
  document.colorPlaneCount = static_cast<std::int16_t>(document.channels - count);
}

std::string ReadPascalString(PsdCursor& data) {
  const std::uint8_t length = data.U8();
  std::string text(length, '\0');
  text.resize(data.Read(text.data(), length));
  return MacRomanToUtf8(text);
}

std::u16string ReadUnicodeString(PsdCursor& data) {
  const std::uint64_t count = std::min<std::uint64_t>(data.U32(), data.Remaining() / 2);
  std::u16string text(count, u'\0');
  for (char16_t& unit : text) {
    unit = data.U16();
  }
  return text;
}

void ReadAlphaNames(PsdCursor data, PsdDocument& document) {
  std::uint64_t count = 0;
  for (PsdCursor walk = data; walk.Remaining() >= 2; walk.Skip(walk.U8())) {
    ++count;
  }
  EnsureAlphaTable(document, count);
  for (PsdAlphaChannelInfo& channel : document.alphaChannels) {
    channel.name = ReadPascalString(data);
  }
}

void ReadUnicodeAlphaNames(PsdCursor data, PsdDocument& document) {
  std::uint64_t count = 0;
  for (PsdCursor walk = data; walk.Remaining() >= 4; walk.Skip(std::uint64_t{walk.U32()} * 2)) {
    ++count;
  }
  EnsureAlphaTable(document, count);
  for (PsdAlphaChannelInfo& channel : document.alphaChannels) {
    channel.name = Utf16ToUtf8(ReadUnicodeString(data));
  }
}

void ReadAlphaIdentifiers(PsdCursor data, PsdDocument& document) {
  EnsureAlphaTable(document, data.Size() / 4);
  for (PsdAlphaChannelInfo& channel : document.alphaChannels) {
    channel.identifier = data.U32();
  }
}

int ReadThumbnail(PsdCursor data, PsdDocument& document) {
  document.thumbnailFormat = data.U32();
  document.thumbnailWidth = data.U32();
  document.thumbnailHeight = data.U32();
  document.thumbnailRowBytes = data.U32();
  document.thumbnailTotalSize = data.U32();
  document.thumbnailCompressedSize = data.U32();
  document.thumbnailBitsPerPixel = data.I16();
  document.thumbnailPlanes = data.I16();
  if (document.thumbnailFormat != 0) {
    const std::uint64_t size = std::min<std::uint64_t>(document.thumbnailCompressedSize, data.Remaining());
    const int result = DecodePsdJpegThumbnail({data.Take(size), size}, document.thumbnailPixels,
                                              document.thumbnailWidth, document.thumbnailHeight);
    if (result != kPsdOk) {
      return result;
    }
  }
  document.thumbnailPresent = 1;
  return kPsdOk;
}

void ReadVersionInfo(PsdCursor data, PsdDocument& document) {
  document.versionInfoPresent = 1;
  document.version = data.U32();
  document.hasRealMergedData = data.U8() != 0;
  document.writerName = ReadUnicodeString(data);
  document.readerName = ReadUnicodeString(data);
  document.fileVersion = data.U32();
}

void ReadResolution(PsdCursor data, PsdDocument& document) {
  document.resolutionPresent = 1;
  document.horizontalResolution = static_cast<float>(data.I32() / 65536.0);
  document.horizontalResolutionUnit = data.I16();
  document.widthUnit = data.I16();
  document.verticalResolution = static_cast<float>(data.I32() / 65536.0);
  document.verticalResolutionUnit = data.I16();
  document.heightUnit = data.I16();
}

void ReadDisplayInfo(PsdCursor data, PsdDocument& document) {
  document.displayInfoPresent = 1;
  document.displayColor = ReadPsdColor(data);
  document.displayOpacity = data.I16();
  document.displayKind = data.U8();
}

void ReadGroupIds(PsdCursor data, PsdDocument& document) {
  document.groupIdsPresent = 1;
  document.groupIds.resize(data.Size() / 2);
  for (std::int16_t& id : document.groupIds) {
    id = data.I16();
  }
}

int ReadResource(std::uint16_t id, PsdCursor data, PsdDocument& document) {
  switch (id) {
    case 1005: ReadResolution(data, document); break;
    case 1006: ReadAlphaNames(data, document); break;
    case 1007: ReadDisplayInfo(data, document); break;
    case 1008: document.caption = ReadPascalString(data); break;
    case 1024: document.targetLayer = data.I16(); break;
    case 1026: ReadGroupIds(data, document); break;
    case 1033:
    case 1036: return ReadThumbnail(data, document);
    case 1034: document.rightsFlag = static_cast<std::uint8_t>(data.U16()); break;
    case 1037: document.globalAngle = data.I32(); break;
    case 1042: document.effectsVisible = static_cast<std::uint8_t>(data.U16()); break;
    case 1045: ReadUnicodeAlphaNames(data, document); break;
    case 1046: document.indexedColorCount = data.I16(); break;
    case 1047: document.transparentIndex = data.I16(); break;
    case 1049: document.globalAltitude = data.I32(); break;
    case 1053: ReadAlphaIdentifiers(data, document); break;
    case 1057: ReadVersionInfo(data, document); break;
    default: break;
  }
  return kPsdOk;
}

}  // namespace

int ReadPsdImageResources(PsdCursor& cursor, PsdDocument& document) {
  PsdCursor section = cursor.Slice(cursor.U32());
  document.globalAngle = 30;
  document.globalAltitude = 30;
  while (section.Remaining() > 0) {
    if (section.Key() != PsdKey("8BIM")) {
      return kPsdBadResourceSignature;
    }
    const std::uint16_t id = section.U16();
    const std::uint8_t nameLength = section.U8();
    // The name and its length byte fill an even count of bytes.
    section.Skip(nameLength + (nameLength % 2 == 0 ? 1u : 0u));
    const std::uint32_t size = section.U32();
    PsdCursor data = section.Slice(size);
    section.Skip(size % 2);
    if (data.Size() > 0) {
      const int result = ReadResource(id, data, document);
      if (result != kPsdOk) {
        return result;
      }
    }
  }
  return kPsdOk;
}

}  // namespace psd
