#include "tests/Support/SyntheticEvents.h"

#include <SDL.h>

#include <cstring>

namespace testing_support {

void PostKey(std::uint32_t window, int scancode, bool down, bool repeat) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.windowID = window;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.repeat = repeat ? 1 : 0;
  event.key.keysym.scancode = static_cast<SDL_Scancode>(scancode);
  SDL_PushEvent(&event);
}

void PostText(std::uint32_t window, const char* utf8) {
  SDL_Event event{};
  event.type = SDL_TEXTINPUT;
  event.text.windowID = window;
  std::strncpy(event.text.text, utf8, sizeof event.text.text - 1);
  SDL_PushEvent(&event);
}

void PostWindowEvent(std::uint32_t window, int kind) {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.windowID = window;
  event.window.event = static_cast<Uint8>(kind);
  SDL_PushEvent(&event);
}

void PostMouseMove(std::uint32_t window, int x, int y) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.windowID = window;
  event.motion.x = x;
  event.motion.y = y;
  SDL_PushEvent(&event);
}

void PostMouseButton(std::uint32_t window, int x, int y, bool left, bool down, int clicks) {
  SDL_Event event{};
  event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  event.button.windowID = window;
  event.button.button = left ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT;
  event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.button.clicks = static_cast<Uint8>(clicks);
  event.button.x = x;
  event.button.y = y;
  SDL_PushEvent(&event);
}

void PostWheel(std::uint32_t window, int x, int y, int notches) {
  SDL_Event event{};
  event.type = SDL_MOUSEWHEEL;
  event.wheel.windowID = window;
  event.wheel.y = notches;
  event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
  event.wheel.mouseX = x;
  event.wheel.mouseY = y;
  SDL_PushEvent(&event);
}

void PostQuit() {
  SDL_Event event{};
  event.type = SDL_QUIT;
  SDL_PushEvent(&event);
}

}  // namespace testing_support
