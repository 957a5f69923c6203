#pragma once

#include "Core/Resource/Resource.h"
#include "Platform/Audio/AudioTypes.h"

namespace resource {

// A sound file decoded whole into a sample, shared by every sound made from
// the same path.
class ResourceSound : public Resource {
 public:
  ~ResourceSound() override;

  QLResultEnum Release() override;

  // 0 until loaded.
  platform::AudioSample GetSample() const { return sample_; }

 protected:
  QLResultEnum DoLoad() override;
  QLResultEnum DoUnload() override;

 private:
  platform::AudioSample sample_ = 0;
};

}  // namespace resource
