#include "Platform/NativeWindow.h"

#include <SDL.h>

#include "Platform/MessageQueue.h"
#include "Platform/Video.h"

namespace platform {

NativeWindow::~NativeWindow() { Destroy(); }

bool NativeWindow::Create(const std::string& title, int x, int y, int width, int height, bool windowed) {
  if (window_ || !EnsureVideo()) return false;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  const Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | (windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
  window_ = SDL_CreateWindow(title.c_str(), x, y, width, height, flags);
  return window_ != nullptr;
}

void NativeWindow::Close() {
  if (!IsOpen()) return;
  closed_ = true;
  ForgetWindow(GetId());
  SDL_HideWindow(window_);
}

void NativeWindow::Destroy() {
  if (!window_) return;
  if (!closed_) ForgetWindow(GetId());
  SDL_DestroyWindow(window_);
  window_ = nullptr;
  closed_ = false;
}

WindowId NativeWindow::GetId() const { return window_ ? SDL_GetWindowID(window_) : 0; }

void NativeWindow::SetMode(int x, int y, int width, int height, bool windowed) {
  if (!window_) return;
  SDL_SetWindowFullscreen(window_, windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
  if (windowed) SetBounds(x, y, width, height);
  SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
}

void NativeWindow::SetBounds(int x, int y, int width, int height) {
  if (!window_) return;
  SDL_SetWindowSize(window_, width, height);
  SDL_SetWindowPosition(window_, x, y);
}

void NativeWindow::Show() {
  if (window_) SDL_ShowWindow(window_);
}

void NativeWindow::Hide() {
  if (window_) SDL_HideWindow(window_);
}

void NativeWindow::Restore() {
  if (!window_) return;
  SDL_RestoreWindow(window_);
  SDL_RaiseWindow(window_);
}

}  // namespace platform
