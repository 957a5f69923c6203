#include "Core/Base/SystemPath.h"

#include <algorithm>

#include "Core/Base/Utf.h"

namespace base {

std::string SystemPath(const WString& path) {
  WString forward = path;
  std::replace(forward.begin(), forward.end(), u'\\', u'/');
  return Utf8FromWideLenient(forward);
}

}  // namespace base
