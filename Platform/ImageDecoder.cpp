#include "Platform/ImageDecoder.h"

#include <IL/il.h>

#include <limits>
#include <mutex>

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
    case ImageType::kPng: return IL_PNG;
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

}  // namespace

bool DecodeImage(const std::uint8_t* data, std::size_t size, ImageType type, DecodedImage* out) {
  if (!data || size == 0 || size > std::numeric_limits<ILuint>::max()) return false;
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

}  // namespace platform
