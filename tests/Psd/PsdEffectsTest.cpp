#include <gtest/gtest.h>

#include <variant>

#include "Psd/PsdError.h"
#include "tests/Psd/PsdBlockSamples.h"
#include "tests/Psd/PsdTestLoad.h"
#include "tools/art/PsdWriter/PsdWriter.h"

using namespace tools;
using namespace psd_test;

namespace {

const psd::PsdLayerEffects& OnlyEffects(const psd_test::Loaded& loaded) {
  return std::get<psd::PsdLayerEffects>(loaded.document->layers.at(0).items.at(0).record);
}

TEST(PsdLegacyEffects, AnEmptyBlockRecordsAnEmptyItem) {
  const psd_test::Loaded loaded = psd_test::LoadLayerWithBlocks(Legacy(0, {}));
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  EXPECT_EQ(loaded.document->layers[0].items[0].kind, psd::kPsdLegacyEffectsItem);
  const psd::PsdLayerEffects& effects = OnlyEffects(loaded);
  EXPECT_EQ(effects.effectCount, 0);
  EXPECT_EQ(effects.dropShadow.opacity, 0);
  EXPECT_EQ(effects.present, (std::array<std::uint8_t, psd::kPsdEffectSlotCount>{}));
}

TEST(PsdLegacyEffects, CommonStateAndDropShadowFillTheirFields) {
  const psd_test::Loaded loaded =
      psd_test::LoadLayerWithBlocks(Legacy(0, {Effect("cmnS", CommonState(0)), Effect("dsdw", Shadow(2))}));
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  const psd::PsdLayerEffects& effects = OnlyEffects(loaded);
  EXPECT_EQ(effects.effectCount, 2);
  EXPECT_EQ(effects.masterSwitch, 1);
  const psd::PsdShadowEffect& shadow = effects.dropShadow;
  EXPECT_EQ(shadow.size, 8);
  EXPECT_EQ(shadow.spread, 10);
  EXPECT_EQ(shadow.angle, 90);
  EXPECT_EQ(shadow.distance, 4);
  EXPECT_EQ(shadow.color, 0xFFFF8000u);
  EXPECT_EQ(shadow.nativeColor, 0xFF00FF00u);
  EXPECT_EQ(shadow.blendMode, 3);
  EXPECT_EQ(shadow.enabled, 1);
  EXPECT_EQ(shadow.useGlobalLight, 0);
  EXPECT_EQ(shadow.opacity, 200);
  EXPECT_EQ(shadow.contour.table[77], 77);  // the default contour
  EXPECT_EQ(effects.present[psd::kPsdDropShadowSlot], 1);
  EXPECT_EQ(effects.read[psd::kPsdDropShadowSlot], 1);
  EXPECT_EQ(effects.present[psd::kPsdInnerShadowSlot], 0);
}

// Real writers size every effect; fields a version adds are passed over.
TEST(PsdLegacyEffects, EachEffectIsReadWithinItsSize) {
  Bytes longer = Shadow(0);
  longer.resize(longer.size() + 6, 0xEE);
  const psd_test::Loaded loaded = psd_test::LoadLayerWithBlocks(Legacy(
      0, {Effect("dsdw", longer), Effect("iglw", Glow(2, true)), Effect("bevl", Bevel(0)),
          Effect("sofi", LegacySolidFill(2))}));
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  const psd::PsdLayerEffects& effects = OnlyEffects(loaded);
  EXPECT_EQ(effects.dropShadow.opacity, 200);
  EXPECT_EQ(effects.innerGlow.source, 0);
  EXPECT_EQ(effects.innerGlow.color, 0xFFFFFF00u);
  EXPECT_EQ(effects.innerGlow.size, 6);
  EXPECT_EQ(effects.bevel.style, 2);
  EXPECT_EQ(effects.bevel.shadowBlendMode, 3);
  EXPECT_EQ(effects.bevel.size, 3);
  EXPECT_EQ(effects.bevel.soften, 1);
  EXPECT_EQ(effects.colorOverlay.color, 0xFF0000FFu);
  EXPECT_EQ(effects.colorOverlay.enabled, 1);
  EXPECT_EQ(effects.read[psd::kPsdColorOverlaySlot], 1);
}

TEST(PsdLegacyEffects, VersionsSignaturesAndKeysAreChecked) {
  const std::pair<Bytes, int> cases[] = {
      {Legacy(1, {}), psd::kPsdBadEffectsVersion},
      {Legacy(0, {Effect("dsdw", Shadow(0), "8BIX")}), psd::kPsdBadEffectSignature},
      {Legacy(0, {Effect("xxxx", Shadow(0))}), psd::kPsdBadEffectKey},
      {Legacy(0, {Effect("cmnS", CommonState(1))}), psd::kPsdBadCommonStateVersion},
      {Legacy(0, {Effect("isdw", Shadow(1))}), psd::kPsdBadShadowVersion},
      {Legacy(0, {Effect("isdw", Shadow(0, "8BIX"))}), psd::kPsdBadLayerSignature},
      {Legacy(0, {Effect("oglw", Glow(1, false))}), psd::kPsdBadOuterGlowVersion},
      {Legacy(0, {Effect("iglw", Glow(3, true))}), psd::kPsdBadInnerGlowVersion},
      {Legacy(0, {Effect("bevl", Bevel(1))}), psd::kPsdBadBevelVersion},
      {Legacy(0, {Effect("sofi", LegacySolidFill(0))}), psd::kPsdBadSolidFillEffectVersion},
  };
  for (const auto& [block, result] : cases) {
    EXPECT_EQ(psd_test::LoadLayerWithBlocks(block).result, result);
  }
}

TEST(PsdEffectsDescriptor, DropShadowKeepsTheDefaultsOfWhatItDoesNotName) {
  Bytes items;
  PutUnitItem(items, "Scl ", "#Prc", 100);
  PutBoolItem(items, "masterFXSwitch", true);
  const psd_test::Loaded loaded = psd_test::LoadLayerWithBlocks(EffectsDescriptor(3, Append(items, DropShadow())));
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  EXPECT_EQ(loaded.document->layers[0].items[0].kind, psd::kPsdEffectsDescriptorItem);
  const psd::PsdLayerEffects& effects = OnlyEffects(loaded);
  EXPECT_EQ(effects.masterSwitch, 1);
  EXPECT_EQ(effects.effectCount, 1);
  const psd::PsdShadowEffect& shadow = effects.dropShadow;
  EXPECT_EQ(shadow.enabled, 1);
  EXPECT_EQ(shadow.opacity, 191);
  EXPECT_EQ(shadow.blendMode, 3);
  EXPECT_EQ(shadow.color, 0xFF000000u);
  EXPECT_EQ(shadow.angle, 120);
  EXPECT_EQ(shadow.useGlobalLight, 1);
  EXPECT_EQ(shadow.distance, 5);
  EXPECT_EQ(shadow.spread, 0);
  EXPECT_EQ(shadow.size, 5);
  EXPECT_EQ(shadow.contour.table, psd::DefaultPsdContour().table);
  EXPECT_EQ(shadow.layerConceals, 0);
  EXPECT_EQ(effects.present[psd::kPsdDropShadowSlot], 1);
}

TEST(PsdEffectsDescriptor, EveryEffectStartsFromItsDefaults) {
  Bytes items;
  for (const char* key : {"DrSh", "IrSh", "OrGl", "IrGl", "ebbl", "ChFX", "SoFi", "GrFl", "patternFill", "FrFX"}) {
    PutDescriptorKey(items, key, "Objc");
    PutDescriptorHeader(items, "null", 0);
  }
  const psd_test::Loaded loaded = psd_test::LoadLayerWithBlocks(EffectsDescriptor(10, items));
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  const psd::PsdLayerEffects& effects = OnlyEffects(loaded);
  EXPECT_EQ(effects.effectCount, 10);
  EXPECT_EQ(effects.read, (std::array<std::uint8_t, psd::kPsdEffectSlotCount>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
  EXPECT_EQ(effects.innerShadow.opacity, 191);
  EXPECT_EQ(effects.outerGlow.color, 0xFFFFFFBEu);
  EXPECT_EQ(effects.outerGlow.blendMode, 7);
  EXPECT_EQ(effects.outerGlow.range, 50);
  EXPECT_EQ(effects.innerGlow.source, 1);
  EXPECT_EQ(effects.bevel.technique, 2);
  EXPECT_EQ(effects.bevel.depth, 100);
  EXPECT_EQ(effects.bevel.altitude, 30);
  EXPECT_EQ(effects.bevel.highlightColor, 0xFFFFFFFFu);
  EXPECT_EQ(effects.bevel.alignTexture, 1);
  EXPECT_EQ(effects.satin.angle, 19);
  EXPECT_EQ(effects.satin.size, 14);
  EXPECT_EQ(effects.satin.invert, 1);
  EXPECT_EQ(effects.colorOverlay.color, 0xFFFF0000u);
  EXPECT_EQ(effects.gradientOverlay.angle, 90);
  EXPECT_EQ(effects.patternOverlay.scale, 100);
  EXPECT_EQ(effects.stroke.size, 3);
  EXPECT_EQ(effects.stroke.linked, 1);
}

// Only the master switch's own key holding a boolean sets it; whatever follows
// the scale is otherwise passed over by its type.
TEST(PsdEffectsDescriptor, MasterSwitchComesOnlyFromItsOwnBoolean) {
  struct Case {
    const char* key;
    const char* type;
    std::uint8_t expected;
  } cases[] = {{"masterFXSwitch", "bool", 1}, {"otherSwitch", "bool", 0}, {"masterFXSwitch", "long", 0}};
  for (const Case& test : cases) {
    Bytes items;
    PutUnitItem(items, "Scl ", "#Prc", 100);
    PutDescriptorKey(items, test.key, test.type);
    if (std::string_view(test.type) == "bool") {
      PutU8(items, 1);
    } else {
      PutU32(items, 1);
    }
    const psd_test::Loaded loaded = psd_test::LoadLayerWithBlocks(EffectsDescriptor(3, Append(items, DropShadow())));
    ASSERT_EQ(loaded.result, psd::kPsdOk) << test.key << " " << test.type;
    EXPECT_EQ(OnlyEffects(loaded).masterSwitch, test.expected) << test.key << " " << test.type;
    EXPECT_EQ(OnlyEffects(loaded).dropShadow.enabled, 1) << test.key << " " << test.type;
  }
}

TEST(PsdEffectsDescriptor, AnUnusedListIsPassedOverExactly) {
  Bytes more;
  PutDescriptorKey(more, "xtra", "VlLs");
  PutU32(more, 2);
  PutBytes(more, "Objc");
  PutDescriptorHeader(more, "null", 2);
  PutDescriptorKey(more, "Nm  ", "TEXT");
  PutU32(more, 1);
  PutU16(more, 'a');
  PutUnitItem(more, "Hrzn", "#Pxl", 3);
  PutBytes(more, "long");
  PutU32(more, 7);
  PutUnitItem(more, "Dstn", "#Pxl", 9);
  const psd_test::Loaded loaded = psd_test::LoadLayerWithBlocks(EffectsDescriptor(1, DropShadow(2, more)));
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  EXPECT_EQ(OnlyEffects(loaded).dropShadow.distance, 9);
}

// A value of unknown size gives up the block; the block's length finds the
// next one and what was read stays.
TEST(PsdEffectsDescriptor, AnUnknownTypeGivesUpTheBlockNotTheLoad) {
  Bytes more;
  PutDescriptorKey(more, "what", "Zzzz");
  PutU32(more, 0x12345678);
  Bytes stroke;
  PutDescriptorKey(stroke, "FrFX", "Objc");
  PutDescriptorHeader(stroke, "FrFX", 1);
  PutBoolItem(stroke, "enab", true);
  Bytes blocks = EffectsDescriptor(2, Append(DropShadow(1, more), stroke));
  Bytes id;
  PutU32(id, 42);
  PutTaggedBlock(blocks, "lyid", id);
  const psd_test::Loaded loaded = psd_test::LoadLayerWithBlocks(blocks);
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  EXPECT_EQ(OnlyEffects(loaded).dropShadow.enabled, 1);
  EXPECT_EQ(OnlyEffects(loaded).read[psd::kPsdStrokeSlot], 0);
  EXPECT_EQ(loaded.document->layers[0].layerId, 42u);
}

TEST(PsdEffectsDescriptor, StrokeScaleFollowsThePaintType) {
  Bytes items;
  PutDescriptorKey(items, "FrFX", "Objc");
  PutDescriptorHeader(items, "FrFX", 3);
  PutEnumItem(items, "PntT", "FrFl", "Ptrn");
  PutUnitItem(items, "Scl ", "#Prc", 50);
  PutEnumItem(items, "Styl", "FStl", "InsF");
  const psd_test::Loaded loaded = psd_test::LoadLayerWithBlocks(EffectsDescriptor(1, items));
  ASSERT_EQ(loaded.result, psd::kPsdOk);
  const psd::PsdStrokeEffect& stroke = OnlyEffects(loaded).stroke;
  EXPECT_EQ(stroke.paintType, 2);
  EXPECT_EQ(stroke.patternScale, 50);
  EXPECT_EQ(stroke.gradientScale, 100);
  EXPECT_EQ(stroke.position, 1);
  EXPECT_EQ(stroke.size, 3);
}

TEST(PsdEffectsDescriptor, OnlyTheVersionsFailTheBlock) {
  EXPECT_EQ(psd_test::LoadLayerWithBlocks(EffectsDescriptor(0, {}, 15)).result, psd::kPsdBadEffectsVersion);
  EXPECT_EQ(psd_test::LoadLayerWithBlocks(EffectsDescriptor(1000, {})).result, psd::kPsdOk);
}

}  // namespace
