#include "Platform/GraphicsTexture.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <bit>
#include <utility>

#include "Platform/GraphicsStates.h"

namespace platform {
namespace {

// Uploads bind here so that the textures of the stages stay as the device set them.
constexpr GLenum kUploadUnit = GL_TEXTURE0 + kTextureStages;

GLenum CompressedFormat(TextureFormat format) {
  switch (format) {
    case TextureFormat::kDxt1:
      return GL_COMPRESSED_RGBA_S3TC_DXT1_EXT;  // index 3 of a three-colour block is transparent
    case TextureFormat::kDxt3: return GL_COMPRESSED_RGBA_S3TC_DXT3_EXT;
    case TextureFormat::kDxt5: return GL_COMPRESSED_RGBA_S3TC_DXT5_EXT;
    case TextureFormat::kArgb8: break;
  }
  return 0;
}

int FullChainLevels(int width, int height) { return std::bit_width(static_cast<unsigned>(std::max(width, height))); }

}  // namespace

GraphicsTexture::GraphicsTexture(ContextLink context, int width, int height, int levels, TextureFormat format)
    : context_(std::move(context)),
      width_(width),
      height_(height),
      levels_(levels),
      format_(format),
      written_(static_cast<std::size_t>(levels)) {
  glGenTextures(1, &name_);
}

GraphicsTexture::~GraphicsTexture() {
  target_.reset();
  if (!context_.expired()) glDeleteTextures(1, &name_);
}

std::unique_ptr<GraphicsTexture> GraphicsTexture::Create(ContextLink context, int width, int height, int levels,
                                                         TextureFormat format) {
  GLint maxSize = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
  if (width <= 0 || height <= 0 || width > maxSize || height > maxSize) return nullptr;
  if (levels < 1 || levels > FullChainLevels(width, height)) return nullptr;
  std::unique_ptr<GraphicsTexture> texture(new GraphicsTexture(std::move(context), width, height, levels, format));
  texture->Bind();
  // Compressed levels get their storage with their data at Unlock.
  if (format == TextureFormat::kArgb8) {
    for (int level = 0; level < levels; ++level) {
      glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, LevelExtent(width, level), LevelExtent(height, level), 0, GL_BGRA,
                   GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
    }
  }
  texture->UpdateMaxLevel();
  return texture;
}

std::unique_ptr<GraphicsTexture> GraphicsTexture::CreateTarget(ContextLink context, int width, int height) {
  auto texture = Create(context, width, height, 1, TextureFormat::kArgb8);
  if (!texture) return nullptr;
  texture->written_[0] = true;
  texture->UpdateMaxLevel();
  texture->target_ = std::make_unique<GraphicsFramebuffer>(std::move(context), width, height, texture->name_);
  if (!texture->target_->IsComplete()) return nullptr;
  return texture;
}

bool GraphicsTexture::Lock(int level, LockedLevel* out) {
  if (target_ || lockedLevel_ >= 0 || level < 0 || level >= levels_) return false;
  const int width = LevelExtent(width_, level);
  staging_.assign(LevelBytes(format_, width, LevelExtent(height_, level)), 0);
  lockedLevel_ = level;
  out->bits = staging_.data();
  out->pitch = RowPitch(format_, width);
  return true;
}

bool GraphicsTexture::Unlock(int level) {
  if (level != lockedLevel_ || level < 0) return false;
  const int width = LevelExtent(width_, level);
  const int height = LevelExtent(height_, level);
  Bind();
  if (format_ == TextureFormat::kArgb8) {
    glTexSubImage2D(GL_TEXTURE_2D, level, 0, 0, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, staging_.data());
  } else {
    glCompressedTexImage2D(GL_TEXTURE_2D, level, CompressedFormat(format_), width, height, 0,
                           static_cast<GLsizei>(staging_.size()), staging_.data());
  }
  written_[static_cast<std::size_t>(level)] = true;
  UpdateMaxLevel();
  lockedLevel_ = -1;
  std::vector<std::uint8_t>().swap(staging_);
  return true;
}

void GraphicsTexture::Bind() const {
  glActiveTexture(kUploadUnit);
  glBindTexture(GL_TEXTURE_2D, name_);
}

// A mip filter over levels that were never written would sample black.
void GraphicsTexture::UpdateMaxLevel() {
  const auto firstMissing = std::find(written_.begin(), written_.end(), false);
  const auto written = static_cast<int>(firstMissing - written_.begin());
  Bind();
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, std::max(0, written - 1));
}

}  // namespace platform
