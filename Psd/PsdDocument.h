#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Psd/PsdItems.h"

// The decoded form of a layered Photoshop document ("8BPS", version 1). The
// decoder reads untrusted bytes: every failure is a negative PsdError code and
// no partial document reaches the caller.
namespace psd {

// What a layer entry is.
enum PsdLayerKind : std::int32_t {
  kPsdPixelLayer = 0,   // also type layers
  kPsdGroupEnd = 1,     // the hidden divider that closes a group
  kPsdGroupStart = 2,   // an open or closed folder
  kPsdSolidFill = 3,
  kPsdGradientFill = 4,
  kPsdLevels = 6,
  kPsdCurves = 7,
  kPsdBrightnessContrast = 8,
  kPsdColorBalance = 9,
  kPsdHueSaturation = 10,
  kPsdSelectiveColor = 11,
  kPsdThreshold = 12,
  kPsdInvert = 13,
  kPsdPosterize = 14,
  kPsdChannelMixer = 15,
  kPsdGradientMap = 16,
  kPsdPhotoFilter = 17,
  kPsdPatternFill = 19,
};

struct PsdChannelInfo {
  std::int16_t id = 0;  // 0, 1, 2... colour channels in mode order; -1 transparency, -2 user mask
  std::int32_t storedLength = 0;  // bytes in the file, the 2-byte compression code included
  std::uint8_t blendingRestricted = 0;
};

struct PsdLayerEntry {
  std::int32_t kind = kPsdPixelLayer;
  std::int32_t top = 0, left = 0, bottom = 0, right = 0;
  std::int32_t width = 0, height = 0;  // right - left, bottom - top; 0 when not positive
  std::vector<PsdChannelInfo> channels;
  std::int32_t blendMode = 0;  // PsdBlendMode code
  std::uint8_t opacity = 255;
  std::uint8_t clipping = 0;
  std::uint8_t transparencyProtected = 0;
  std::uint8_t visible = 0;
  std::uint8_t obsolete = 0;
  std::uint8_t pixelDataIrrelevant = 0;

  std::int32_t maskTop = 0, maskLeft = 0, maskBottom = 0, maskRight = 0;
  std::int32_t maskWidth = 0, maskHeight = 0;
  std::uint8_t maskDefaultColor = 255;
  std::uint8_t maskPositionRelative = 0;
  std::uint8_t maskDisabled = 1;
  std::uint8_t maskInverted = 0;
  std::vector<std::uint8_t> maskPlane;  // maskWidth x maskHeight, 8 bits a pixel

  std::uint16_t blendSourceBlack = 0, blendSourceWhite = 0;
  std::uint16_t blendDestinationBlack = 0, blendDestinationWhite = 0;
  std::vector<std::int16_t> sourceBlack, sourceWhite, destinationBlack, destinationWhite;

  // UTF-8: converted from the Unicode name block when the layer has one,
  // otherwise the stored Pascal name read as Mac Roman.
  std::string name;
  // width x height words 0xAARRGGBB, rows top to bottom; empty for a layer
  // without area.
  std::vector<std::uint32_t> pixels;

  // The records of the adjustment, fill, type and effect blocks, in file
  // order, at most kPsdMaxLayerItems.
  std::vector<PsdLayerItem> items;
  std::uint8_t adjustment = 0;
  std::uint8_t fillOpacity = 255;
  std::u16string unicodeName;  // as stored in the 'luni' block
  std::uint32_t nameSource = 0;
  std::uint32_t layerId = 0;
  std::uint32_t layerVersion = 0;
  std::uint8_t blendClippedElements = 1;
  std::uint8_t blendInteriorElements = 0;
  std::uint8_t knockout = 0;
  std::uint8_t transparencyLocked = 0, compositeLocked = 0, positionLocked = 0;
  std::uint32_t sheetColor = 0;
  std::int32_t referencePointX = 0, referencePointY = 0;
  std::uint8_t transparencyShapesLayer = 1;
  std::uint8_t layerMaskHidesEffects = 0;
  std::uint8_t vectorMaskHidesEffects = 0;
  std::int32_t sectionType = 0;
  std::int32_t groupBlendMode = 23;
  // Index in the layer table of the group-start entry this layer lies in; -1
  // at the top level.
  std::int32_t enclosingGroup = -1;
};

struct PsdAlphaChannelInfo {
  std::string name;  // UTF-8; the Unicode name when the file has one
  std::uint32_t identifier = 0;
  std::vector<std::uint8_t> plane;  // columns x rows, from the composite image
};

struct PsdPattern {
  std::uint32_t colorMode = 0;
  std::int32_t width = 0, height = 0;
  std::u16string name;     // as stored
  std::string identifier;  // as stored
  std::uint32_t listVersion = 0;
  std::int16_t top = 0, left = 0, bottom = 0, right = 0;
  std::int32_t planeCount = 0;  // planes decoded
  std::vector<std::uint32_t> pixels;  // width x height, 0xAARRGGBB
};

struct PsdDocument {
  std::int32_t columns = 0;  // image width
  std::int32_t rows = 0;     // image height
  std::uint16_t channels = 0;
  std::uint16_t depth = 0;       // 1, 8 or 16
  std::uint32_t colorMode = 0;   // 0 bitmap, 1 gray, 2 indexed, 3 RGB, 4 CMYK, 7 multichannel, 8 duotone, 9 Lab

