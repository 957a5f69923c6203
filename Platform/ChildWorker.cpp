#include "Platform/ChildWorker.h"

#include <sys/socket.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <utility>

namespace platform {
namespace {

// Writes never raise SIGPIPE: a child that died is an answer, not a signal.
bool SendAll(int fd, const void* data, std::size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t sent = send(fd, bytes, size, MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    bytes += sent;
    size -= static_cast<std::size_t>(sent);
  }
  return true;
}

bool ReceiveAll(int fd, void* data, std::size_t size) {
  auto* bytes = static_cast<char*>(data);
  while (size > 0) {
    const ssize_t got = recv(fd, bytes, size, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    bytes += got;
    size -= static_cast<std::size_t>(got);
  }
  return true;
}

// A message is its length, in the machine's byte order, then its bytes.
bool SendMessage(int fd, const std::string& message) {
  const std::uint64_t length = message.size();
  return SendAll(fd, &length, sizeof length) && SendAll(fd, message.data(), message.size());
}

// The child is this program's own copy, so a length is never hostile; the
// limit only keeps a damaged stream from asking for all memory.
constexpr std::uint64_t kMaxMessageBytes = std::uint64_t{1} << 30;

std::optional<std::string> ReceiveMessage(int fd) {
  std::uint64_t length = 0;
  if (!ReceiveAll(fd, &length, sizeof length) || length > kMaxMessageBytes) return std::nullopt;
  std::string message(length, '\0');
  if (!ReceiveAll(fd, message.data(), message.size())) return std::nullopt;
  return message;
}

constexpr int kAnswerSeconds = 60;

}  // namespace

ChildWorker::ChildWorker(Handler handler) : handler_(std::move(handler)) {}

ChildWorker::~ChildWorker() { stop(); }

bool ChildWorker::start() {
  int channel[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, channel) != 0) return false;
  const pid_t child = fork();
  if (child < 0) {
    close(channel[0]);
    close(channel[1]);
    return false;
  }
  if (child == 0) {
    close(channel[0]);
    serve(channel[1]);
  }
  close(channel[1]);
  // A request that makes the function run on and on fails like a crash, and
  // so does a child that hangs before reading a request too big for the
  // socket's buffer.
  const timeval limit{kAnswerSeconds, 0};
  setsockopt(channel[0], SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  setsockopt(channel[0], SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
  child_ = child;
  channel_ = channel[0];
  owner_ = getpid();
  return true;
}

// A crash ends the child at once, without the handlers of this program that
// would report it as the program's own; leaving skips everything the parent
// would run at exit.
void ChildWorker::serve(int channel) {
  for (int deadly : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) std::signal(deadly, SIG_DFL);
  // An exception must not unwind into the caller's frames, which would go on
  // running the program in the child as a second copy of it.
  try {
    while (std::optional<std::string> request = ReceiveMessage(channel))
      if (!SendMessage(channel, handler_(*request))) break;
  } catch (...) {
    _exit(1);
  }
  _exit(0);
}

// A child that was already running may have gone for reasons of its own
// since the last call: the request is then given once more to a new one.
std::optional<std::string> ChildWorker::call(const std::string& request) {
  // A copy of this process made by fork shares the channel with its owner:
  // it gets a child of its own rather than talking over the owner's calls.
  if (child_ >= 0 && getpid() != owner_) stop();
  for (int attempt = 0; attempt < 2; ++attempt) {
    const bool fresh = child_ < 0;
    if (fresh && !start()) return std::nullopt;
    std::optional<std::string> answer;
    if (SendMessage(channel_, request)) answer = ReceiveMessage(channel_);
    if (answer) return answer;
    stop();
    if (fresh) break;
  }
  return std::nullopt;
}

// The child holds nothing of value, and one that is still busy would never
// read the end of its channel.
void ChildWorker::stop() {
  if (child_ < 0) return;
  close(channel_);
  // A copy of this process made by fork leaves the child to its owner and
  // only lets go of its own end of the channel.
  if (getpid() == owner_) {
    kill(child_, SIGKILL);
    int status = 0;
    while (waitpid(child_, &status, 0) < 0 && errno == EINTR) {
    }
  }
  child_ = -1;
  channel_ = -1;
}

}  // namespace platform
