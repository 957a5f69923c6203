#include "Platform/GraphicsContext.h"

#include <SDL.h>
#include <epoxy/gl.h>

namespace platform {

std::shared_ptr<GraphicsContext> GraphicsContext::Create(SDL_Window* window) {
  if (!window) return nullptr;
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (!context) return nullptr;
  if (SDL_GL_MakeCurrent(window, context) != 0 || epoxy_gl_version() < 33 || epoxy_is_desktop_gl() == 0) {
    SDL_GL_DeleteContext(context);
    return nullptr;
  }
  // Frames are not tied to the display's refresh: the main loop has no cap.
  SDL_GL_SetSwapInterval(0);
  return std::shared_ptr<GraphicsContext>(new GraphicsContext(window, context));
}

GraphicsContext::~GraphicsContext() { SDL_GL_DeleteContext(context_); }

void GraphicsContext::GetDrawableSize(int* width, int* height) const { SDL_GL_GetDrawableSize(window_, width, height); }

void GraphicsContext::Swap() { SDL_GL_SwapWindow(window_); }

}  // namespace platform
