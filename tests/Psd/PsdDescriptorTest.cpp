#include <gtest/gtest.h>

#include "Psd/PsdContour.h"
#include "Psd/PsdDescriptor.h"
#include "Psd/PsdError.h"
#include "tools/art/PsdWriter/PsdWriter.h"

using tools::PutBytes;
using tools::PutDescriptorId;
using tools::PutU32;
using tools::PutU8;

namespace {

using Bytes = std::vector<std::uint8_t>;


void PutName(Bytes& out) { PutU32(out, 1), PutBytes(out, std::string_view("\0n", 2)); }

// A descriptor whose items hold text, a unit float, a list with a nested
// object and a reference.
Bytes SampleDescriptor() {
  Bytes nested;
  PutName(nested);
  PutDescriptorId(nested, "null");
  PutU32(nested, 2);
  PutDescriptorId(nested, "Txt ");
  PutBytes(nested, "TEXT");
  PutU32(nested, 2);
  PutBytes(nested, std::string_view("\0a\0b", 4));
  PutDescriptorId(nested, "Hrzn");
  PutBytes(nested, "UntF");
  PutBytes(nested, "#Pxl");
  nested.resize(nested.size() + 8, 0);

  Bytes descriptor;
  PutName(descriptor);
  PutU32(descriptor, 4);
  PutBytes(descriptor, "long");  // a text class id
  PutU32(descriptor, 3);
  PutDescriptorId(descriptor, "list");
  PutBytes(descriptor, "VlLs");
  PutU32(descriptor, 2);
  PutBytes(descriptor, "Objc");
  descriptor.insert(descriptor.end(), nested.begin(), nested.end());
  PutBytes(descriptor, "bool");
  PutU8(descriptor, 1);
  PutDescriptorId(descriptor, "Rfrn");
  PutBytes(descriptor, "obj ");
  PutU32(descriptor, 2);
  PutBytes(descriptor, "Enmr");
  PutName(descriptor);
  PutDescriptorId(descriptor, "Lyr ");
  PutDescriptorId(descriptor, "Ordn");
  PutDescriptorId(descriptor, "Trgt");
  PutBytes(descriptor, "indx");
  PutU32(descriptor, 7);
  PutDescriptorId(descriptor, "enab");
  PutBytes(descriptor, "enum");
  PutDescriptorId(descriptor, "Ordn");
  PutU32(descriptor, 4);
  PutBytes(descriptor, "Trgt");
  return descriptor;
}

TEST(PsdDescriptor, PassesOverEveryValueExactly) {
  Bytes bytes = SampleDescriptor();
  PutBytes(bytes, "END!");
  psd::PsdCursor cursor(bytes.data(), bytes.size());
  EXPECT_EQ(psd::SkipPsdDescriptor(cursor), psd::kPsdOk);
  EXPECT_EQ(cursor.Key(), psd::PsdKey("END!"));
}

// The value types newer writers add, each followed by a marker.
TEST(PsdDescriptor, PassesOverLargeIntegersRawDataUnitListsAndObjectArrays) {
  Bytes comp;
  comp.resize(8, 0xAB);
  Bytes tdta;
  PutU32(tdta, 3);
  PutBytes(tdta, "xyz");
  Bytes unitFloats;
  PutBytes(unitFloats, "#Pxl");
  PutU32(unitFloats, 2);
  unitFloats.resize(unitFloats.size() + 16, 0);
  Bytes objectArray;
  PutU32(objectArray, 2);
  PutName(objectArray);
  PutDescriptorId(objectArray, "null");
  PutU32(objectArray, 1);
  PutDescriptorId(objectArray, "Hrzn");
  PutBytes(objectArray, "UnFl");
  objectArray.insert(objectArray.end(), unitFloats.begin(), unitFloats.end());
  const std::pair<std::uint32_t, Bytes> cases[] = {{psd::PsdKey("comp"), comp},
                                                   {psd::PsdKey("tdta"), tdta},
                                                   {psd::PsdKey("UnFl"), unitFloats},
                                                   {psd::PsdKey("ObAr"), objectArray}};
  for (const auto& [type, value] : cases) {
    Bytes bytes = value;
    PutBytes(bytes, "END!");
    psd::PsdCursor cursor(bytes.data(), bytes.size());
    EXPECT_EQ(psd::SkipPsdDescriptorValue(type, cursor), psd::kPsdOk) << std::hex << type;
    EXPECT_EQ(cursor.Key(), psd::PsdKey("END!")) << std::hex << type;
  }
}

TEST(PsdDescriptor, AnUnknownTypeGivesUpTheDescriptor) {
  Bytes bytes;
  PutName(bytes);
  PutDescriptorId(bytes, "null");
  PutU32(bytes, 2);
  PutDescriptorId(bytes, "what");
  PutBytes(bytes, "Zzzz");
  PutDescriptorId(bytes, "enab");
  PutBytes(bytes, "bool");
  PutU8(bytes, 1);
  psd::PsdCursor cursor(bytes.data(), bytes.size());
  EXPECT_EQ(psd::SkipPsdDescriptor(cursor), psd::kPsdUnknownDescriptorType);
}

TEST(PsdDescriptor, DeepNestingIsRefused) {
  Bytes bytes;
  for (int level = 0; level <= psd::kPsdMaxDescriptorDepth + 1; ++level) {
    PutName(bytes);
    PutDescriptorId(bytes, "null");
    PutU32(bytes, 1);
    PutDescriptorId(bytes, "next");
    PutBytes(bytes, "Objc");
  }
  psd::PsdCursor cursor(bytes.data(), bytes.size());
  EXPECT_EQ(psd::SkipPsdDescriptor(cursor), psd::kPsdDescriptorTooDeep);
}

TEST(PsdDescriptor, HugeCountsStopAtTheEndOfTheBytes) {
  Bytes bytes;
  PutName(bytes);
  PutDescriptorId(bytes, "null");
  PutU32(bytes, 0xFFFFFFFF);
  PutDescriptorId(bytes, "Zzzz");
  PutBytes(bytes, "bool");
  psd::PsdCursor cursor(bytes.data(), bytes.size());
  EXPECT_EQ(psd::SkipPsdDescriptor(cursor), psd::kPsdOk);
  EXPECT_EQ(cursor.Remaining(), 0u);
}

TEST(PsdContour, TwoEndPointsGiveTheIdentity) {
  const psd::PsdContourPoint points[] = {{0, 0, false}, {255, 255, false}};
  std::array<std::uint8_t, 256> table{};
  psd::BuildPsdContourTable(points, table);
  EXPECT_EQ(table, psd::DefaultPsdContour().table);
}

TEST(PsdContour, EndsHoldOutsideThePointsAndPointsAreExact) {
  const psd::PsdContourPoint points[] = {{10, 200, false}, {128, 20, true}, {240, 100, false}};
  std::array<std::uint8_t, 256> table{};
  psd::BuildPsdContourTable(points, table);
  EXPECT_EQ(table[0], 200);
  EXPECT_EQ(table[10], 200);
  EXPECT_EQ(table[128], 20);
  EXPECT_EQ(table[240], 100);
  EXPECT_EQ(table[255], 100);
  EXPECT_LT(table[70], 200);
  EXPECT_GT(table[70], 20);
}

}  // namespace
