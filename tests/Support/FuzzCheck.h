#pragma once

#include <cstdio>
#include <cstdlib>

namespace fuzz_support {

// A promise of the code under test that the input broke: libFuzzer keeps the
// input as a crash.
inline void Check(bool holds, const char* promise) {
  if (holds) return;
  std::fprintf(stderr, "Broken: %s\n", promise);
  std::abort();
}

}  // namespace fuzz_support
