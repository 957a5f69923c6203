#pragma once

#include <cstdint>

#include "Core/Base/WString.h"
#include "Core/Layer/Layer.h"
#include "Core/Render/DrawParam.h"

namespace base {
class ImageInfo;
}

namespace file {
class ImageContainer;
}

namespace render {
class Image;
class Render;
}  // namespace render

namespace layer {

// One image, its anchor corner at the layer's origin; the mouse hits only
// its opaque pixels.
class ImageLayer : public Layer {
 public:
  ImageLayer();
  ~ImageLayer() override;

  // A new layer owning the image of that name (a layer of the layout when
  // one is given), placed at the image's layout rectangle; description, when
  // given, receives the image's. The load's failure is returned.
  static QLResultEnum Create(render::Render& render, const base::WString& name, file::ImageContainer* container,
                             ImageLayer** out, base::ImageInfo* description = nullptr);

  render::Image* GetImage() const { return image_; }
  // An owned previous image is deleted; an owned new one goes with the layer.
  void SetImage(render::Image* image, bool owns);
  std::int32_t GetAnchorX() const { return anchorX_; }
  std::int32_t GetAnchorY() const { return anchorY_; }
  void SetAnchor(std::int32_t anchorX, std::int32_t anchorY);

  QLResultEnum Draw(render::Graphics* graphics) override;
  void UpdateLocalBounds() override;
  bool HitTestPoint(const math::Point3& local) const override;
  // The image pixel that a point of the layer's space tests; false without
  // an image or outside it.
  bool PixelAt(const math::Point3& local, int& x, int& y) const;

 private:
  render::Image* image_ = nullptr;
  bool ownsImage_ = false;
  std::int32_t anchorX_ = render::kAnchorLeft;
  std::int32_t anchorY_ = render::kAnchorTop;
};

}  // namespace layer
