#pragma once

#include <cstdint>

// Result of every engine operation that can fail. Callers pass any non-zero
// value up unchanged, so codes other than these two may travel through it.
enum QLResultEnum : std::int32_t {
  QL_OK = 0,
  QL_FAIL = 1,
};
