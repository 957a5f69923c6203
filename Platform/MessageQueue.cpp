#include "Platform/MessageQueue.h"

#include <SDL.h>

#include <utf8cpp/utf8.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>
#include <deque>
#include <limits>
#include <map>
#include <utility>

#include "Platform/KeyboardState.h"
#include "Platform/VirtualKeys.h"

namespace platform {

namespace {

struct Queue {
  std::deque<Message> messages;
  std::map<WindowId, MessageHandler*> handlers;
  std::map<WindowId, std::pair<int, int>> pointers;
};

Queue& TheQueue() {
  static Queue queue;
  return queue;
}

void Push(Message message) {
  auto& messages = TheQueue().messages;
  // Like a desktop queue, keep only the newest pointer position of a run of
  // moves, so a fast mouse cannot bury the other messages.
  if (message.type == MessageType::kMouseMove && !messages.empty() &&
      messages.back().type == MessageType::kMouseMove && messages.back().window == message.window) {
    messages.back() = message;
    return;
  }
  messages.push_back(message);
}

Message At(WindowId window, MessageType type, int x = 0, int y = 0) {
  Message message;
  message.window = window;
  message.type = type;
  message.x = x;
  message.y = y;
  return message;
}

Message PointerAt(WindowId window, MessageType type, int x, int y) {
  TheQueue().pointers[window] = {x, y};
  return At(window, type, x, y);
}

char16_t ControlCharacter(SDL_Scancode scancode) {
  switch (scancode) {
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER: return 13;
    case SDL_SCANCODE_BACKSPACE: return 8;
    case SDL_SCANCODE_TAB: return 9;
    case SDL_SCANCODE_ESCAPE: return 27;
    default: return 0;
  }
}

void TranslateWindowEvent(const SDL_WindowEvent& event) {
  const WindowId window = event.windowID;
  Message message = At(window, MessageType::kActivateApp);
  switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
      message.flag = event.event == SDL_WINDOWEVENT_FOCUS_GAINED;
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_RESTORED:
      message.type = MessageType::kSize;
      message.flag = event.event == SDL_WINDOWEVENT_MINIMIZED;
      break;
    case SDL_WINDOWEVENT_MOVED:
      message = At(window, MessageType::kMove, event.data1, event.data2);
      break;
    case SDL_WINDOWEVENT_CLOSE:
      message.type = MessageType::kClose;
      break;
    case SDL_WINDOWEVENT_LEAVE: {
      const auto [x, y] = TheQueue().pointers[window];
      message = At(window, MessageType::kMouseLeave, x, y);
      break;
    }
    default:
      return;
  }
  Push(message);
}

void TranslateText(WindowId window, const char* text) {
  const std::string_view utf8(text);
  std::string valid;
  utf8::replace_invalid(utf8.begin(), utf8.end(), std::back_inserter(valid));
  std::u32string codes;
  utf8::utf8to32(valid.begin(), valid.end(), std::back_inserter(codes));
  for (const char32_t code : codes) {
    // A character outside the basic plane cannot travel as one UTF-16 unit.
    if (code > 0xFFFF) continue;
    Message message = At(window, MessageType::kCharacter);
    message.character = static_cast<char16_t>(code);
    Push(message);
  }
}

int ButtonNumber(Uint8 button) {
  if (button == SDL_BUTTON_LEFT) return 1;
  if (button == SDL_BUTTON_RIGHT) return 3;
  return 0;
}

void Translate(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      // Ending the process asks every window to close.
      for (const auto& [window, handler] : TheQueue().handlers) Push(At(window, MessageType::kClose));
      break;
    case SDL_WINDOWEVENT:
      TranslateWindowEvent(event.window);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const int virtualKey = VirtualKeyFromScancode(event.key.keysym.scancode);
      if (virtualKey == 0) break;
      Message message = At(event.key.windowID, event.type == SDL_KEYDOWN ? MessageType::kKeyDown : MessageType::kKeyUp);
      message.virtualKey = virtualKey;
      if (event.type == SDL_KEYDOWN) message.character = ControlCharacter(event.key.keysym.scancode);
      Push(message);
      break;
    }
    case SDL_TEXTINPUT:
      TranslateText(event.text.windowID, event.text.text);
      break;
    case SDL_MOUSEMOTION:
      Push(PointerAt(event.motion.windowID, MessageType::kMouseMove, event.motion.x, event.motion.y));
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const int button = ButtonNumber(event.button.button);
      if (button == 0) break;
      // The second press of a double click (and of every later pair) is
      // reported as a double click instead of a press.
      const MessageType type = event.type == SDL_MOUSEBUTTONUP ? MessageType::kMouseUp
                               : event.button.clicks % 2 == 0  ? MessageType::kMouseDoubleClick
                                                               : MessageType::kMouseDown;
      Message message = PointerAt(event.button.windowID, type, event.button.x, event.button.y);
      message.button = button;
      Push(message);
      break;
    }
    case SDL_MOUSEWHEEL: {
      const int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
      Message message = PointerAt(event.wheel.windowID, MessageType::kMouseWheel, event.wheel.mouseX, event.wheel.mouseY);
      message.delta = std::clamp(notches * 120, int{std::numeric_limits<std::int16_t>::min()},
                                 int{std::numeric_limits<std::int16_t>::max()});
      Push(message);
      break;
    }
    default:
      break;
  }
}

void Pump() {
  if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return;
  SDL_PumpEvents();
  SDL_Event events[64];
  int count;
  while ((count = SDL_PeepEvents(events, 64, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT)) > 0) {
    for (int i = 0; i < count; ++i) Translate(events[i]);
  }
}

// The keyboard state follows the messages as they are handed out, not as the
// system sees the keys now.
Message HandOut(std::deque<Message>::iterator at) {
  Message message = *at;
  TheQueue().messages.erase(at);
  if (message.type == MessageType::kKeyDown || message.type == MessageType::kKeyUp)
    SetKeyDown(message.virtualKey, message.type == MessageType::kKeyDown);
  if (message.type == MessageType::kActivateApp && !message.flag) ReleaseAllKeys();
  return message;
}

}  // namespace

std::optional<Message> PopMessage(WindowId window) {
  Pump();
  auto& messages = TheQueue().messages;
  const auto found =
      std::find_if(messages.begin(), messages.end(), [window](const Message& m) { return m.window == window; });
  if (found == messages.end()) return std::nullopt;
  return HandOut(found);
}

bool DispatchOneMessage() {
  Pump();
  auto& queue = TheQueue();
  if (queue.messages.empty()) return false;
  const Message message = HandOut(queue.messages.begin());
  const auto handler = queue.handlers.find(message.window);
  if (handler != queue.handlers.end()) handler->second->HandleMessage(message);
  return true;
}

void SetMessageHandler(WindowId window, MessageHandler* handler) {
  if (handler) {
    TheQueue().handlers[window] = handler;
  } else {
    TheQueue().handlers.erase(window);
  }
}

void ForgetWindow(WindowId window) {
  auto& queue = TheQueue();
  std::erase_if(queue.messages, [window](const Message& m) { return m.window == window; });
  queue.handlers.erase(window);
  queue.pointers.erase(window);
}

}  // namespace platform
