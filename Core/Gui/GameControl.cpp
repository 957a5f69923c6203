#include "Core/Gui/GameControl.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "Core/Layer/ImageLayer.h"

namespace gui {

namespace {

void DetachAndDelete(layer::Layer* layer) {
  if (layer::Layer* parent = layer->GetParent()) parent->RemoveChild(layer);
  delete layer;
}

// Toward zero, as the layout's integer rectangles are; a value beyond the
// integers, or none at all, gives its nearest integer, or 0.
std::int32_t Truncate(float value) {
  if (!(value == value)) return 0;
  const double clamped = std::clamp(static_cast<double>(value), -2147483648.0, 2147483647.0);
  return static_cast<std::int32_t>(clamped);
}

}  // namespace

IntRect Union(const IntRect& a, const IntRect& b) {
  // In 64 bits, so that far corners cannot overflow.
  const std::int64_t left = std::min(a.x, b.x);
  const std::int64_t top = std::min(a.y, b.y);
  const std::int64_t right = std::max(std::int64_t{a.x} + a.width, std::int64_t{b.x} + b.width);
  const std::int64_t bottom = std::max(std::int64_t{a.y} + a.height, std::int64_t{b.y} + b.height);
  const auto size = [](std::int64_t extent) {
    return static_cast<std::int32_t>(std::min<std::int64_t>(extent, INT32_MAX));
  };
  return {static_cast<std::int32_t>(left), static_cast<std::int32_t>(top), size(right - left), size(bottom - top)};
}

GameControl::~GameControl() {
  for (int i = 0; i < stateCount_; ++i) {
    if (stateImages_[i]) DetachAndDelete(std::exchange(stateImages_[i], nullptr));
  }
}

QLResultEnum GameControl::SetStateImage(int index, const base::WString& name, layer::ImageLayer** out) {
  if (name.empty()) return QL_OK;
  if (index < 0 || index >= stateCount_) return QL_FAIL;
  math::Rect rect;
  layer::ImageLayer* image = nullptr;
  if (const QLResultEnum result = LoadImageLayer(name, rect, image)) return result;
  if (out) *out = image;
  return PutStateImage(index, image, rect);
}

QLResultEnum GameControl::PutStateImage(int index, layer::Layer* image, const math::Rect& rect) {
  if (index < 0 || index >= stateCount_) {
    delete image;
    return QL_FAIL;
  }
  if (stateImages_[index] && stateImages_[index] != image) DetachAndDelete(stateImages_[index]);
  stateImages_[index] = image;
  const IntRect added{Truncate(rect.x), Truncate(rect.y), Truncate(rect.width), Truncate(rect.height)};
  bounds_ = boundsSet_ ? Union(bounds_, added) : added;
  boundsSet_ = true;
  return QL_OK;
}

QLResultEnum GameControl::AttachImagesCentered() {
  const float cx = std::floor(static_cast<float>(bounds_.x) + static_cast<float>(bounds_.width) * 0.5f);
  const float cy = std::floor(static_cast<float>(bounds_.y) + static_cast<float>(bounds_.height) * 0.5f);
  SetPosition(cx, cy, 0.0f);
  for (int i = 0; i < stateCount_; ++i) {
    layer::Layer* image = stateImages_[i];
    if (!image) continue;
    const math::Point3& position = image->GetPosition();
    image->SetPosition(position.x - cx, position.y - cy, position.z);
    AddChild(image);
  }
  return QL_OK;
}

}  // namespace gui
