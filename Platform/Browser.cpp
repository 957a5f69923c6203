#include "Platform/Browser.h"

#include <SDL.h>

#include <utility>

#include "Platform/DebugOutput.h"

namespace platform {

namespace {

std::function<void(const std::string&)>& Overridden() {
  static std::function<void(const std::string&)> open;
  return open;
}

}  // namespace

void OverrideUrlOpener(std::function<void(const std::string& url)> open) { Overridden() = std::move(open); }

void OpenUrl(const std::string& url) {
  if (Overridden()) {
    Overridden()(url);
    return;
  }
  if (SDL_OpenURL(url.c_str()) != 0)
    WriteDebugText("The link " + url + " could not be opened: " + SDL_GetError() + "\n");
}

}  // namespace platform
