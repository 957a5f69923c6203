#include "Psd/PsdPixels.h"

#include "Psd/PsdColor.h"

namespace psd {

namespace {

// Samples of a plane at 8 or 16 bits; 16-bit samples count by their high byte.
class SampleReader {
 public:
  SampleReader(const std::uint8_t* plane, int depth, std::uint8_t missing)
      : plane_(plane), step_(depth == 16 ? 2 : 1), missing_(missing) {}
  std::uint8_t operator[](std::size_t index) const { return plane_ ? plane_[index * step_] : missing_; }

 private:
  const std::uint8_t* plane_;
  std::size_t step_;
  std::uint8_t missing_;
};

std::uint32_t Pack(std::uint32_t alpha, std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  return alpha << 24 | red << 16 | green << 8 | blue;
}

void ConvertBitmap(const PsdPlanes& planes, std::span<std::uint32_t> pixels) {
  if (!planes.color[0]) {
    return;
  }
  const std::size_t rowBytes = static_cast<std::size_t>((planes.width + 7) / 8);
  std::size_t index = 0;
  for (std::int64_t y = 0; y < planes.height; ++y) {
    const std::uint8_t* row = planes.color[0] + static_cast<std::size_t>(y) * rowBytes;
    for (std::int64_t x = 0; x < planes.width; ++x) {
      const bool set = row[x >> 3] & (0x80 >> (x & 7));
      pixels[index++] = set ? 0xFF000000u : 0xFFFFFFFFu;
    }
  }
}

}  // namespace

std::uint32_t ConvertPsdCmyk(std::uint8_t alpha, std::uint8_t c, std::uint8_t m, std::uint8_t y, std::uint8_t k) {
  const int black = 255 - k;
  const auto channel = [black](std::uint8_t stored) {
    const int ink = 255 - stored;
    return static_cast<std::uint32_t>((65535 - (255 - black) * ink - 256 * black) >> 8);
  };
  return Pack(alpha, channel(c), channel(m), channel(y));
}

void ConvertPsdPlanes(std::uint32_t colorMode, const PsdPlanes& planes, const PsdIndexedColors& indexed,
                      std::span<std::uint32_t> pixels) {
  const int depth = planes.depth;
  if (colorMode == 0) {
    if (depth == 1) {
      ConvertBitmap(planes, pixels);
    }
    return;
  }
  const bool eightBit = depth == 8;
  const bool wide = eightBit || depth == 16;
  const SampleReader alpha(planes.alpha, depth, 255);
  const SampleReader c0(planes.color[0], depth, 0);
  const SampleReader c1(planes.color[1], depth, 0);
  const SampleReader c2(planes.color[2], depth, 0);
  const SampleReader c3(planes.color[3], depth, colorMode == 7 ? 255 : 0);
  const std::size_t count = pixels.size();
  switch (colorMode) {
    case 1:
    case 8:
      if (wide) {
        for (std::size_t i = 0; i < count; ++i) {
          pixels[i] = Pack(alpha[i], c0[i], c0[i], c0[i]);
        }
      }
      return;
    case 2:
      if (eightBit && indexed.palette) {
        const std::vector<std::uint32_t>& palette = *indexed.palette;
        for (std::size_t i = 0; i < count; ++i) {
          const std::uint8_t value = c0[i];
          if (!indexed.test) {
            pixels[i] = value < palette.size() ? (palette[value] | 0xFF000000u) : 0xFF000000u;
          } else if (value < indexed.colorCount && value != indexed.transparentIndex && value < palette.size()) {
            pixels[i] = palette[value];
          } else {
            pixels[i] = 0x00FFFFFF;
          }
        }
      }
      return;
    case 3:
      if (wide) {
        for (std::size_t i = 0; i < count; ++i) {
          pixels[i] = Pack(alpha[i], c0[i], c1[i], c2[i]);
        }
      }
      return;
    case 4:
      if (wide) {
        for (std::size_t i = 0; i < count; ++i) {
          pixels[i] = ConvertPsdCmyk(alpha[i], c0[i], c1[i], c2[i], c3[i]);
        }
      }
      return;
    case 7:
      if (eightBit) {
        for (std::size_t i = 0; i < count; ++i) {
          pixels[i] = ConvertPsdCmyk(255, c0[i], c1[i], c2[i], c3[i]);
        }
      }
      return;
    case 9:
      if (wide) {
        for (std::size_t i = 0; i < count; ++i) {
          pixels[i] = ConvertPsdLab(alpha[i], (c0[i] * 100) >> 8, c1[i] - 128, c2[i] - 128);
        }
      }
      return;
    default:
      return;
  }
}

}  // namespace psd
