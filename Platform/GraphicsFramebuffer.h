#pragma once

#include "Platform/GraphicsContext.h"

namespace platform {

// A GL framebuffer the device draws into. Row 0 of its storage holds the top
// row of the picture, so GL pixel coordinates equal the renderer's.
class GraphicsFramebuffer {
 public:
  // Over level 0 of a colour texture; without a texture, with its own colour
  // and 24-bit depth + 8-bit stencil storage (the back buffer).
  GraphicsFramebuffer(ContextLink context, int width, int height, unsigned colorTexture = 0);
  ~GraphicsFramebuffer();
  GraphicsFramebuffer(const GraphicsFramebuffer&) = delete;
  GraphicsFramebuffer& operator=(const GraphicsFramebuffer&) = delete;

  bool IsComplete() const { return complete_; }
  unsigned GetName() const { return framebuffer_; }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }

 private:
  ContextLink context_;
  int width_;
  int height_;
  unsigned framebuffer_ = 0;
  unsigned colorStorage_ = 0;
  unsigned depthStencil_ = 0;
  bool complete_ = false;
};

}  // namespace platform
