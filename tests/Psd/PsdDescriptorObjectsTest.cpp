#include <gtest/gtest.h>

#include "Psd/PsdDescriptorObjects.h"
#include "Psd/PsdError.h"
#include "tools/art/PsdWriter/PsdWriter.h"

using tools::PutBytes;
using tools::PutDescriptorId;
using tools::PutDouble;
using tools::PutU16;
using tools::PutU32;
using tools::PutU8;

namespace {

using Bytes = std::vector<std::uint8_t>;


void PutText(Bytes& out, std::u16string_view text) {
  PutU32(out, static_cast<std::uint32_t>(text.size()));
  for (char16_t unit : text) {
    PutU16(out, unit);
  }
}

// An object's name and 4-byte class id, then its item count.
void PutObjectHeader(Bytes& out, const char* classId, std::uint32_t items) {
  PutText(out, u"");
  PutDescriptorId(out, classId);
  PutU32(out, items);
}

void PutColorObject(Bytes& out, double red, double green, double blue) {
  PutObjectHeader(out, "RGBC", 3);
  PutDescriptorId(out, "Rd  ");
  PutBytes(out, "doub");
  PutDouble(out, red);
  PutDescriptorId(out, "Grn ");
  PutBytes(out, "doub");
  PutDouble(out, green);
  PutDescriptorId(out, "Bl  ");
  PutBytes(out, "doub");
  PutDouble(out, blue);
}

void PutLong(Bytes& out, const char* key, std::uint32_t value) {
  PutDescriptorId(out, key);
  PutBytes(out, "long");
  PutU32(out, value);
}

psd::PsdCursor CursorOf(const Bytes& bytes) { return psd::PsdCursor(bytes.data(), bytes.size()); }

TEST(PsdDescriptorObjects, ColorObjectTakesTheLowByteOfEachComponent) {
  Bytes bytes;
  PutColorObject(bytes, 255.9, 128.0, 256.0 + 7);
  psd::PsdCursor cursor = CursorOf(bytes);
  EXPECT_EQ(psd::ReadPsdColorObject(cursor), 0xFFFF8007u);
  EXPECT_EQ(cursor.Remaining(), 0u);
}

TEST(PsdDescriptorObjects, EnumerationsMapKeysAndTexts) {
  struct Case {
    Bytes id;
    std::int32_t blendMode;
  };
  Bytes multiply, linearBurn, unknown;
  PutDescriptorId(multiply, "Mltp");
  PutU32(linearBurn, 10);
  PutBytes(linearBurn, "linearBurn");
  PutDescriptorId(unknown, "Nope");
  for (const Case& c : {Case{multiply, 3}, Case{linearBurn, 5}, Case{unknown, 0}}) {
    psd::PsdCursor cursor = CursorOf(c.id);
    EXPECT_EQ(psd::ReadPsdBlendModeEnum(cursor), c.blendMode);
    EXPECT_EQ(cursor.Remaining(), 0u);
  }
  Bytes radial, slmt;
  PutDescriptorId(radial, "Rdl ");
  PutDescriptorId(slmt, "Slmt");
  psd::PsdCursor radialCursor = CursorOf(radial);
  psd::PsdCursor slmtCursor = CursorOf(slmt);
  EXPECT_EQ(psd::ReadPsdGradientTypeEnum(radialCursor), 1);
  EXPECT_EQ(psd::ReadPsdTechniqueEnum(slmtCursor), 2);
}

TEST(PsdDescriptorObjects, PointObjectReadsUnitValues) {
  Bytes bytes;
  PutObjectHeader(bytes, "Pnt ", 3);
  PutDescriptorId(bytes, "Hrzn");
  PutBytes(bytes, "UntF");
  PutBytes(bytes, "#Pxl");
  PutDouble(bytes, 12.7);
  PutLong(bytes, "Othr", 9);
  PutDescriptorId(bytes, "Vrtc");
  PutBytes(bytes, "doub");
  PutDouble(bytes, -3.5);
  PutBytes(bytes, "END!");
  psd::PsdCursor cursor = CursorOf(bytes);
  std::int32_t x = 0;
  std::int32_t y = 0;
  EXPECT_EQ(psd::ReadPsdPointObject(cursor, x, y), psd::kPsdOk);
  EXPECT_EQ(x, 12);
  EXPECT_EQ(y, -3);
  EXPECT_EQ(cursor.Key(), psd::PsdKey("END!"));
}

TEST(PsdDescriptorObjects, GradientObjectReadsStopsAndName) {
  Bytes bytes;
  PutObjectHeader(bytes, "Grdn", 5);
  PutDescriptorId(bytes, "Nm  ");
  PutBytes(bytes, "TEXT");
  PutText(bytes, u"Fade");
  PutDescriptorId(bytes, "GrdF");
  PutBytes(bytes, "enum");
  PutDescriptorId(bytes, "GrdF");
  PutDescriptorId(bytes, "CstS");
  PutDescriptorId(bytes, "Intr");
  PutBytes(bytes, "doub");
  PutDouble(bytes, 4096.0);
  PutDescriptorId(bytes, "Clrs");
  PutBytes(bytes, "VlLs");
  PutU32(bytes, 1);
  PutBytes(bytes, "Objc");
  PutObjectHeader(bytes, "Clrt", 4);
  PutDescriptorId(bytes, "Clr ");
  PutBytes(bytes, "Objc");
  PutColorObject(bytes, 10, 20, 30);
  PutDescriptorId(bytes, "Type");
  PutBytes(bytes, "enum");
  PutDescriptorId(bytes, "Clry");
  PutDescriptorId(bytes, "BckC");
  PutLong(bytes, "Lctn", 2048);
  PutLong(bytes, "Mdpn", 50);
  PutDescriptorId(bytes, "Trns");
  PutBytes(bytes, "VlLs");
  PutU32(bytes, 1);
  PutBytes(bytes, "Objc");
  PutObjectHeader(bytes, "TrnS", 3);
  PutDescriptorId(bytes, "Opct");
  PutBytes(bytes, "UntF");
  PutBytes(bytes, "#Prc");
  PutDouble(bytes, 75.0);
  PutLong(bytes, "Lctn", 4096);
  PutLong(bytes, "Mdpn", 25);
  psd::PsdCursor cursor = CursorOf(bytes);
  psd::PsdGradient gradient;
  ASSERT_EQ(psd::ReadPsdGradientObject(cursor, gradient), psd::kPsdOk);
  EXPECT_EQ(gradient.name, u"Fade");
  EXPECT_EQ(gradient.interpolation, 4096);
  ASSERT_EQ(gradient.colorStops.size(), 1u);
  EXPECT_EQ(gradient.colorStops[0].color, 0xFF0A141Eu);
  EXPECT_EQ(gradient.colorStops[0].colorType, 1);
  EXPECT_EQ(gradient.colorStops[0].location, 2048);
  EXPECT_EQ(gradient.colorStops[0].midpoint, 50);
  ASSERT_EQ(gradient.transparencyStops.size(), 1u);
  EXPECT_EQ(gradient.transparencyStops[0].opacity, 75);
  EXPECT_EQ(gradient.transparencyStops[0].location, 4096);
  EXPECT_EQ(cursor.Remaining(), 0u);
}

TEST(PsdDescriptorObjects, PatternReferenceKeepsNameAndIdentifier) {
  Bytes bytes;
  PutObjectHeader(bytes, "Ptrn", 3);
  PutDescriptorId(bytes, "Nm  ");
  PutBytes(bytes, "TEXT");
  PutText(bytes, u"Dots");
  PutLong(bytes, "Othr", 1);
  PutDescriptorId(bytes, "Idnt");
  PutBytes(bytes, "TEXT");
  PutText(bytes, u"a1-b2");
  psd::PsdCursor cursor = CursorOf(bytes);
  psd::PsdPatternReference reference;
  ASSERT_EQ(psd::ReadPsdPatternReference(cursor, reference), psd::kPsdOk);
  EXPECT_EQ(reference.name, u"Dots");
  EXPECT_EQ(reference.identifier, "a1-b2");
}

void PutContourPoint(Bytes& out, double x, double y, bool continuous) {
  PutBytes(out, "Objc");
  PutObjectHeader(out, "CrPt", 3);
  PutDescriptorId(out, "Hrzn");
  PutBytes(out, "doub");
  PutDouble(out, x);
  PutDescriptorId(out, "Vrtc");
  PutBytes(out, "doub");
  PutDouble(out, y);
  PutDescriptorId(out, "Cnty");
  PutBytes(out, "bool");
  PutU8(out, continuous ? 1 : 0);
}

TEST(PsdDescriptorObjects, ContourObjectBuildsItsTable) {
  Bytes bytes;
  PutObjectHeader(bytes, "ShpC", 2);
  PutDescriptorId(bytes, "Nm  ");
  PutBytes(bytes, "TEXT");
  PutText(bytes, u"Linear");
  PutDescriptorId(bytes, "Crv ");
  PutBytes(bytes, "VlLs");
  PutU32(bytes, 2);
  PutContourPoint(bytes, 0, 0, true);
  PutContourPoint(bytes, 255, 255, true);
  psd::PsdCursor cursor = CursorOf(bytes);
  psd::PsdContour contour;
  ASSERT_EQ(psd::ReadPsdContourObject(cursor, contour), psd::kPsdOk);
  EXPECT_EQ(contour.table, psd::DefaultPsdContour().table);
  EXPECT_EQ(cursor.Remaining(), 0u);
}

TEST(PsdDescriptorObjects, LongTextIdsAreCutAndPassedOver) {
  Bytes bytes;
  PutU32(bytes, 300);
  bytes.resize(bytes.size() + 300, 'k');
  PutBytes(bytes, "END!");
  psd::PsdCursor cursor = CursorOf(bytes);
  EXPECT_EQ(psd::ReadPsdDescriptorId(cursor).text.size(), 255u);
  EXPECT_EQ(cursor.Key(), psd::PsdKey("END!"));
}

}  // namespace
