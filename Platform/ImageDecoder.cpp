#include "Platform/ImageDecoder.h"

#include <IL/il.h>

#include <algorithm>
#include <limits>
#include <mutex>
#include <new>

#include "Platform/ImageHeader.h"
#include "Platform/PngDecoder.h"

namespace platform {

namespace {

// DevIL keeps one global state and crashes when two threads use it.
std::mutex& DecoderMutex() {
  static std::mutex mutex;
  return mutex;
}

ILenum ToDevil(ImageType type) {
  switch (type) {
    case ImageType::kBmp: return IL_BMP;
    case ImageType::kJpg: return IL_JPG;
    case ImageType::kGif: return IL_GIF;
    case ImageType::kPng: break;  // decoded by libpng
    case ImageType::kTga: return IL_TGA;
  }
  return IL_TYPE_UNKNOWN;
}

void InitOnce() {
  static bool initialised = false;
  if (initialised) return;
  ilInit();
  // BMP and TGA would otherwise arrive bottom row first.
  ilEnable(IL_ORIGIN_SET);
  ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
  initialised = true;
}

// The image is deleted on every path out, failed loads included.
class BoundImage {
 public:
  BoundImage() {
    ilGenImages(1, &name_);
    ilBindImage(name_);
  }
  ~BoundImage() { ilDeleteImages(1, &name_); }
  BoundImage(const BoundImage&) = delete;
  BoundImage& operator=(const BoundImage&) = delete;

 private:
  ILuint name_ = 0;
};

bool Succeeded() {
  bool ok = true;
  // DevIL queues errors; the whole queue is drained so none leaks into the next image.
  while (ilGetError() != IL_NO_ERROR) ok = false;
  return ok;
}

// Checked before any decoder sees the file: a header of a few bytes may
// claim gigabytes of pixels.
bool CheckHeader(const std::uint8_t* data, std::size_t size, ImageType type, int maxSide, std::string* error) {
  ImageHeader header;
  if (!ReadImageHeader(data, size, type, &header)) {
    *error = "no image header of that type";
    return false;
  }
  const std::string claimed = std::to_string(header.width) + " x " + std::to_string(header.height);
  if (header.width == 0 || header.height == 0 || std::uint64_t{header.width} * header.height > kMaxImagePixels ||
      header.width > static_cast<std::uint32_t>(std::max(maxSide, 0)) ||
      header.height > static_cast<std::uint32_t>(std::max(maxSide, 0))) {
    *error = "its header claims " + claimed + " pixels, beyond what a texture can hold";
    return false;
  }
  if (header.minimumFileSize > size) {
    *error = "its header claims " + claimed + " pixels, more than its " + std::to_string(size) + " bytes can hold";
    return false;
  }
  return true;
}

bool DecodeWithDevil(const std::uint8_t* data, std::size_t size, ImageType type, DecodedImage* out) {
  const std::lock_guard<std::mutex> lock(DecoderMutex());
  InitOnce();
  Succeeded();
  const BoundImage image;
  if (!ilLoadL(ToDevil(type), data, static_cast<ILuint>(size)) || !Succeeded()) return false;
  if (!ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE) || !Succeeded()) return false;
  const ILint width = ilGetInteger(IL_IMAGE_WIDTH);
  const ILint height = ilGetInteger(IL_IMAGE_HEIGHT);
  const ILubyte* rgba = ilGetData();
  if (!Succeeded() || !rgba || width <= 0 || height <= 0) return false;
  const bool bottomUp = ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_LOWER_LEFT;

  out->width = width;
  out->height = height;
  out->pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (ILint y = 0; y < height; ++y) {
    const ILint sourceRow = bottomUp ? height - 1 - y : y;
    const ILubyte* source = rgba + static_cast<std::size_t>(sourceRow) * static_cast<std::size_t>(width) * 4;
    std::uint32_t* target = out->pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    for (ILint x = 0; x < width; ++x, source += 4) {
      target[x] = std::uint32_t{source[3]} << 24 | std::uint32_t{source[0]} << 16 | std::uint32_t{source[1]} << 8 |
                  std::uint32_t{source[2]};
    }
  }
  return true;
}

}  // namespace

bool DecodeImage(const std::uint8_t* data, std::size_t size, ImageType type, int maxSide, DecodedImage* out,
                 std::string* error) {
  if (!data || size == 0 || size > std::numeric_limits<ILuint>::max()) {
    *error = "empty or too large";
    return false;
  }
  if (!CheckHeader(data, size, type, maxSide, error)) return false;
  bool decoded = false;
  try {
    decoded = type == ImageType::kPng ? DecodePng(data, size, out) : DecodeWithDevil(data, size, type, out);
  } catch (const std::bad_alloc&) {
    decoded = false;
  }
  if (!decoded) *error = "truncated or damaged";
  return decoded;
}

}  // namespace platform
