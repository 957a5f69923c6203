#include "Platform/MessageBox.h"

#include <SDL.h>

#include "Platform/DebugOutput.h"

namespace platform {

void ShowErrorBox(const std::string& caption, const std::string& text) {
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), nullptr) != 0)
    WriteDebugText(caption + ": " + text + "\n");
}

}  // namespace platform
