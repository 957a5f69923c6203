#include "Core/Input/Win32/EngineKeyCode.h"

#include <array>

namespace input {

namespace {

// `count` consecutive engine codes on as many consecutive virtual keys.
struct KeyRun {
  int code;
  int virtualKey;
  int count = 1;
};

// In increasing code order: where two codes share a virtual key the higher one
// is reported, so Enter gives the keypad's 271 and VK_OEM_1 the semicolon.
constexpr KeyRun kKeyRuns[] = {
    {8, 8}, {9, 9}, {12, 12}, {13, 13}, {19, 19}, {27, 27}, {32, 32},  // backspace to space
    {48, 0x30, 10},                                                      // digits
    {58, 186}, {59, 186},                                                // colon, semicolon
    {97, 0x41, 26},                                                      // letters
    {127, 46},                                                           // delete
    {256, 0x60, 10},                                                     // keypad digits
    {266, 110}, {267, 111}, {268, 106}, {269, 109}, {270, 107}, {271, 13},  // keypad operators, enter
    {273, 38}, {274, 40}, {275, 39}, {276, 37},                          // up, down, right, left
    {277, 45}, {278, 36}, {279, 35}, {280, 33}, {281, 34},               // insert to page down
    {282, 0x70, 15},                                                     // F1 to F15
    {300, 144}, {301, 20}, {302, 145},                                   // the locks
    {303, 161}, {304, 160}, {305, 163}, {306, 162}, {307, 164}, {308, 165},  // right, left modifiers
    {311, 91}, {312, 92},                                                // Windows keys
    {315, 47}, {316, 42}, {317, 44},                                     // help, print, print screen
};

constexpr std::array<int, 256> BuildCodesByVirtualKey() {
  std::array<int, 256> codes{};
  for (const KeyRun& run : kKeyRuns) {
    for (int i = 0; i < run.count; ++i) codes[run.virtualKey + i] = run.code + i;
  }
  return codes;
}

constexpr std::array<int, 256> kCodesByVirtualKey = BuildCodesByVirtualKey();

}  // namespace

int EngineKeyCode(std::uint8_t virtualKey) { return kCodesByVirtualKey[virtualKey]; }

}  // namespace input
