#include "Psd/PsdChannelData.h"
#include "Psd/PsdCompositePlanes.h"
#include "Psd/PsdError.h"
#include "Psd/PsdSections.h"

namespace psd {

namespace {

void CopyExtraChannels(PsdDocument& document, const std::vector<std::uint8_t>& planes, std::uint64_t planeSize) {
  if (document.depth == 1) {
    return;
  }
  const std::size_t step = document.depth == 16 ? 2 : 1;
  const std::size_t pixels = static_cast<std::size_t>(document.columns) * document.rows;
  for (std::size_t i = 0; i < document.alphaChannels.size(); ++i) {
    const std::uint8_t* source = planes.data() + (document.colorPlaneCount + i) * planeSize;
    std::vector<std::uint8_t>& plane = document.alphaChannels[i].plane;
    plane.resize(pixels);
    for (std::size_t p = 0; p < pixels; ++p) {
      plane[p] = source[p * step];
    }
  }
}

// The mode's colour channels first, the transparency last, as the planes of
// the composite lie.
std::vector<PsdChannelInfo> CompositeChannels(const PsdDocument& document) {
  std::vector<PsdChannelInfo> channels(static_cast<std::size_t>(document.colorPlaneCount));
  const bool hasAlpha = (document.colorMode == 3 && document.colorPlaneCount == 4) ||
                        (document.colorMode == 4 && document.colorPlaneCount == 5);
  for (std::size_t i = 0; i < channels.size(); ++i) {
    channels[i].id = static_cast<std::int16_t>(hasAlpha && i + 1 == channels.size() ? -1 : i);
  }
  return channels;
}

void AddCompositeLayer(PsdDocument& document) {
  PsdLayerEntry entry;
  entry.bottom = entry.height = document.rows;
  entry.right = entry.width = document.columns;
  entry.channels = CompositeChannels(document);
  entry.visible = 1;
  entry.blendSourceWhite = entry.blendDestinationWhite = 0xFFFF;
  entry.sourceBlack.assign(entry.channels.size(), 0);
  entry.destinationBlack.assign(entry.channels.size(), 0);
  entry.sourceWhite.assign(entry.channels.size(), -1);
  entry.destinationWhite.assign(entry.channels.size(), -1);
  entry.pixels = document.composite;
  document.layers.push_back(std::move(entry));
}

}  // namespace

int ReadPsdCompositeImage(PsdCursor& cursor, PsdDocument& document) {
  const int depth = document.depth;
  const std::uint64_t rowBytes = PsdRowBytes(static_cast<std::uint64_t>(document.columns), depth);
  const std::uint64_t rows = static_cast<std::uint64_t>(document.rows);
  const std::uint64_t planeSize = rowBytes * rows;
  const std::uint64_t pixels = static_cast<std::uint64_t>(document.columns) * rows;
  const std::uint16_t compression = cursor.U16();
  if (compression > kPsdZipPredicted) {
    return kPsdBadCompression;
  }
  PsdCursor data = cursor.Slice(cursor.Remaining());
  if (PsdMaxUnpackedBytes(compression, data.Remaining(), rows * document.channels) < planeSize * document.channels) {
    return kPsdShortData;
  }
  // The composite's own pixels were counted with the header.
  const std::uint64_t layerPixels = document.layers.empty() ? pixels * sizeof(std::uint32_t) : 0;
  if (ChargePsdDecodedBytes(document, planeSize * document.channels + pixels * document.alphaChannels.size() +
                                          layerPixels) != kPsdOk) {
    return kPsdBadDimensions;
  }
  std::vector<std::uint8_t> planes(planeSize * document.channels, 0);
  if (compression == kPsdPackBits) {
    DecodePsdPackBitsRows(data, rows * document.channels, rowBytes, planes);
  } else {
    const int result = DecodePsdPlane(compression, data, rows, rowBytes, static_cast<std::uint64_t>(document.columns),
                                      depth, planes);
    if (result != kPsdOk) {
      return result;
    }
  }
  document.composite.assign(pixels, 0);
  ConvertPsdPlanesByPosition(document.colorMode, depth, document.columns, document.rows, planes,
                             document.colorPlaneCount, PsdDocumentIndexedColors(document), document.composite);
  CopyExtraChannels(document, planes, planeSize);
  if (document.layers.empty()) {
    AddCompositeLayer(document);
  }
  return kPsdOk;
}

}  // namespace psd
