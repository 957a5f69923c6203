#pragma once

#include <memory>

struct SDL_Window;

namespace platform {

// The OpenGL context of one window, current from creation to destruction.
// Device objects hold it weakly: one that outlives it has nothing left to
// free, and must not call GL any more.
class GraphicsContext {
 public:
  // Null when the window cannot get a GL 3.3 core context.
  static std::shared_ptr<GraphicsContext> Create(SDL_Window* window);
  ~GraphicsContext();
  GraphicsContext(const GraphicsContext&) = delete;
  GraphicsContext& operator=(const GraphicsContext&) = delete;

  SDL_Window* GetWindow() const { return window_; }
  void GetDrawableSize(int* width, int* height) const;
  void Swap();

 private:
  GraphicsContext(SDL_Window* window, void* context) : window_(window), context_(context) {}

  SDL_Window* window_;
  void* context_;
};

using ContextLink = std::weak_ptr<GraphicsContext>;

}  // namespace platform
