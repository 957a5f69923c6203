#pragma once

#include <cstdint>
#include <span>

#include "Psd/PsdCursor.h"

namespace psd {

enum PsdCompression : std::uint16_t {
  kPsdRaw = 0,
  kPsdPackBits = 1,
  kPsdZip = 2,
  kPsdZipPredicted = 3,
};

// Unpacks one PackBits row into its slot; output beyond the slot is dropped
// and a short row leaves the rest of the slot as it was.
void DecodePsdPackBitsRow(std::span<const std::uint8_t> packed, std::span<std::uint8_t> row);
// Reads rowCount 16-bit row byte counts, then unpacks each row into its own
// slot of rowBytes in out.
void DecodePsdPackBitsRows(PsdCursor& data, std::uint64_t rowCount, std::uint64_t rowBytes,
                           std::span<std::uint8_t> out);
// Inflates a zlib stream into out, stopping when out is full; short output
// leaves the rest as it was. kPsdInflateFailed on a zlib error.
int InflatePsdData(std::span<const std::uint8_t> compressed, std::span<std::uint8_t> out);
// The same, then undoes the horizontal delta of rows of rowSamples samples.
int InflatePsdDataPredicted(std::span<const std::uint8_t> compressed, std::span<std::uint8_t> out,
                            std::uint64_t rowSamples, int depth);

// Decodes one plane of rows x rowBytes (rowSamples samples a row) stored with
// the given compression; out must be zero-filled by the caller. Returns
// kPsdBadCompression for an unknown code.
int DecodePsdPlane(std::uint16_t compression, PsdCursor data, std::uint64_t rows, std::uint64_t rowBytes,
                   std::uint64_t rowSamples, int depth, std::span<std::uint8_t> out);

// The most bytes that storedBytes of data in the compression can unpack to,
// for rows rows (PackBits spends two bytes a row on its counts). An image
// its data cannot fill is refused before anything is allocated for it.
std::uint64_t PsdMaxUnpackedBytes(std::uint16_t compression, std::uint64_t storedBytes, std::uint64_t rows);

// Bytes of one row of width samples at the depth.
std::uint64_t PsdRowBytes(std::uint64_t width, int depth);

}  // namespace psd
