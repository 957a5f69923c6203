#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

#include "Psd/PsdError.h"
#include "tests/Psd/PsdFixtures.h"
#include "tests/Psd/PsdBlockSamples.h"
#include "tests/Psd/PsdTestLoad.h"
#include "tools/art/PsdWriter/PsdWriter.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadFixture(const char* name) {
  std::ifstream file(psd_test::FixturePath(std::string(name) + ".psd"), std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Whatever the bytes, a load fails with a negative code or gives a document
// whose layers hold exactly their pixels.
void ExpectSoundLoad(const Bytes& bytes, const std::string& what) {
  const psd_test::Loaded loaded = psd_test::LoadBytes(bytes);
  ASSERT_LE(loaded.result, 0) << what;
  ASSERT_EQ(loaded.document != nullptr, loaded.result == psd::kPsdOk) << what;
  if (!loaded.document) {
    return;
  }
  for (const psd::PsdLayerEntry& entry : loaded.document->layers) {
    const bool hasArea = entry.width > 0 && entry.height > 0;
    ASSERT_EQ(entry.pixels.size(), hasArea ? static_cast<std::size_t>(entry.width) * entry.height : 0u) << what;
  }
  ASSERT_EQ(loaded.document->composite.size(),
            static_cast<std::size_t>(loaded.document->columns) * loaded.document->rows) << what;
}

// One layer with every kind of effect and a few adjustment and fill blocks.
Bytes ItemBlocksSample() {
  using namespace psd_test;
  Bytes stroke;
  PutDescriptorKey(stroke, "FrFX", "Objc");
  PutDescriptorHeader(stroke, "FrFX", 2);
  PutEnumItem(stroke, "PntT", "FrFl", "Ptrn");
  PutUnitItem(stroke, "Scl ", "#Prc", 50);
  Bytes blocks = Legacy(0, {Effect("cmnS", CommonState(0)), Effect("dsdw", Shadow(2)), Effect("oglw", Glow(2, false)),
                            Effect("iglw", Glow(2, true)), Effect("bevl", Bevel(2)),
                            Effect("sofi", LegacySolidFill(2))});
  blocks = Append(blocks, EffectsDescriptor(2, Append(DropShadow(), stroke)));
  blocks = Append(blocks, Block("curv", CurvesWithSecondPart("Crv ", 4, 2)));
  blocks = Append(blocks, Block("SoCo", SolidColorFill(16)));
  blocks = Append(blocks, Block("GdFl", GradientFill(16)));
  blocks = Append(blocks, Block("PtFl", PatternFill(16)));
  tools::PsdWriter writer(3, 2);
  tools::PsdWriterLayer layer;
  layer.name = "items";
  layer.width = 2;
  layer.height = 1;
  layer.extraBlocks = blocks;
  writer.AddLayer(layer);
  return writer.Write();
}

std::vector<std::pair<std::string, Bytes>> Samples() {
  std::vector<std::pair<std::string, Bytes>> samples;
  for (const char* name : psd_test::kFixtureNames) {
    samples.emplace_back(name, ReadFixture(name));
  }
  tools::PsdWriter writer(5, 4);
  tools::PsdWriterLayer layer;
  layer.name = "masked";
  layer.width = 3;
  layer.height = 2;
  layer.compression = 1;
  layer.maskData = Bytes(36, 0);
  layer.maskData[11] = 2;  // bottom
  layer.maskData[15] = 2;  // right
  writer.AddLayer(layer);
  writer.BeginGroup();
  writer.AddLayer(layer);
  writer.EndGroup("folder");
  samples.emplace_back("written", writer.Write());
  samples.emplace_back("item blocks", ItemBlocksSample());
  return samples;
}

TEST(PsdRobustness, EveryTruncationFailsCleanlyOrLoads) {
  for (const auto& [name, bytes] : Samples()) {
    ASSERT_FALSE(bytes.empty()) << name;
    ASSERT_EQ(psd_test::LoadBytes(bytes).result, psd::kPsdOk) << name;
    for (std::size_t size = 0; size < bytes.size(); ++size) {
      ExpectSoundLoad(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size)),
                      name + " cut at " + std::to_string(size));
    }
  }
}

TEST(PsdRobustness, SeededByteFlipsFailCleanlyOrLoad) {
  std::mt19937 random(20261210);
  for (const auto& [name, bytes] : Samples()) {
    std::uniform_int_distribution<std::size_t> offset(0, bytes.size() - 1);
    std::uniform_int_distribution<int> value(0, 255);
    std::uniform_int_distribution<int> flips(1, 4);
    for (int mutant = 0; mutant < 150; ++mutant) {
      Bytes changed = bytes;
      for (int flip = flips(random); flip > 0; --flip) {
        changed[offset(random)] = static_cast<std::uint8_t>(value(random));
      }
      ExpectSoundLoad(changed, name + " mutant " + std::to_string(mutant));
    }
  }
}

}  // namespace
