#include "Core/Base/SharedRef.h"

namespace base {

bool DropSharedCount(int* counter) {
  if (!counter || --*counter > 0) return false;
  delete counter;
  return true;
}

}  // namespace base
