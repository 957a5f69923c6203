#include "Platform/Session.h"

#include <SDL.h>

#include "Platform/ShaderCompiler.h"

namespace platform {

bool Startup() { return SDL_Init(SDL_INIT_EVENTS) == 0; }

void Shutdown() {
  ShutdownShaderCompiler();
  SDL_Quit();
}

}  // namespace platform
