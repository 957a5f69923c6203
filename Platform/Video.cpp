#include "Platform/Video.h"

#include <SDL.h>

namespace platform {

bool EnsureVideo() { return SDL_WasInit(SDL_INIT_VIDEO) != 0 || SDL_InitSubSystem(SDL_INIT_VIDEO) == 0; }

}  // namespace platform
