#include <gtest/gtest.h>

#include <variant>

#include "Psd/PsdError.h"
#include "Psd/PsdItemReaders.h"
#include "Psd/PsdSections.h"
#include "tests/Psd/PsdBlockSamples.h"
#include "tests/Psd/PsdTestLoad.h"
#include "tools/art/PsdWriter/PsdWriter.h"

using namespace tools;
using namespace psd_test;

namespace {

struct ReaderCase {
  const char* key;
  Bytes good;
  Bytes badVersion;
  int versionError;
  psd::PsdItemKind item;
  std::int32_t layerKind;
  std::uint8_t adjustment;
};

std::vector<ReaderCase> ReaderCases() {
  return {
      {"levl", Levels(2), Levels(1), psd::kPsdBadLevelsVersion, psd::kPsdLevelsItem, psd::kPsdLevels, 1},
      {"curv", Curves(1), Curves(2), psd::kPsdBadCurvesVersion, psd::kPsdCurvesItem, psd::kPsdCurves, 1},
      {"hue2", Append(Words({2}), Zeros(98)), Append(Words({1}), Zeros(98)), psd::kPsdBadHueSaturationVersion,
       psd::kPsdHueSaturationItem, psd::kPsdHueSaturation, 1},
      {"selc", Append(Words({1}), Zeros(82)), Append(Words({2}), Zeros(82)), psd::kPsdBadSelectiveColorVersion,
       psd::kPsdSelectiveColorItem, psd::kPsdSelectiveColor, 1},
      {"mixr", Append(Words({1}), Zeros(42)), Append(Words({2}), Zeros(42)), psd::kPsdBadChannelMixerVersion,
       psd::kPsdChannelMixerItem, psd::kPsdChannelMixer, 1},
      {"grdm", Append(Words({1}), Zeros(16)), Append(Words({3}), Zeros(16)), psd::kPsdBadGradientMapVersion,
       psd::kPsdGradientMapItem, psd::kPsdGradientMap, 1},
      {"phfl", Append(Words({3}), Zeros(18)), Append(Words({2}), Zeros(18)), psd::kPsdBadPhotoFilterVersion,
       psd::kPsdPhotoFilterItem, psd::kPsdPhotoFilter, 1},
      {"SoCo", SolidColorFill(16), SolidColorFill(15), psd::kPsdBadSolidFillVersion, psd::kPsdSolidFillItem,
       psd::kPsdSolidFill, 0},
      {"GdFl", GradientFill(16), GradientFill(0), psd::kPsdBadGradientFillVersion, psd::kPsdGradientFillItem,
       psd::kPsdGradientFill, 0},
      {"PtFl", PatternFill(16), PatternFill(2), psd::kPsdBadPatternFillVersion, psd::kPsdPatternFillItem,
       psd::kPsdPatternFill, 0},
  };
}

const psd::PsdLayerEntry& OnlyLayer(const psd_test::Loaded& loaded) { return loaded.document->layers.at(0); }

TEST(PsdAdjustment, EachReaderChecksItsVersionAndRecordsItsItem) {
  for (const ReaderCase& test : ReaderCases()) {
    SCOPED_TRACE(test.key);
    const psd_test::Loaded good = psd_test::LoadLayerWithBlocks(Block(test.key, test.good));
    ASSERT_EQ(good.result, psd::kPsdOk);
    const psd::PsdLayerEntry& entry = OnlyLayer(good);
    ASSERT_EQ(entry.items.size(), 1u);
    EXPECT_EQ(entry.items[0].kind, test.item);
    EXPECT_EQ(entry.kind, test.layerKind);
    EXPECT_EQ(entry.adjustment, test.adjustment);
    EXPECT_EQ(psd_test::LoadLayerWithBlocks(Block(test.key, test.badVersion)).result, test.versionError);
  }
}

TEST(PsdAdjustment, FixedRecordsReadTheirFieldsInPlace) {
  Bytes blocks = Block("brit", Append(Words({5, 0xFFFE, 127}), Bytes{1}));
  blocks = Append(blocks, Block("blnc", Words({1, 2, 3, 4, 5, 6, 7, 8, 9, 0x0101})));
  blocks = Append(blocks, Block("thrs", Words({128, 9})));
  blocks = Append(blocks, Block("nvrt", {}));
  blocks = Append(blocks, Block("post", Words({4, 9})));
  Bytes mixer = Words({1, 0x0001});
  for (std::uint32_t output = 0; output < 4; ++output) {
    mixer = Append(mixer, Words({output * 10, output * 10 + 1, output * 10 + 2, output * 10 + 3, output * 10 + 4}));
  }
  blocks = Append(blocks, Block("mixr", mixer));
  const psd_test::Loaded loaded = psd_test::LoadLayerWithBlocks(blocks);
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  const psd::PsdLayerEntry& entry = OnlyLayer(loaded);
  ASSERT_EQ(entry.items.size(), 6u);

  const auto& brightness = std::get<psd::PsdBrightnessContrast>(entry.items[0].record);
  EXPECT_EQ(brightness.brightness, 5);
  EXPECT_EQ(brightness.contrast, -2);
  EXPECT_EQ(brightness.mean, 127);
  EXPECT_EQ(brightness.labOnly, 1);

  const auto& balance = std::get<psd::PsdColorBalance>(entry.items[1].record);
  EXPECT_EQ(balance.cyanRed, (std::array<std::int16_t, 3>{1, 4, 7}));
  EXPECT_EQ(balance.magentaGreen, (std::array<std::int16_t, 3>{2, 5, 8}));
  EXPECT_EQ(balance.yellowBlue, (std::array<std::int16_t, 3>{3, 6, 9}));
  EXPECT_EQ(balance.preserveLuminosity, 1);

  EXPECT_EQ(std::get<psd::PsdThreshold>(entry.items[2].record).level, 128);
  EXPECT_EQ(entry.items[3].kind, psd::kPsdInvertItem);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(entry.items[3].record));
  EXPECT_EQ(std::get<psd::PsdPosterize>(entry.items[4].record).levels, 4);

