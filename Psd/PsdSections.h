#pragma once

#include <cstdint>

#include "Psd/PsdCursor.h"
#include "Psd/PsdDocument.h"
#include "Psd/PsdPixels.h"

// The readers of the sections of a document, in file order. Each reads its
// unit from the cursor and leaves it at the unit's end.
namespace psd {

// Images beyond this many pixels are refused before anything is allocated.
constexpr std::int64_t kPsdMaxImagePixels = std::int64_t{1} << 24;
constexpr std::int32_t kPsdMaxDimension = 30000;
// The planes of the composite image together stay below this many bytes.
constexpr std::uint64_t kPsdMaxCompositeBytes = std::uint64_t{1} << 27;

// All images of one document together stay below this many pixels, so that
// a small file cannot ask for many large images.
constexpr std::uint64_t kPsdMaxDocumentPixels = std::uint64_t{1} << 26;

// Whether an image of this size may be allocated; a size without area is
// not an image.
bool PsdImageFits(std::int64_t width, std::int64_t height);
// Counts an image of this size against the document's limit: kPsdOk, or
// kPsdBadDimensions when it does not fit.
int ChargePsdPixels(PsdDocument& document, std::int64_t width, std::int64_t height);

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
int ReadPsdLayerChannels(PsdCursor& cursor, PsdDocument& document, PsdLayerEntry& entry);
int ReadPsdPattern(PsdCursor& cursor, PsdDocument& document);
int ReadPsdCompositeImage(PsdCursor& cursor, PsdDocument& document);

}  // namespace psd
