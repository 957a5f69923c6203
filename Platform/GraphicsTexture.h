#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "Platform/GraphicsContext.h"
#include "Platform/GraphicsFormats.h"
#include "Platform/GraphicsFramebuffer.h"

namespace platform {

struct LockedLevel {
  void* bits = nullptr;
  int pitch = 0;  // bytes from one row (of pixels or of blocks) to the next
};

// A 2D texture with mip levels, filled level by level through Lock/Unlock,
// or a render target the device draws into. Rows are stored top row first,
// so texture coordinate v = 0 is the top edge.
class GraphicsTexture {
 public:
  ~GraphicsTexture();
  GraphicsTexture(const GraphicsTexture&) = delete;
  GraphicsTexture& operator=(const GraphicsTexture&) = delete;

  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  int GetLevels() const { return levels_; }
  TextureFormat GetFormat() const { return format_; }
  bool IsRenderTarget() const { return target_ != nullptr; }

  // Hands out the level for writing in full: what it held before is not read
  // back. Fails on a render target, on a level out of range, and while a
  // level is locked.
  bool Lock(int level, LockedLevel* out);
  // Uploads the level; sampling uses the levels written from 0 on.
  bool Unlock(int level);

 private:
  friend class GraphicsDevice;
  GraphicsTexture(ContextLink context, int width, int height, int levels, TextureFormat format);

  static std::unique_ptr<GraphicsTexture> Create(ContextLink context, int width, int height, int levels,
                                                 TextureFormat format);
  static std::unique_ptr<GraphicsTexture> CreateTarget(ContextLink context, int width, int height);
  void Bind() const;
  void UpdateMaxLevel();

  ContextLink context_;
  int width_;
  int height_;
  int levels_;
  TextureFormat format_;
  unsigned name_ = 0;
  std::unique_ptr<GraphicsFramebuffer> target_;
  std::vector<bool> written_;
  std::vector<std::uint8_t> staging_;
  int lockedLevel_ = -1;
};

}  // namespace platform
