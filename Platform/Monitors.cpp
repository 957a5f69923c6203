#include "Platform/Monitors.h"

#include <SDL.h>

#include "Platform/Video.h"

namespace platform {

namespace {

std::optional<std::vector<MonitorBounds>>& Overridden() {
  static std::optional<std::vector<MonitorBounds>> monitors;
  return monitors;
}

}  // namespace

void OverrideMonitors(std::optional<std::vector<MonitorBounds>> monitors) { Overridden() = std::move(monitors); }

std::vector<MonitorBounds> ListMonitors() {
  if (Overridden()) return *Overridden();
  std::vector<MonitorBounds> monitors;
  if (!EnsureVideo()) return monitors;
  const int count = SDL_GetNumVideoDisplays();
  for (int i = 0; i < count; ++i) {
    SDL_Rect bounds;
    SDL_Rect usable;
    if (SDL_GetDisplayBounds(i, &bounds) != 0) break;
    if (SDL_GetDisplayUsableBounds(i, &usable) != 0) usable = bounds;
    // SDL numbers the primary display first.
    monitors.push_back({bounds.x, bounds.y, bounds.w, bounds.h, usable.x, usable.y, usable.w, usable.h, i == 0});
  }
  return monitors;
}

}  // namespace platform
