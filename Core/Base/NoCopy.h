#pragma once

namespace base {

class NoCopy {
 protected:
  NoCopy() = default;
  ~NoCopy() = default;

 public:
  NoCopy(const NoCopy&) = delete;
  NoCopy& operator=(const NoCopy&) = delete;
};

}  // namespace base
