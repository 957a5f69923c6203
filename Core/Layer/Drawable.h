#pragma once

#include "Core/Base/MathAABB.h"
#include "Core/Base/MathPoint3.h"
#include "Core/Base/MathPoint4.h"
#include "Core/Base/MathTransform.h"

namespace layer {

// Angles at or below this many radians count as no rotation, so that a layer
// turned by a rounding error is still tested and converted as a flat one.
inline constexpr float kRotationThreshold = 2e-4f;

// Turned about x or y: such a layer is not flat in the design plane, and the
// walk and the local conversion give up on it.
bool IsRotatedOutOfPlane(const math::Point3& rotation);

// A box that holds nothing: extending it by anything gives that thing.
math::AABB EmptyBox();
bool IsEmptyBox(const math::AABB& box);

// What can be placed and tinted: placement in the parent's space, opacity,
// colour, the world transform and the boxes of bounds. Bounds are lazy:
// setters only mark them stale, the layer tree brings them up to date.
class Drawable {
 public:
  Drawable();
  virtual ~Drawable() = default;
  Drawable(const Drawable&) = delete;
  Drawable& operator=(const Drawable&) = delete;

  const math::Point3& GetPosition() const { return position_; }
  const math::Point3& GetRotation() const { return rotation_; }
  const math::Point3& GetScale() const { return scale_; }
  void SetPosition(float x, float y, float z);
  void SetX(float x);
  void SetY(float y);
  void SetZ(float z);
  void SetRotation(float x, float y, float z);
  void SetScale(float x, float y, float z);

  float GetAlpha() const { return alpha_; }
  void SetAlpha(float alpha) { alpha_ = alpha; }
  bool IsVisible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }
  bool IsHitTestable() const { return hitTestable_; }
  void SetHitTestable(bool hitTestable) { hitTestable_ = hitTestable; }

  const math::Point4& GetColor() const { return color_; }
  void SetColor(const math::Point4& color) { color_ = color; }
  bool IsTinted() const { return tinted_; }
  void SetTinted(bool tinted) { tinted_ = tinted; }
  float GetTintAmount() const { return tintAmount_; }
  void SetTintAmount(float amount) { tintAmount_ = amount; }
  bool IsAdditive() const { return additive_; }
  void SetAdditive(bool additive) { additive_ = additive; }

  bool IsTransformChanged() const { return transformChanged_; }
  math::Transform& GetWorldTransform() { return worldTransform_; }
  const math::Transform& GetWorldTransform() const { return worldTransform_; }
  // Scale, then rotation, then position, then the parent's transform.
  void UpdateTransform(const math::Transform& parent);

  bool HasOwnExtent() const { return ownExtent_; }
  const math::AABB& GetLocalBounds() const { return localBounds_; }
  const math::AABB& GetSubtreeBounds() const { return subtreeBounds_; }
  const math::AABB& GetOuterBounds() const { return outerBounds_; }
  bool IsOuterBoundsValid() const { return outerBoundsValid_; }

  // The own content in the layer's own space; content layers recompute it
  // when their local bounds are stale.
  virtual void UpdateLocalBounds() {}

 protected:
  void SetOwnExtent(bool ownExtent) { ownExtent_ = ownExtent; }
  // The own content changed size.
  void MarkLocalBoundsStale() { localBoundsValid_ = false; }
  bool IsLocalBoundsValid() const { return localBoundsValid_; }
  void ValidateLocalBounds() { localBoundsValid_ = true; }
  math::AABB& LocalBounds() { return localBounds_; }
  math::AABB& SubtreeBounds() { return subtreeBounds_; }
  // Carries the subtree bounds into the parent's space.
  void ComputeOuterBounds();
  void ValidateOuterBounds() { outerBoundsValid_ = true; }

 private:
  void PlacementChanged();

  math::Point3 position_;
  math::Point3 rotation_;
  math::Point3 scale_{1.0f, 1.0f, 1.0f};
  float alpha_ = 1.0f;
  bool visible_ = true;
  bool hitTestable_ = true;
  // Stays set once set: a layer that was ever placed recomputes its world
  // transform in every render pass, and its children follow.
  bool transformChanged_ = false;
  bool tinted_ = false;
  math::Point4 color_{1.0f, 1.0f, 1.0f, 1.0f};
  float tintAmount_ = 0.0f;
  bool additive_ = false;
  math::Transform worldTransform_;
  bool ownExtent_ = false;
  bool localBoundsValid_ = true;
  math::AABB localBounds_;
  math::AABB subtreeBounds_;
  bool outerBoundsValid_ = true;
  math::AABB outerBounds_;
};

}  // namespace layer
