#include "Platform/MessageQueue.h"

#include <SDL.h>

namespace platform {

bool DispatchOneMessage() {
  if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return false;
  SDL_Event event;
  return SDL_PollEvent(&event) == 1;
}

}  // namespace platform
