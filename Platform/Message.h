#pragma once

#include <cstdint>

namespace platform {

using WindowId = std::uint32_t;

// What a window is told, in the shape the window code expects of a desktop
// message queue. Points are client coordinates.
enum class MessageType {
  kActivateApp,  // flag: the application became active
  kSize,         // flag: minimized
  kMove,         // x, y: the window's new position
  kClose,
  kKeyDown,      // virtualKey; character: 13, 8, 9 or 27 for the keys that type them
  kKeyUp,        // virtualKey
  kCharacter,    // character: one UTF-16 unit of typed text
  kMouseMove,
  kMouseDown,    // button: 1 left, 3 right
  kMouseUp,
  kMouseDoubleClick,
  kMouseWheel,   // delta: 120 per notch, away from the user positive
  kMouseLeave,
};

struct Message {
  WindowId window = 0;
  MessageType type = MessageType::kClose;
  int x = 0;
  int y = 0;
  int button = 0;
  int delta = 0;
  int virtualKey = 0;
  char16_t character = 0;
  bool flag = false;
};

class MessageHandler {
 public:
  virtual ~MessageHandler() = default;
  virtual void HandleMessage(const Message& message) = 0;
};

}  // namespace platform
