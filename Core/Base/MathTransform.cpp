#include "Core/Base/MathTransform.h"

namespace math {
namespace {

bool IsZero(const Point3& p) { return p.x == 0.0f && p.y == 0.0f && p.z == 0.0f; }

}  // namespace

void Transform::Clear() {
  matrixMode_ = false;
  rotationSet_ = false;
  scaleSet_ = false;
  translation_ = {};
  postTranslation_ = {};
  scale_ = {1.0f, 1.0f, 1.0f};
  rotation_ = {};
  dirty_ = true;
}

void Transform::Translate(float x, float y, float z) {
  const Point3 offset{x, y, z};
  if (matrixMode_) {
    matrix_.Translate(offset);
    return;
  }
  dirty_ = true;
  (rotationSet_ || scaleSet_ ? postTranslation_ : translation_) += offset;
}

void Transform::Scale(float x, float y, float z) {
  const bool needsMatrix =
      rotationSet_ || !IsZero(postTranslation_) || x < 0.0f || y < 0.0f || z < 0.0f;
  if (!matrixMode_ && needsMatrix) SwitchToMatrixMode();
  if (matrixMode_) {
    matrix_.Scale({x, y, z});
    return;
  }
  scale_ = {scale_.x * x, scale_.y * y, scale_.z * z};
  scaleSet_ = true;
  dirty_ = true;
}

void Transform::Rotate(float x, float y, float z) {
  // Euler angles do not add up, so only the first rotation stays lazy.
  if (!matrixMode_ && (scaleSet_ || rotationSet_)) SwitchToMatrixMode();
  if (matrixMode_) {
    matrix_.Rotate({x, y, z});
    return;
  }
  rotation_ += {x, y, z};
  rotationSet_ = true;
  dirty_ = true;
}

void Transform::Combine(const Transform& other) {
  if (&other == this) {
    // Replaying other's components would read the ones being changed.
    const Transform copy = other;
    Combine(copy);
    return;
  }
  if (other.matrixMode_) {
    // A transform in matrix mode keeps its matrix up to date.
    if (!matrixMode_) SwitchToMatrixMode();
    matrix_ *= other.matrix_;
    return;
  }
  const Point3& t = other.translation_;
  if (!IsZero(t)) Translate(t.x, t.y, t.z);
  if (other.scaleSet_) Scale(other.scale_.x, other.scale_.y, other.scale_.z);
  if (other.rotationSet_) Rotate(other.rotation_.x, other.rotation_.y, other.rotation_.z);
  const Point3& post = other.postTranslation_;
  if (!IsZero(post)) Translate(post.x, post.y, post.z);
}

const Matrix4& Transform::GetMatrix() {
  UpdateMatrix();
  return matrix_;
}

void Transform::UpdateMatrix() {
  if (!dirty_) return;
  dirty_ = false;
  matrix_ = Matrix4();
  matrix_.SetTranslation(translation_);
  if (scaleSet_) {
    matrix_.Scale(scale_);
  } else if (rotationSet_) {
    matrix_.Rotate(rotation_);
  }
  if (!IsZero(postTranslation_)) matrix_.Translate(postTranslation_);
}

void Transform::SwitchToMatrixMode() {
  matrixMode_ = true;
  UpdateMatrix();
}

}  // namespace math
