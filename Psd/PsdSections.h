#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "Psd/PsdCursor.h"
#include "Psd/PsdDocument.h"
#include "Psd/PsdPixels.h"

// The readers of the sections of a document, in file order. Each reads its
// unit from the cursor and leaves it at the unit's end.
namespace psd {

constexpr std::int32_t kPsdMaxDimension = 30000;

// Everything one document decodes (unpacked planes, and the pixels, masks and
// channels it keeps) stays within this many bytes. Each image is counted
// before it is decoded, the layers all together before the first of them.
constexpr std::uint64_t kPsdMaxDecodedBytes = std::uint64_t{4} << 30;

// Counts bytes against the document's limit: kPsdOk, or kPsdBadDimensions
// when they do not fit.
int ChargePsdDecodedBytes(PsdDocument& document, std::uint64_t bytes);

// The colours of the document's indexed images: without a colour count every
// palette entry is a colour.
PsdIndexedColors PsdDocumentIndexedColors(const PsdDocument& document);

int ReadPsdHeader(PsdCursor& cursor, PsdDocument& document);
int ReadPsdColorModeData(PsdCursor& cursor, PsdDocument& document);
int ReadPsdImageResources(PsdCursor& cursor, PsdDocument& document);
int ReadPsdLayerAndMaskInfo(PsdCursor& cursor, PsdDocument& document);
// The items of all layers together stay below this many, so that a small file
// cannot ask for many records.
constexpr std::size_t kPsdMaxDocumentItems = 4096;

// A 4-letter blend key as a PsdBlendMode code; unknown keys give normal.
std::int32_t ReadPsdBlendKey(PsdCursor& cursor);
// itemsLeft is the room for items that the document has left.
int ReadPsdLayerRecord(PsdCursor& cursor, PsdLayerEntry& entry, std::size_t& itemsLeft);
// The planes of one layer by channel id, from the user mask (-2) to the
// fourth colour (3). Kept from layer to layer, they only grow.
struct PsdLayerPlanes {
  std::array<std::vector<std::uint8_t>, 6> byId;
};

// Counts what the layer at the cursor will decode and passes over its
// channel data; kPsdShortData when the channels claim more bytes than remain
// or none of them can fill the layer's image.
int ChargePsdLayerChannels(PsdCursor& cursor, PsdDocument& document, const PsdLayerEntry& entry);
// Decodes one layer's channel data into its pixels and mask plane. The
// planes are scratch that every layer of the document reuses.
int ReadPsdLayerChannels(PsdCursor& cursor, const PsdDocument& document, PsdLayerEntry& entry,
                         PsdLayerPlanes& planes);
int ReadPsdPattern(PsdCursor& cursor, PsdDocument& document);
int ReadPsdCompositeImage(PsdCursor& cursor, PsdDocument& document);

}  // namespace psd
