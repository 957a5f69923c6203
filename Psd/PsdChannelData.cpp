#include "Psd/PsdChannelData.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "Psd/PsdError.h"

namespace psd {

void DecodePsdPackBitsRow(std::span<const std::uint8_t> packed, std::span<std::uint8_t> row) {
  std::size_t in = 0;
  std::size_t out = 0;
  while (in < packed.size() && out < row.size()) {
    const std::uint8_t header = packed[in++];
    if (header < 128) {
      const std::size_t count = std::min<std::size_t>({header + 1u, packed.size() - in, row.size() - out});
      if (count > 0) {
        std::memcpy(row.data() + out, packed.data() + in, count);
      }
      in += header + 1u;
      out += count;
    } else if (header > 128) {
      if (in >= packed.size()) {
        break;
      }
      const std::size_t count = std::min<std::size_t>(257u - header, row.size() - out);
      std::memset(row.data() + out, packed[in++], count);
      out += count;
    }
  }
}

void DecodePsdPackBitsRows(PsdCursor& data, std::uint64_t rowCount, std::uint64_t rowBytes,
                           std::span<std::uint8_t> out) {
  PsdCursor counts = data.Slice(rowCount * 2);
  for (std::uint64_t row = 0; row < rowCount; ++row) {
    PsdCursor packed = data.Slice(counts.U16());
    const std::uint64_t start = row * rowBytes;
    if (start >= out.size()) {
      continue;
    }
    const std::uint64_t size = packed.Remaining();
    DecodePsdPackBitsRow({packed.Take(size), size}, out.subspan(start, std::min(rowBytes, out.size() - start)));
  }
}

int InflatePsdData(std::span<const std::uint8_t> compressed, std::span<std::uint8_t> out) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) {
    return kPsdInflateFailed;
  }
  // zlib counts in 32 bits; a plane never comes near that, and the input is
  // fed in pieces in case it does.
  int result = kPsdOk;
  std::size_t inOffset = 0;
  std::size_t outOffset = 0;
  while (outOffset < out.size()) {
    if (stream.avail_in == 0) {
      if (inOffset >= compressed.size()) {
        break;
      }
      const std::size_t piece = std::min<std::size_t>(compressed.size() - inOffset, 1u << 30);
      stream.next_in = const_cast<Bytef*>(compressed.data() + inOffset);
      stream.avail_in = static_cast<uInt>(piece);
      inOffset += piece;
    }
    const std::size_t room = std::min<std::size_t>(out.size() - outOffset, 1u << 30);
    stream.next_out = out.data() + outOffset;
    stream.avail_out = static_cast<uInt>(room);
    const int status = inflate(&stream, Z_PARTIAL_FLUSH);
    outOffset += room - stream.avail_out;
    // A buffer error means no progress is possible: the stream ends early
    // and the rest of the output stays as it was.
    if (status == Z_STREAM_END || status == Z_BUF_ERROR) {
      break;
    }
    if (status != Z_OK) {
      result = kPsdInflateFailed;
      break;
    }
  }
  inflateEnd(&stream);
  return result;
}

int InflatePsdDataPredicted(std::span<const std::uint8_t> compressed, std::span<std::uint8_t> out,
                            std::uint64_t rowSamples, int depth) {
  const int result = InflatePsdData(compressed, out);
  if (result != kPsdOk || rowSamples == 0) {
    return result;
  }
  const std::uint64_t rowBytes = depth == 16 ? rowSamples * 2 : rowSamples;
  for (std::uint64_t start = 0; start < out.size(); start += rowBytes) {
    const std::uint64_t end = std::min<std::uint64_t>(start + rowBytes, out.size());
    if (depth == 16) {
      for (std::uint64_t i = start + 2; i + 1 < end; i += 2) {
        const unsigned previous = out[i - 2] << 8 | out[i - 1];
        const unsigned sum = (previous + (out[i] << 8 | out[i + 1])) & 0xFFFF;
        out[i] = static_cast<std::uint8_t>(sum >> 8);
        out[i + 1] = static_cast<std::uint8_t>(sum);
      }
    } else {
      for (std::uint64_t i = start + 1; i < end; ++i) {
        out[i] = static_cast<std::uint8_t>(out[i] + out[i - 1]);
      }
    }
  }
  return kPsdOk;
}

std::uint64_t PsdMaxUnpackedBytes(std::uint16_t compression, std::uint64_t storedBytes, std::uint64_t rows) {
  // A PackBits repeat gives 128 bytes for 2; deflate's best is a 258-byte
  // match in two bits, and its header and checksum outweigh what is left.
  constexpr std::uint64_t kPackBitsRatio = 64;
  constexpr std::uint64_t kDeflateRatio = 1032;
  switch (compression) {
    case kPsdRaw:
      return storedBytes;
    case kPsdPackBits:
      return storedBytes > 2 * rows ? (storedBytes - 2 * rows) * kPackBitsRatio : 0;
    case kPsdZip:
    case kPsdZipPredicted:
      return storedBytes * kDeflateRatio;
    default:
      return 0;
  }
}

std::uint64_t PsdRowBytes(std::uint64_t width, int depth) {
  if (depth == 1) {
    return (width + 7) / 8;
  }
  return depth == 16 ? width * 2 : width;
}

int DecodePsdPlane(std::uint16_t compression, PsdCursor data, std::uint64_t rows, std::uint64_t rowBytes,
                   std::uint64_t rowSamples, int depth, std::span<std::uint8_t> out) {
  const std::uint64_t size = data.Remaining();
  const std::span<const std::uint8_t> bytes(data.Take(size), size);
  switch (compression) {
    case kPsdRaw:
      if (size > 0 && !out.empty()) {
        std::memcpy(out.data(), bytes.data(), std::min<std::uint64_t>(size, out.size()));
      }
      return kPsdOk;
    case kPsdPackBits: {
      PsdCursor packed(bytes.data(), size);
      DecodePsdPackBitsRows(packed, rows, rowBytes, out);
      return kPsdOk;
    }
    case kPsdZip:
      return InflatePsdData(bytes, out);
    case kPsdZipPredicted:
      return InflatePsdDataPredicted(bytes, out, rowSamples, depth);
    default:
      return kPsdBadCompression;
  }
}

}  // namespace psd