  std::vector<std::uint32_t> palette;  // 0xFFRRGGBB

  std::string caption;  // UTF-8
  std::uint8_t resolutionPresent = 0;
  float horizontalResolution = 0, verticalResolution = 0;
  std::int16_t horizontalResolutionUnit = 0, widthUnit = 0;
  std::int16_t verticalResolutionUnit = 0, heightUnit = 0;
  std::uint8_t displayInfoPresent = 0;
  std::uint32_t displayColor = 0;
  std::int16_t displayOpacity = 0;
  std::uint8_t displayKind = 0;
  std::uint8_t alphaNamesPresent = 0;
  // The composite's planes that make its colour: the channels without the
  // named extra channels. One more than the mode needs is the transparency,
  // stored after the colours.
  std::int16_t colorPlaneCount = 0;
  std::vector<PsdAlphaChannelInfo> alphaChannels;
  std::int16_t targetLayer = 0;
  std::uint8_t groupIdsPresent = 0;
  std::vector<std::int16_t> groupIds;
  std::uint8_t thumbnailPresent = 0;
  std::uint32_t thumbnailFormat = 0, thumbnailWidth = 0, thumbnailHeight = 0;
  std::uint32_t thumbnailRowBytes = 0, thumbnailTotalSize = 0, thumbnailCompressedSize = 0;
  std::int16_t thumbnailBitsPerPixel = 0, thumbnailPlanes = 0;
  std::vector<std::uint32_t> thumbnailPixels;  // 0xAARRGGBB
  std::uint8_t versionInfoPresent = 0;
  std::uint32_t version = 0;
  std::uint8_t hasRealMergedData = 0;
  std::u16string writerName, readerName;
  std::uint32_t fileVersion = 0;
  std::uint8_t rightsFlag = 0;
  std::int32_t globalAngle = 30;
  std::int32_t globalAltitude = 30;
  std::uint8_t effectsVisible = 0;
  // 0 when the file gives no count: every palette entry is a colour.
  std::int16_t indexedColorCount = 0;
  std::int16_t transparentIndex = -1;  // -1 when the file names none

  // In file order, bottom-most first. A file without layer records holds one
  // entry made from the composite image.
  std::vector<PsdLayerEntry> layers;
  std::uint32_t globalMaskColor = 0;
  std::int16_t globalMaskOpacity = 0;
  std::uint8_t globalMaskKind = 0;
  std::vector<PsdPattern> patterns;

  std::vector<std::uint32_t> composite;  // the merged image, columns x rows, 0xAARRGGBB

  // Bytes of every image counted so far (planes, pixels, masks, channels),
  // held below a limit for the whole document.
  std::uint64_t decodedBytes = 0;

  // Never negative: a stored count of -32768 gives 32768 layers.
  std::int32_t LayerCount() const { return static_cast<std::int32_t>(layers.size()); }
};

// 0 on success with the document stored in *out; a negative PsdError code
// otherwise. A null out gives -1 and a null path -2, leaving *out alone; a
// file that cannot be opened gives -2 and leaves *out alone; a failed decode
// stores null.
int LoadPsdDocument(PsdDocument** out, const char* path);
// The same from bytes the caller holds (a file read through a container);
// the bytes are not kept. A null data pointer with a non-zero size gives -2.
int LoadPsdDocumentFromMemory(PsdDocument** out, const void* data, std::size_t size);
// -1 for a null document, else 0 after releasing it and all it owns.
int FreePsdDocument(PsdDocument* document);

}  // namespace psd
