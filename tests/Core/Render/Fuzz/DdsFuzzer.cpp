// libFuzzer entry for DDS images: the input is decoded level by level into
// rows as wide as a texture's locked pitch, as the texture upload does.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "Core/Base/MemoryStream.h"
#include "Core/Render/AlphaHitMask.h"
#include "Core/Render/ImageDataDDS.h"

namespace {

// Levels larger than this are not decoded: the texture holds a level's full
// size before its first row is read, and a header may promise a gigabyte.
constexpr std::size_t kMostLevelBytes = 16u << 20;

struct LevelLayout {
  int pitch = 0;
  int rows = 0;
};

LevelLayout Layout(const render::ImageData& image, int level) {
  const int width = std::max(image.GetWidth() >> level, 1);
  const int height = std::max(image.GetHeight() >> level, 1);
  switch (image.GetCompression()) {
    case render::ImageCompression::kNone: return {width * 4, height};
    case render::ImageCompression::kDxt1: return {(width + 3) / 4 * 8, (height + 3) / 4};
    default: return {(width + 3) / 4 * 16, (height + 3) / 4};
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  base::MemoryStream stream(data, static_cast<std::uint32_t>(size));
  render::ImageDataDDS image;
  if (image.Load(stream, u".dds") != QL_OK) return 0;
  render::AlphaHitMask mask;
  for (int level = 0; level < image.GetLevelCount(); ++level) {
    const LevelLayout layout = Layout(image, level);
    const std::size_t bytes = static_cast<std::size_t>(layout.pitch) * static_cast<std::size_t>(layout.rows);
    if (bytes > kMostLevelBytes) return 0;
    if (level == 0) mask.Resize(static_cast<std::uint32_t>(image.GetWidth() * image.GetHeight()), false);
    std::vector<std::uint8_t> pixels(bytes);
    const QLResultEnum decoded = level == 0 ? image.Decode(layout.pitch, pixels.data(), mask)
                                            : image.DecodeLevel(level, layout.pitch, pixels.data());
    if (decoded != QL_OK) return 0;
  }
  return 0;
}
