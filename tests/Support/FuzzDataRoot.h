#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tests/Support/DataRoot.h"

namespace fuzz_support {

// The data root of a fuzz target's process: a temporary folder that is the
// current folder from the first input on, as the game's data root is while it
// runs. Readers that only take paths get each input as a file in it.
inline testing_support::DataRoot& FuzzDataRoot() {
  static testing_support::DataRoot root;
  return root;
}

// Replaces the file at relative (below the data root) with the input.
inline void WriteInput(std::string_view relative, const std::uint8_t* data, std::size_t size) {
  FuzzDataRoot().WriteFile(relative, std::string_view(reinterpret_cast<const char*>(data), size));
}

}  // namespace fuzz_support
