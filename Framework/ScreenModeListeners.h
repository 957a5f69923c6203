#pragma once

#include <map>

#include "Core/Base/Delegate.h"
#include "Core/Base/SharedRef.h"

namespace framework {

// Whoever wants to hear that the screen mode changed, by listener object.
class ScreenModeListeners {
 public:
  using Callback = base::SharedRef<base::Delegate1<bool, void>>;

  static void Add(const void* listener, Callback callback);
  static void Remove(const void* listener);
  // Walks a copy: a callback may add or remove listeners while it runs.
  static void Broadcast(bool windowed);

 private:
  static std::map<const void*, Callback>& Registry();
};

}  // namespace framework
