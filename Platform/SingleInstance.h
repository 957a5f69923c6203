#pragma once

#include <string>

namespace platform {

// Only one copy of the program runs per user. The first holds a lock file and
// listens for later copies, which ask it to show its window and then end.
class SingleInstance {
 public:
  enum class Claim { kAcquired, kHeldByAnother, kUnavailable };

  SingleInstance() = default;
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // kHeldByAnother when another process (or another holder in this one) has
  // the lock; kUnavailable when the lock file cannot be opened at all.
  Claim Acquire(const std::string& lockPath);
  bool IsHeld() const { return lockFile_ >= 0; }
  // Asks the holder of the lock to bring its window back.
  static bool AskHolderToRestore(const std::string& lockPath);
  // True once for each request that arrived since the last call.
  bool TakeRestoreRequest();

 private:
  void Release();

  int lockFile_ = -1;
  int listener_ = -1;
};

}  // namespace platform
