#include "Platform/KeyboardState.h"

#include <algorithm>
#include <iterator>

namespace platform {

namespace {

std::uint8_t keys[256] = {};

bool IsValid(int virtualKey) { return virtualKey >= 0 && virtualKey < 256; }

}  // namespace

bool ReadKeyboardState(std::uint8_t (&state)[256]) {
  std::copy(std::begin(keys), std::end(keys), std::begin(state));
  return true;
}

void SetKeyDown(int virtualKey, bool down) {
  if (IsValid(virtualKey)) keys[virtualKey] = down ? 0x80 : 0;
}

bool IsKeyDown(int virtualKey) { return IsValid(virtualKey) && (keys[virtualKey] & 0x80) != 0; }

void ReleaseAllKeys() { std::fill(std::begin(keys), std::end(keys), 0); }

}  // namespace platform
