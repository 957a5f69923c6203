#include "Core/Layer/Layer.h"

#include <iterator>

#include "Core/Base/MathScalar.h"

namespace layer {
Layer::~Layer() {
  if (parent_) parent_->RemoveChild(this);
  for (Layer* child : children_) child->parent_ = nullptr;
}

QLResultEnum Layer::Draw(render::Graphics*) { return QL_OK; }

bool Layer::HitTestPoint(const math::Point3&) const { return false; }

void Layer::AddChild(Layer* child) {
  Adopt(child);
  child->place_ = children_.insert(children_.end(), child);
}

void Layer::InsertChildFirst(Layer* child) {
  Adopt(child);
  child->place_ = children_.insert(children_.begin(), child);
}

void Layer::Adopt(Layer* child) {
  if (child->parent_) child->parent_->RemoveChild(child);
  // The child takes this layer's transform in the next render pass.
  if (IsTransformChanged()) child->parentTransformChanged_ = true;
  child->parent_ = this;
}

void Layer::RemoveChild(Layer* child) {
  if (child->parent_ != this) return;
  for (BackwardWalk* walk = walks_; walk; walk = walk->outer_) {
    if (walk->next_ == child) walk->next_ = Before(*child);
  }
  children_.erase(child->place_);
  child->parent_ = nullptr;
}

Layer* Layer::Before(const Layer& child) const {
  return child.place_ == children_.begin() ? nullptr : *std::prev(child.place_);
}

Layer::BackwardWalk::BackwardWalk(Layer& parent)
    : parent_(parent), next_(parent.children_.empty() ? nullptr : parent.children_.back()), outer_(parent.walks_) {
  parent.walks_ = this;
}

Layer::BackwardWalk::~BackwardWalk() { parent_.walks_ = outer_; }

Layer* Layer::BackwardWalk::Next() {
  Layer* child = next_;
  if (child) next_ = parent_.Before(*child);
  return child;
}

void Layer::UpdateTransformTree() {
  if (!IsTransformChanged() && !parentTransformChanged_) return;
  UpdateTransform(parent_ ? parent_->GetWorldTransform() : math::Transform());
  for (Layer* child : children_) child->parentTransformChanged_ = true;
  parentTransformChanged_ = false;
}

QLResultEnum Layer::Render(render::Graphics* graphics) {
  if (!IsVisible()) return QL_OK;
  if (beforeDraw_) {
    if (const QLResultEnum result = beforeDraw_->Invoke(graphics, this)) return result;
  }
  UpdateTransformTree();
  if (inheritAlpha_) {
    passedAlpha_ = GetAlpha();
    effectiveAlpha_ = GetAlpha() * (parent_ ? parent_->effectiveAlpha_ : 1.0f);
  } else {
    passedAlpha_ = parent_ ? parent_->passedAlpha_ : 1.0f;
    effectiveAlpha_ = GetAlpha() * passedAlpha_;
  }
  if (const QLResultEnum result = Draw(graphics)) return result;
  for (Layer* child : children_) {
    if (const QLResultEnum result = child->Render(graphics)) return result;
  }
  return afterDraw_ ? afterDraw_->Invoke(graphics, this) : QL_OK;
}

bool Layer::UpdateBounds() {
  bool changed = false;
  if (HasOwnExtent() && !IsLocalBoundsValid()) {
    UpdateLocalBounds();
    ValidateLocalBounds();
    changed = true;
  }
  for (Layer* child : children_) {
    if (child->UpdateBounds()) changed = true;
  }
  if (changed) {
    math::AABB& subtree = SubtreeBounds();
    subtree = EmptyBox();
    for (const Layer* child : children_) subtree.Extend(child->GetOuterBounds());
    if (HasOwnExtent()) subtree.Extend(GetLocalBounds());
  } else if (IsOuterBoundsValid()) {
    return false;
  }
  ComputeOuterBounds();
  ValidateOuterBounds();
  return true;
}

void Layer::ToLocal(const math::Point3& point, math::Point3& local) const {
  local = point - GetPosition();
  const float z = GetRotation().z;
  if (math::Abs(z) > kRotationThreshold) {
    const float c = math::Cos(z), s = math::Sin(z);
    local = {local.x * c + local.y * s, local.y * c - local.x * s, local.z};
  }
  const math::Point3& scale = GetScale();
  if (scale.x != 1.0f) local.x /= scale.x;
  if (scale.y != 1.0f) local.y /= scale.y;
  if (scale.z != 1.0f) local.z /= scale.z;
}

void Layer::WorldToLocal(const math::Point3& point, math::Point3& local) const {
  if (parent_) {
    parent_->WorldToLocal(point, local);
  } else {
    local = point;
  }
  if (!IsRotatedOutOfPlane(GetRotation())) {
    const math::Point3 outer = local;
    ToLocal(outer, local);
  }
}

}  // namespace layer
