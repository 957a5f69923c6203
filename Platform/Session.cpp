#include "Platform/Session.h"

#include <SDL.h>

namespace platform {

bool Startup() { return SDL_Init(SDL_INIT_EVENTS) == 0; }

void Shutdown() {
  SDL_Quit();
}

}  // namespace platform
