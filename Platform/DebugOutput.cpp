#include "Platform/DebugOutput.h"

#include <cerrno>
#include <unistd.h>

namespace platform {

void WriteDebugText(std::string_view utf8) {
  while (!utf8.empty()) {
    const ssize_t put = ::write(STDERR_FILENO, utf8.data(), utf8.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return;
    utf8.remove_prefix(static_cast<std::size_t>(put));
  }
}

}  // namespace platform