  const auto& mix = std::get<psd::PsdChannelMixer>(entry.items[5].record);
  EXPECT_EQ(mix.monochrome, 1);
  EXPECT_EQ(mix.rows[0], (std::array<std::int16_t, 4>{0, 10, 20, 30}));
  EXPECT_EQ(mix.rows[4], (std::array<std::int16_t, 4>{4, 14, 24, 34}));
  EXPECT_EQ(entry.kind, psd::kPsdChannelMixer);
  EXPECT_EQ(entry.adjustment, 1);
}

TEST(PsdAdjustment, LevelsLengthMustMatchWhatWasRead) {
  Bytes extra = Levels(2);
  PutBytes(extra, "Lvls");
  extra = Append(extra, Words({3, 30, 1, 2, 3, 4, 150}));
  struct Case {
    Bytes data;
    int result;
  } cases[] = {
      {Levels(2), psd::kPsdOk},
      {Append(Levels(2), Zeros(1)), psd::kPsdBadLevelsLength},
      {extra, psd::kPsdOk},
      {Append(Append(Levels(2), Bytes{'L', 'v', 'l', 'x'}), Words({3, 29})), psd::kPsdBadLevelsSignature},
      {Append(Append(Levels(2), Bytes{'L', 'v', 'l', 's'}), Words({4, 29})), psd::kPsdBadExtraLevelsVersion},
      {Append(Append(Levels(2), Bytes{'L', 'v', 'l', 's'}), Words({3, 40})), psd::kPsdBadLevelsLength},
  };
  for (const Case& test : cases) {
    const psd_test::Loaded loaded = psd_test::LoadLayerWithBlocks(Block("levl", test.data));
    EXPECT_EQ(loaded.result, test.result) << test.data.size();
  }
  const psd_test::Loaded loaded = psd_test::LoadLayerWithBlocks(Block("levl", extra));
  const auto& levels = std::get<psd::PsdLevels>(OnlyLayer(loaded).items.at(0).record);
  ASSERT_EQ(levels.extraSets.size(), 1u);
  EXPECT_EQ(levels.extraSets[0].outputCeiling, 4);
  EXPECT_FLOAT_EQ(levels.extraSets[0].gamma, 1.5f);
}

TEST(PsdAdjustment, CurvesFollowTheBitmapAndTheSecondPartMustAgree) {
  const psd_test::Loaded plain = psd_test::LoadLayerWithBlocks(Block("curv", Curves(1)));
  const auto& curves = std::get<psd::PsdCurves>(OnlyLayer(plain).items.at(0).record).curves;
  ASSERT_EQ(curves.size(), 2u);
  EXPECT_EQ(curves[0].channel, 1);
  EXPECT_EQ(curves[1].channel, 2);
  EXPECT_EQ(curves[1].pointCount, 1);
  EXPECT_EQ(curves[1].output[0], 30);
  EXPECT_EQ(curves[1].input[0], 40);

  const psd_test::Loaded agreeing = psd_test::LoadLayerWithBlocks(Block("curv", CurvesWithSecondPart("Crv ", 4, 2)));
  ASSERT_EQ(agreeing.result, psd::kPsdOk);
  EXPECT_EQ(OnlyLayer(agreeing).adjustment, 1);

  const psd_test::Loaded disagreeing =
      psd_test::LoadLayerWithBlocks(Block("curv", CurvesWithSecondPart("Crv ", 4, 3)));
  ASSERT_EQ(disagreeing.result, psd::kPsdOk);
  EXPECT_EQ(OnlyLayer(disagreeing).adjustment, 0);
  EXPECT_EQ(OnlyLayer(disagreeing).kind, psd::kPsdCurves);

  EXPECT_EQ(psd_test::LoadLayerWithBlocks(Block("curv", CurvesWithSecondPart("Crvx", 4, 2))).result,
            psd::kPsdBadCurvesSignature);
  EXPECT_EQ(psd_test::LoadLayerWithBlocks(Block("curv", CurvesWithSecondPart("Crv ", 3, 2))).result,
            psd::kPsdBadExtraCurvesVersion);
}

