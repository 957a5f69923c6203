#include "Framework/ScreenModeListeners.h"

namespace framework {

std::map<const void*, ScreenModeListeners::Callback>& ScreenModeListeners::Registry() {
  static std::map<const void*, Callback> registry;
  return registry;
}

void ScreenModeListeners::Add(const void* listener, Callback callback) { Registry()[listener] = std::move(callback); }

void ScreenModeListeners::Remove(const void* listener) { Registry().erase(listener); }

void ScreenModeListeners::Broadcast(bool windowed) {
  const std::map<const void*, Callback> listeners = Registry();
  for (const auto& [listener, callback] : listeners) {
    if (callback) callback->Invoke(windowed);
  }
}

}  // namespace framework
