#include <zlib.h>

#include <gtest/gtest.h>

#include "Psd/PsdChannelData.h"
#include "Psd/PsdError.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct PackBitsCase {
  const char* what;
  Bytes packed;
  std::size_t slot;
  Bytes expected;  // the slot after decoding, starting zero-filled
};

TEST(PsdChannelData, PackBitsRowsFillTheirSlotOnly) {
  const PackBitsCase cases[] = {
      {"literal of one", {0, 7}, 1, {7}},
      {"repeat twice", {255, 9}, 2, {9, 9}},
      {"repeat 128 times", {129, 5}, 128, Bytes(128, 5)},
      {"128 is passed over", {128, 0, 4}, 1, {4}},
      {"128 alone", {128}, 2, {0, 0}},
      {"literal longer than the slot", {3, 1, 2, 3, 4}, 2, {1, 2}},
      {"repeat longer than the slot", {129, 6}, 3, {6, 6, 6}},
      {"literal cut short", {3, 1, 2}, 4, {1, 2, 0, 0}},
      {"repeat without its byte", {250}, 2, {0, 0}},
      {"runs one after another", {1, 1, 2, 254, 3}, 5, {1, 2, 3, 3, 3}},
      {"empty row", {}, 2, {0, 0}},
  };
  for (const PackBitsCase& c : cases) {
    Bytes row(c.slot, 0);
    psd::DecodePsdPackBitsRow(c.packed, row);
    EXPECT_EQ(row, c.expected) << c.what;
  }
}

TEST(PsdChannelData, PackBitsPlanesDecodeEachRowIntoItsSlot) {
  // Row counts 3 and 2; the first row decodes to one byte too many, the
  // second is short: neither moves the other.
  const Bytes data = {0, 3, 0, 2, 255, 1, 7, 0, 2};
  psd::PsdCursor cursor(data.data(), data.size());
  Bytes plane(4, 0);
  psd::DecodePsdPackBitsRows(cursor, 2, 2, plane);
  EXPECT_EQ(plane, (Bytes{1, 1, 2, 0}));
}

Bytes Compress(const Bytes& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes out(size);
  compress(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()));
  out.resize(size);
  return out;
}

TEST(PsdChannelData, ZipOutputIsBoundedAndShortDataStaysZero) {
  const Bytes raw = {1, 2, 3, 4, 5, 6};
  const Bytes packed = Compress(raw);

  Bytes exact(6, 0);
  EXPECT_EQ(psd::InflatePsdData(packed, exact), psd::kPsdOk);
  EXPECT_EQ(exact, raw);

  Bytes smaller(4, 0);
  EXPECT_EQ(psd::InflatePsdData(packed, smaller), psd::kPsdOk);
  EXPECT_EQ(smaller, (Bytes{1, 2, 3, 4}));

  Bytes larger(8, 0);
  EXPECT_EQ(psd::InflatePsdData(packed, larger), psd::kPsdOk);
  EXPECT_EQ(larger, (Bytes{1, 2, 3, 4, 5, 6, 0, 0}));

  const Bytes truncated(packed.begin(), packed.begin() + 2);
  Bytes fromTruncated(6, 0);
  EXPECT_EQ(psd::InflatePsdData(truncated, fromTruncated), psd::kPsdOk);
  EXPECT_EQ(fromTruncated, Bytes(6, 0));

  Bytes fromGarbage(6, 0);
  EXPECT_EQ(psd::InflatePsdData(Bytes{0xFF, 0xFF, 0xFF, 0xFF}, fromGarbage), psd::kPsdInflateFailed);
}

TEST(PsdChannelData, ZipWithPredictionAddsTheRowDeltas) {
  // 16-bit samples 0x0001, 0x00FF, 0x0001: the carry of the low bytes goes up.
  Bytes wide(6, 0);
  EXPECT_EQ(psd::InflatePsdDataPredicted(Compress({0x00, 0x01, 0x00, 0xFF, 0x00, 0x01}), wide, 3, 16), psd::kPsdOk);
  EXPECT_EQ(wide, (Bytes{0x00, 0x01, 0x01, 0x00, 0x01, 0x01}));

  // Two 8-bit rows of two: each row starts again.
  Bytes narrow(4, 0);
  EXPECT_EQ(psd::InflatePsdDataPredicted(Compress({10, 5, 200, 100}), narrow, 2, 8), psd::kPsdOk);
  EXPECT_EQ(narrow, (Bytes{10, 15, 200, 44}));
}

TEST(PsdChannelData, UnknownCompressionIsRefused) {
  const Bytes data = {1, 2};
  Bytes plane(2, 0);
  EXPECT_EQ(psd::DecodePsdPlane(4, psd::PsdCursor(data.data(), data.size()), 1, 2, 2, 8, plane),
            psd::kPsdBadCompression);
  EXPECT_EQ(psd::DecodePsdPlane(0, psd::PsdCursor(data.data(), 1), 1, 2, 2, 8, plane), psd::kPsdOk);
  EXPECT_EQ(plane, (Bytes{1, 0}));
}

}  // namespace