TEST(PsdAdjustment, GradientMapWithoutExpansionStillPassesTheLastWord) {
  Bytes data = Words({1});
  data = Append(data, Bytes{1, 0});
  PutU32(data, 1);
  data = Append(data, Words({'m'}));
  data = Append(data, Words({1}));  // one colour stop
  PutU32(data, 4096);
  PutU32(data, 50);
  data = Append(data, Words({0, 0xFF00, 0, 0, 0, 2}));
  data = Append(data, Words({0, 0, 0xBEEF}));  // no transparency stops, no expansion, the last word
  PutBytes(data, "END!");
  psd::PsdCursor cursor(data.data(), data.size());
  psd::PsdLayerEntry entry;
  ASSERT_EQ(psd::ReadPsdAdjustment(psd::PsdKey("grdm"), cursor, entry), psd::kPsdOk);
  EXPECT_EQ(cursor.Key(), psd::PsdKey("END!"));
  const auto& map = std::get<psd::PsdGradientMap>(entry.items.at(0).record);
  EXPECT_EQ(map.reversed, 1);
  EXPECT_EQ(map.name, u"m");
  ASSERT_EQ(map.colorStops.size(), 1u);
  EXPECT_EQ(map.colorStops[0].location, 4096);
  EXPECT_EQ(map.colorStops[0].color, 0xFFFF0000u);
  EXPECT_EQ(map.colorStops[0].stopType, 2);
  EXPECT_EQ(map.expansionCount, 0);
}

TEST(PsdAdjustment, PhotoFilterShiftsItsCoordinatesWithTheirSign) {
  Bytes data = Words({3});
  PutU32(data, 0x1200);
  PutU32(data, 0xFFFFFE00);
  PutU32(data, 0);
  PutU32(data, 75);
  data = Append(data, Bytes{1, 0});
  const psd_test::Loaded loaded = psd_test::LoadLayerWithBlocks(Block("phfl", data));
  const auto& filter = std::get<psd::PsdPhotoFilter>(OnlyLayer(loaded).items.at(0).record);
  EXPECT_EQ(filter.x, 0x12);
  EXPECT_EQ(filter.y, -2);
  EXPECT_EQ(filter.density, 75);
  EXPECT_EQ(filter.preserveLuminosity, 1);
}

TEST(PsdAdjustment, FillDescriptorsKeepTheirDefaultsForMissingItems) {
  const Bytes blocks = Append(Append(Block("SoCo", SolidColorFill(16)), Block("GdFl", GradientFill(16))),
                              Block("PtFl", PatternFill(16)));
  const psd_test::Loaded loaded = psd_test::LoadLayerWithBlocks(blocks);
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  const psd::PsdLayerEntry& entry = OnlyLayer(loaded);
  EXPECT_EQ(std::get<psd::PsdSolidFill>(entry.items.at(0).record).color, 0xFFFF8007u);
  const auto& gradient = std::get<psd::PsdGradientFill>(entry.items.at(1).record);
  EXPECT_EQ(gradient.classId, psd::PsdKey("null"));
  EXPECT_DOUBLE_EQ(gradient.angle, 45.5);
  EXPECT_EQ(gradient.gradientType, 1);
  EXPECT_EQ(gradient.dither, 1);
  EXPECT_EQ(gradient.scale, 100);
  EXPECT_EQ(gradient.alignWithLayer, 1);
  const auto& pattern = std::get<psd::PsdPatternFill>(entry.items.at(2).record);
  EXPECT_EQ(pattern.scale, 50);
  EXPECT_EQ(pattern.pattern.identifier, "id");
  EXPECT_EQ(entry.kind, psd::kPsdPatternFill);
  EXPECT_EQ(entry.adjustment, 0);
}

