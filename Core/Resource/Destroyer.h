#pragma once

namespace resource {

// Something the manager frees when it is destroyed: the cache of one resource
// type.
class Destroyer {
 public:
  virtual ~Destroyer() = default;
};

}  // namespace resource
