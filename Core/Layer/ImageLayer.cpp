#include "Core/Layer/ImageLayer.h"

#include <cmath>
#include <memory>

#include "Core/Layer/LayerDrawState.h"
#include "Core/Render/Graphics.h"
#include "Core/Base/ImageInfo.h"
#include "Core/Render/Image.h"
#include "Core/Render/Render.h"

namespace layer {

namespace {

// The range an anchored extent covers on one axis; false for an anchor that
// names no range.
bool AnchoredRange(std::int32_t anchor, float extent, float& low, float& high) {
  switch (anchor) {
    case render::kAnchorLeft:
      low = 0.0f;
      high = extent;
      return true;
    case render::kAnchorRight:
      low = -extent;
      high = 0.0f;
      return true;
    case render::kAnchorCenter:
      low = -0.5f * extent;
      high = 0.5f * extent;
      return true;
    default:
      return false;
  }
}

// A coordinate relative to the anchor into one measured from the image's
// left or top edge.
float FromAnchor(std::int32_t anchor, float value, float extent) {
  if (anchor == render::kAnchorRight) return value + extent;
  if (anchor == render::kAnchorCenter) return value + 0.5f * extent;
  return value;
}

}  // namespace

ImageLayer::ImageLayer() { SetOwnExtent(true); }

QLResultEnum ImageLayer::Create(render::Render& render, const base::WString& name, file::ImageContainer* container,
                               ImageLayer** out, base::ImageInfo* description) {
  std::unique_ptr<render::Image> image;
  base::ImageInfo info;
  if (const QLResultEnum result = render.CreateImage(name, container, &image, &info)) return result;
  auto* layer = new ImageLayer;
  layer->SetImage(image.release(), true);
  layer->SetPosition(info.rect.x, info.rect.y, 0.0f);
  *out = layer;
  if (description) *description = info;
  return QL_OK;
}

ImageLayer::~ImageLayer() {
  if (ownsImage_) delete image_;
}

void ImageLayer::SetImage(render::Image* image, bool owns) {
  if (ownsImage_ && image_ != image) delete image_;
  image_ = image;
  ownsImage_ = owns;
  MarkLocalBoundsStale();
}

void ImageLayer::SetAnchor(std::int32_t anchorX, std::int32_t anchorY) {
  anchorX_ = anchorX;
  anchorY_ = anchorY;
  MarkLocalBoundsStale();
}

QLResultEnum ImageLayer::Draw(render::Graphics* graphics) {
  if (!image_ || !graphics) return QL_OK;
  LayerDrawState state(*graphics, *this, GetEffectiveAlpha(),
                       IsAdditive() ? render::kBlendAdditive : render::kBlendAlpha);
  auto draw = graphics->DrawImage(image_);
  draw->anchorX = anchorX_;
  draw->anchorY = anchorY_;
  return QL_OK;
}

void ImageLayer::UpdateLocalBounds() {
  if (!image_) return;
  math::AABB& bounds = LocalBounds();
  AnchoredRange(anchorX_, static_cast<float>(image_->GetWidth()), bounds.min.x, bounds.max.x);
  AnchoredRange(anchorY_, static_cast<float>(image_->GetHeight()), bounds.min.y, bounds.max.y);
  bounds.min.z = 0.0f;
  bounds.max.z = 0.0f;
}

bool ImageLayer::HitTestPoint(const math::Point3& local) const {
  int x = 0;
  int y = 0;
  return image_ && PixelAt(local, x, y) && image_->HitTest(x, y);
}

bool ImageLayer::PixelAt(const math::Point3& local, int& x, int& y) const {
  if (!image_) return false;
  const float width = static_cast<float>(image_->GetWidth());
  const float height = static_cast<float>(image_->GetHeight());
  // The point moves half a pixel and is floored once: rounding it again
  // would move points near a pixel edge onto the neighbour.
  const float px = std::floor(FromAnchor(anchorX_, local.x, width) + 0.5f);
  const float py = std::floor(FromAnchor(anchorY_, local.y, height) + 0.5f);
  if (!(px >= 0.0f && px < width && py >= 0.0f && py < height)) return false;
  x = static_cast<int>(px);
  y = static_cast<int>(py);
  return true;
}

}  // namespace layer
