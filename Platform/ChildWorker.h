#pragma once

#include <sys/types.h>

#include <functional>
#include <optional>
#include <string>

namespace platform {

// Runs a function on requests in a child process forked from this one, so
// that a crash inside it, such as a third-party parser's on a hostile input,
// costs only that request. The child starts at the first call with a copy of
// everything this process holds at that moment and serves every later call;
// a child that died is replaced at the next call. Main thread only.
class ChildWorker {
 public:
  using Handler = std::function<std::string(const std::string& request)>;

  explicit ChildWorker(Handler handler);
  ~ChildWorker();
  ChildWorker(const ChildWorker&) = delete;
  ChildWorker& operator=(const ChildWorker&) = delete;

  // The handler's answer, or nothing when the child could not be started or
  // did not answer (it crashed on this request).
  std::optional<std::string> call(const std::string& request);

 private:
  bool start();
  void stop();
  [[noreturn]] void serve(int channel);

  Handler handler_;
  pid_t child_ = -1;
  pid_t owner_ = -1;
  int channel_ = -1;
};

}  // namespace platform
