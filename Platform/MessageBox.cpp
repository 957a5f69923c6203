#include "Platform/MessageBox.h"

#include <SDL.h>

#include <utility>

#include "Platform/DebugOutput.h"

namespace platform {

namespace {

std::function<void(const std::string&, const std::string&)>& Overridden() {
  static std::function<void(const std::string&, const std::string&)> show;
  return show;
}

}  // namespace

void OverrideErrorBox(std::function<void(const std::string& caption, const std::string& text)> show) {
  Overridden() = std::move(show);
}

void ShowErrorBox(const std::string& caption, const std::string& text) {
  if (Overridden()) {
    Overridden()(caption, text);
    return;
  }
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), nullptr) != 0)
    WriteDebugText(caption + ": " + text + "\n");
}

}  // namespace platform
