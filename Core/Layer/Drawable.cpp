#include "Core/Layer/Drawable.h"

#include <limits>
#include <utility>

#include "Core/Base/MathMatrix4.h"
#include "Core/Base/MathScalar.h"

namespace layer {
namespace {

math::AABB BoxAround(const math::Point3* points, int count) {
  math::AABB box = EmptyBox();
  for (int i = 0; i < count; ++i) box.Extend(points[i]);
  return box;
}

// A negative factor mirrors the axis; the two ends are swapped back so that
// the box stays ordered and its layer can still be hit.
void ScaleAxis(float& min, float& max, float factor) {
  if (factor == 1.0f) return;
  min *= factor;
  max *= factor;
  if (min > max) std::swap(min, max);
}

void ShiftAxis(float& min, float& max, float offset) {
  if (offset == 0.0f) return;
  min += offset;
  max += offset;
}

}  // namespace

bool IsRotatedOutOfPlane(const math::Point3& rotation) {
  return math::Abs(rotation.x) > kRotationThreshold || math::Abs(rotation.y) > kRotationThreshold;
}

math::AABB EmptyBox() {
  const float largest = std::numeric_limits<float>::max();
  return {{largest, largest, largest}, {-largest, -largest, -largest}};
}

bool IsEmptyBox(const math::AABB& box) {
  const math::AABB empty = EmptyBox();
  return box.min == empty.min && box.max == empty.max;
}

Drawable::Drawable() : localBounds_(EmptyBox()), subtreeBounds_(EmptyBox()), outerBounds_(EmptyBox()) {}

void Drawable::SetPosition(float x, float y, float z) {
  if (position_.x == x && position_.y == y && position_.z == z) return;
  position_ = {x, y, z};
  PlacementChanged();
}

void Drawable::SetX(float x) { SetPosition(x, position_.y, position_.z); }
void Drawable::SetY(float y) { SetPosition(position_.x, y, position_.z); }
void Drawable::SetZ(float z) { SetPosition(position_.x, position_.y, z); }

void Drawable::SetRotation(float x, float y, float z) {
  if (rotation_.x == x && rotation_.y == y && rotation_.z == z) return;
  rotation_ = {x, y, z};
  PlacementChanged();
}

void Drawable::SetScale(float x, float y, float z) {
  if (scale_.x == x && scale_.y == y && scale_.z == z) return;
  scale_ = {x, y, z};
  PlacementChanged();
}

void Drawable::PlacementChanged() {
  transformChanged_ = true;
  outerBoundsValid_ = false;
}

void Drawable::UpdateTransform(const math::Transform& parent) {
  worldTransform_.Clear();
  if (scale_.x != 1.0f || scale_.y != 1.0f || scale_.z != 1.0f) worldTransform_.Scale(scale_.x, scale_.y, scale_.z);
  if (rotation_.x != 0.0f || rotation_.y != 0.0f || rotation_.z != 0.0f) {
    worldTransform_.Rotate(rotation_.x, rotation_.y, rotation_.z);
  }
  if (position_.x != 0.0f || position_.y != 0.0f || position_.z != 0.0f) {
    worldTransform_.Translate(position_.x, position_.y, position_.z);
  }
  worldTransform_.Combine(parent);
  transformChanged_ = true;
}

void Drawable::ComputeOuterBounds() {
  outerBounds_ = subtreeBounds_;
  if (IsEmptyBox(outerBounds_)) return;
  ScaleAxis(outerBounds_.min.x, outerBounds_.max.x, scale_.x);
  ScaleAxis(outerBounds_.min.y, outerBounds_.max.y, scale_.y);
  ScaleAxis(outerBounds_.min.z, outerBounds_.max.z, scale_.z);

  const math::AABB& box = outerBounds_;
  if (!IsRotatedOutOfPlane(rotation_)) {
    if (math::Abs(rotation_.z) > kRotationThreshold) {
      const float c = math::Cos(rotation_.z), s = math::Sin(rotation_.z);
      math::Point3 corners[] = {{box.min.x, box.min.y, box.min.z},
                                {box.max.x, box.min.y, box.min.z},
                                {box.max.x, box.max.y, box.max.z},
                                {box.min.x, box.max.y, box.max.z}};
      for (math::Point3& p : corners) p = {p.x * c - p.y * s, p.x * s + p.y * c, p.z};
      outerBounds_ = BoxAround(corners, 4);
    }
  } else {
    math::Matrix4 rotation;
    rotation.SetRotation(rotation_);
    math::Point3 corners[8];
    for (int i = 0; i < 8; ++i) rotation.TransformPoint(box.GetCorner(i), corners[i]);
    outerBounds_ = BoxAround(corners, 8);
  }

  ShiftAxis(outerBounds_.min.x, outerBounds_.max.x, position_.x);
  ShiftAxis(outerBounds_.min.y, outerBounds_.max.y, position_.y);
  ShiftAxis(outerBounds_.min.z, outerBounds_.max.z, position_.z);
}

}  // namespace layer
