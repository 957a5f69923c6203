#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <variant>

#include "Psd/PsdError.h"
#include "tests/Psd/PsdFixtures.h"
#include "tests/Psd/PsdTestLoad.h"
#include "tests/Support/CaseNames.h"

namespace {

// One layer of a reference decoding (tools/psd-fixtures/reference.py).
struct ReferenceLayer {
  std::int32_t kind = 0, left = 0, top = 0, width = 0, height = 0, opacity = 0;
  std::string name;
  std::vector<std::int32_t> itemKinds;
  std::vector<std::uint32_t> pixels;
};

std::vector<ReferenceLayer> ReadReference(const std::filesystem::path& path) {
  std::vector<ReferenceLayer> layers;
  std::ifstream file(path);
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream fields(line);
    if (line.rfind("layer ", 0) == 0) {
      std::string word;
      ReferenceLayer layer;
      fields >> word >> layer.kind >> layer.left >> layer.top >> layer.width >> layer.height >> layer.opacity;
      layers.push_back(layer);
    } else if (line.rfind("name ", 0) == 0) {
      layers.back().name = line.substr(5);
    } else if (line.rfind("items ", 0) == 0) {
      std::string word;
      std::int32_t kind = 0;
      fields >> word;
      while (fields >> kind) {
        layers.back().itemKinds.push_back(kind);
      }
    } else {
      std::string pixel;
      while (fields >> pixel) {
        layers.back().pixels.push_back(static_cast<std::uint32_t>(std::stoul(pixel, nullptr, 16)));
      }
    }
  }
  return layers;
}

class PsdFixture : public testing::TestWithParam<const char*> {};

TEST_P(PsdFixture, DecodedLayersMatchTheReference) {
  const std::filesystem::path psd = psd_test::FixturePath(std::string(GetParam()) + ".psd");
  const std::vector<ReferenceLayer> reference = ReadReference(psd_test::FixturePath(std::string(GetParam()) + ".txt"));
  ASSERT_FALSE(reference.empty());

  psd::PsdDocument* loaded = nullptr;
  ASSERT_EQ(psd::LoadPsdDocument(&loaded, psd.c_str()), psd::kPsdOk);
  const psd_test::DocumentPtr document(loaded);
  ASSERT_EQ(document->layers.size(), reference.size());
  for (std::size_t i = 0; i < reference.size(); ++i) {
    const psd::PsdLayerEntry& entry = document->layers[i];
    const ReferenceLayer& expected = reference[i];
    SCOPED_TRACE("layer " + std::to_string(i) + " " + expected.name);
    EXPECT_EQ(entry.kind, expected.kind);
    EXPECT_EQ(entry.left, expected.left);
    EXPECT_EQ(entry.top, expected.top);
    EXPECT_EQ(entry.width, expected.width);
    EXPECT_EQ(entry.height, expected.height);
    EXPECT_EQ(entry.opacity, expected.opacity);
    EXPECT_EQ(entry.name, expected.name);
    std::vector<std::int32_t> itemKinds;
    for (const psd::PsdLayerItem& item : entry.items) {
      itemKinds.push_back(item.kind);
    }
    EXPECT_EQ(itemKinds, expected.itemKinds);
    EXPECT_EQ(entry.pixels, expected.pixels);
  }
}

INSTANTIATE_TEST_SUITE_P(Files, PsdFixture, testing::ValuesIn(psd_test::kFixtureNames), testing_support::ParamName());

TEST(PsdFixtureGroups, FolderEnclosesItsLayers) {
  psd::PsdDocument* loaded = nullptr;
  ASSERT_EQ(psd::LoadPsdDocument(&loaded, psd_test::FixturePath("groups.psd").c_str()), psd::kPsdOk);
  const psd_test::DocumentPtr document(loaded);
  ASSERT_EQ(document->layers.size(), 5u);
  EXPECT_EQ(document->layers[2].enclosingGroup, 3);
  EXPECT_EQ(document->layers[0].enclosingGroup, -1);
  EXPECT_EQ(document->layers[4].enclosingGroup, -1);
}

// The effects psd-tools wrote, as it wrote them.
TEST(PsdFixtureEffects, EffectsAndAdjustmentReadAsWritten) {
  psd::PsdDocument* loaded = nullptr;
  ASSERT_EQ(psd::LoadPsdDocument(&loaded, psd_test::FixturePath("effects.psd").c_str()), psd::kPsdOk);
  const psd_test::DocumentPtr document(loaded);
  ASSERT_EQ(document->layers.size(), 5u);
  const psd::PsdLayerEntry& inner = document->layers[2];
  ASSERT_EQ(inner.items.size(), 2u);
  for (const psd::PsdLayerItem& item : inner.items) {
    const auto& effects = std::get<psd::PsdLayerEffects>(item.record);
    SCOPED_TRACE(item.kind);
    EXPECT_EQ(effects.masterSwitch, 1);
    EXPECT_EQ(effects.dropShadow.enabled, 1);
    EXPECT_EQ(effects.dropShadow.color, 0xFF0A141Eu);
    EXPECT_EQ(effects.dropShadow.opacity, 153);
    EXPECT_EQ(effects.dropShadow.blendMode, 3);
    EXPECT_EQ(effects.dropShadow.angle, 135);
    EXPECT_EQ(effects.dropShadow.distance, 7);
    EXPECT_EQ(effects.dropShadow.spread, 2);
    EXPECT_EQ(effects.dropShadow.size, 9);
    EXPECT_EQ(effects.dropShadow.useGlobalLight, 0);
  }
  const auto& described = std::get<psd::PsdLayerEffects>(inner.items[1].record);
  EXPECT_EQ(described.effectCount, 2);
  EXPECT_EQ(described.dropShadow.layerConceals, 1);
  EXPECT_EQ(described.colorOverlay.color, 0xFFC86432u);
  EXPECT_EQ(described.read[psd::kPsdColorOverlaySlot], 1);

  const psd::PsdLayerEntry& top = document->layers[4];
  EXPECT_EQ(top.adjustment, 1);
  const auto& brightness = std::get<psd::PsdBrightnessContrast>(top.items.at(0).record);
  EXPECT_EQ(brightness.brightness, 20);
  EXPECT_EQ(brightness.contrast, -10);
  EXPECT_EQ(brightness.mean, 127);
}

}  // namespace
