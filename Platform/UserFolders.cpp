#include "Platform/UserFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace platform {

namespace {

std::optional<std::string> AbsoluteVariable(const char* name) {
  const char* value = std::getenv(name);
  if (!value || value[0] != '/') return std::nullopt;
  return std::string(value);
}

}  // namespace

std::optional<std::string> ExecutablePath() {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return std::nullopt;
    if (static_cast<std::size_t>(length) < buffer.size()) return std::string(buffer.data(), static_cast<std::size_t>(length));
    // The path may have been cut to the buffer: try again with a larger one.
    if (buffer.size() >= (1u << 16)) return std::nullopt;
    buffer.resize(buffer.size() * 2);
  }
}

std::optional<std::string> ApplicationDataFolder() {
  if (auto folder = AbsoluteVariable("XDG_DATA_HOME")) return folder;
  if (auto home = AbsoluteVariable("HOME")) return *home + "/.local/share";
  return std::nullopt;
}

std::optional<std::string> DocumentsFolder() {
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) return std::nullopt;
  if (!found->pw_dir || found->pw_dir[0] != '/') return std::nullopt;
  return std::string(found->pw_dir);
}

}  // namespace platform
