#pragma once

#include "Core/Base/Result.h"

namespace animation {

// Something that puts itself into the state it has at a time.
class Anim {
 public:
  virtual ~Anim() = default;
  virtual QLResultEnum Apply(float time) = 0;
};

}  // namespace animation
