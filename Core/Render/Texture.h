#pragma once

#include "Core/Base/NoCopy.h"
#include "Core/Base/Result.h"

namespace render {

class Render;

// A device texture. It stays registered with its Render so that device loss
// and reset reach it: render targets and dynamic textures live in memory the
// device drops.
class Texture : base::NoCopy {
 public:
  explicit Texture(Render* render);
  virtual ~Texture();

  virtual QLResultEnum OnResetDevice() = 0;
  virtual QLResultEnum OnLostDevice() = 0;

  Render* GetRender() const { return render_; }
  // The Render is going: nothing may reach it any more.
  void Detach() { render_ = nullptr; }

 private:
  Render* render_;
};

}  // namespace render
