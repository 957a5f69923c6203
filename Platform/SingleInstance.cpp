#include "Platform/SingleInstance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <iomanip>
#include <sstream>

namespace platform {

namespace {

// The listening socket lives in the abstract namespace, named after the lock
// file, so nothing is left on the disk and long paths do not matter.
socklen_t SocketAddress(const std::string& lockPath, sockaddr_un& address) {
  std::ostringstream name;
  name << "lanternfall-instance-" << std::hex << std::setw(16) << std::setfill('0')
       << std::hash<std::string>{}(lockPath);
  const std::string text = name.str();
  address = {};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path + 1, text.data(), text.size());
  return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + text.size());
}

}  // namespace

SingleInstance::~SingleInstance() { Release(); }

void SingleInstance::Release() {
  if (listener_ >= 0) ::close(listener_);
  if (lockFile_ >= 0) ::close(lockFile_);
  listener_ = lockFile_ = -1;
}

SingleInstance::Claim SingleInstance::Acquire(const std::string& lockPath) {
  Release();
  lockFile_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (lockFile_ < 0) return Claim::kUnavailable;
  if (::flock(lockFile_, LOCK_EX | LOCK_NB) != 0) {
    Release();
    return Claim::kHeldByAnother;
  }
  // Without the socket the lock still keeps other copies out; they just
  // cannot call this one to the front.
  sockaddr_un address;
  const socklen_t length = SocketAddress(lockPath, address);
  listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (listener_ >= 0 && (::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
                         ::listen(listener_, 4) != 0)) {
    ::close(listener_);
    listener_ = -1;
  }
  return Claim::kAcquired;
}

bool SingleInstance::AskHolderToRestore(const std::string& lockPath) {
  sockaddr_un address;
  const socklen_t length = SocketAddress(lockPath, address);
  const int connection = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (connection < 0) return false;
  const bool sent = ::connect(connection, reinterpret_cast<sockaddr*>(&address), length) == 0;
  ::close(connection);
  return sent;
}

bool SingleInstance::TakeRestoreRequest() {
  if (listener_ < 0) return false;
  bool requested = false;
  for (int connection; (connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0;) {
    ::close(connection);
    requested = true;
  }
  return requested;
}

}  // namespace platform
