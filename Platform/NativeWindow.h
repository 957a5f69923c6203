#pragma once

#include <string>

#include "Platform/Message.h"

struct SDL_Window;

namespace platform {

// The one top-level window, made for an OpenGL 3.3 core context. Windowed it
// has a caption and cannot be resized; full screen it covers its display.
class NativeWindow {
 public:
  NativeWindow() = default;
  ~NativeWindow();
  NativeWindow(const NativeWindow&) = delete;
  NativeWindow& operator=(const NativeWindow&) = delete;

  bool Create(const std::string& title, int x, int y, int width, int height, bool windowed);
  void Destroy();
  bool IsCreated() const { return window_ != nullptr; }
  // Hides the window and stops its messages. The window itself stays until
  // Destroy, because a graphics device may still draw on its surface while it
  // releases what it holds.
  void Close();
  bool IsOpen() const { return window_ != nullptr && !closed_; }
  WindowId GetId() const;
  SDL_Window* GetHandle() const { return window_; }

  void SetMode(int x, int y, int width, int height, bool windowed);
  void SetBounds(int x, int y, int width, int height);
  void Show();
  void Hide();
  // Brings a minimised window back and in front.
  void Restore();

 private:
  SDL_Window* window_ = nullptr;
  bool closed_ = false;
};

}  // namespace platform