TEST(PsdAdjustment, TypeToolReadsFacesStylesAndLines) {
  Bytes data;
  for (int i = 0; i < 6; ++i) {
    PutDouble(data, i);
  }
  data = Append(data, Words({1, 7}));  // one face, mark 7
  PutU32(data, 1);
  PutU8(data, 4);
  PutBytes(data, "Sans");
  PutU8(data, 0);
  PutU8(data, 4);
  PutBytes(data, "Bold");
  data = Append(data, Words({0}));
  PutU32(data, 2);
  PutU32(data, 10);
  PutU32(data, 20);
  data = Append(data, Words({1, 3, 7}));  // one style
  for (std::uint32_t value : {12u, 0u, 0u, 14u, 0u}) {
    PutU32(data, value);
  }
  data = Append(data, Bytes{1, 0, 1});
  data = Append(data, Words({0}));
  for (int i = 0; i < 6; ++i) {
    PutU32(data, 100 + i);
  }
  data = Append(data, Words({1}));  // one line
  PutU32(data, 5);
  data = Append(data, Words({0, 1, 0, 3}));
  data = Append(data, Words({0, 0xFF00, 0xFF00, 0xFF00, 0}));
  PutU8(data, 1);
  const psd_test::Loaded loaded = psd_test::LoadLayerWithBlocks(Block("tySh", data));
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  const psd::PsdLayerEntry& entry = OnlyLayer(loaded);
  EXPECT_EQ(entry.kind, psd::kPsdPixelLayer);
  const auto& type = std::get<psd::PsdTypeTool>(entry.items.at(0).record);
  EXPECT_DOUBLE_EQ(type.transform[5], 5.0);
  ASSERT_EQ(type.faces.size(), 1u);
  EXPECT_EQ(type.faces[0].mark, 7);
  EXPECT_EQ(type.faces[0].fontName, "Sans");
  EXPECT_EQ(type.faces[0].styleName, "Bold");
  EXPECT_EQ(type.faces[0].designAxes, (std::vector<std::int32_t>{10, 20}));
  ASSERT_EQ(type.styles.size(), 1u);
  EXPECT_EQ(type.styles[0].size, 12);
  EXPECT_EQ(type.styles[0].leading, 14);
  EXPECT_EQ(type.styles[0].rotate, 1);
  EXPECT_EQ(type.selectionEnd, 105);
  ASSERT_EQ(type.lines.size(), 1u);
  EXPECT_EQ(type.lines[0].style, 3);
  EXPECT_EQ(type.color, 0xFFFFFFFFu);
  EXPECT_EQ(type.antiAlias, 1);
}

TEST(PsdAdjustment, ALayerKeepsAtMostTwentyItems) {
  Bytes blocks;
  for (int i = 0; i < 25; ++i) {
    blocks = Append(blocks, Block("thrs", Words({static_cast<std::uint32_t>(i), 0})));
  }
  const psd_test::Loaded loaded = psd_test::LoadLayerWithBlocks(blocks);
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  const psd::PsdLayerEntry& entry = OnlyLayer(loaded);
  ASSERT_EQ(entry.items.size(), psd::kPsdMaxLayerItems);
  EXPECT_EQ(std::get<psd::PsdThreshold>(entry.items.back().record).level, 19);
}

TEST(PsdAdjustment, ADocumentKeepsAtMostItsItemLimit) {
  Bytes blocks;
  for (int i = 0; i < 20; ++i) {
    blocks = Append(blocks, Block("nvrt", {}));
  }
  PsdWriter writer(2, 2);
  for (int i = 0; i < 210; ++i) {
    PsdWriterLayer layer;
    layer.width = 1;
    layer.height = 1;
    layer.extraBlocks = blocks;
    writer.AddLayer(layer);
  }
  const psd_test::Loaded loaded = psd_test::LoadBytes(writer.Write());
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  std::size_t items = 0;
  for (const psd::PsdLayerEntry& entry : loaded.document->layers) {
    items += entry.items.size();
  }
  EXPECT_EQ(items, psd::kPsdMaxDocumentItems);
}

TEST(PsdAdjustment, HugeCountsAllocateNoMoreThanTheDataHolds) {
  Bytes data;
  for (int i = 0; i < 6; ++i) {
    PutDouble(data, 0);
  }
  data = Append(data, Words({0x7FFF, 1}));
  PutU32(data, 0);
  data = Append(data, Bytes{0, 0, 0});
  data = Append(data, Words({0}));
  PutU32(data, 0x7FFFFFFF);
  const psd_test::Loaded loaded = psd_test::LoadLayerWithBlocks(Block("tySh", data));
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  const auto& type = std::get<psd::PsdTypeTool>(OnlyLayer(loaded).items.at(0).record);
  EXPECT_LE(type.faces.size(), 2u);
}

}  // namespace
