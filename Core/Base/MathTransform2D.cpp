#include "Core/Base/MathTransform2D.h"

#include "Core/Base/MathScalar.h"

namespace math {
namespace {

bool IsZero(const Transform2D::Vector2& v) { return v.x == 0.0f && v.y == 0.0f; }

}  // namespace

void Transform2D::Reset() {
  dirty_ = true;
  matrixMode_ = false;
  hasRotation_ = false;
  hasScale_ = false;
  translation_ = {};
  postTranslation_ = {};
  scale_ = {1.0f, 1.0f};
  rotation_ = 0.0f;
}

void Transform2D::Translate(float dx, float dy) {
  if (matrixMode_) {
    MultiplyTranslation(dx, dy);
    return;
  }
  dirty_ = true;
  Vector2& offset = hasRotation_ || hasScale_ ? postTranslation_ : translation_;
  offset.x += dx;
  offset.y += dy;
}

void Transform2D::Scale(float sx, float sy) {
  if (!matrixMode_ && ScaleNeedsMatrix(sx, sy)) SwitchToMatrixMode();
  if (matrixMode_) {
    MultiplyScale(sx, sy);
    return;
  }
  scale_.x *= sx;
  scale_.y *= sy;
  hasScale_ = true;
  dirty_ = true;
}

// A scale after a post-translation would have to scale it too, which the
// components cannot express. The rest follows what the drawing code expects of
// the lazy form: no pending translation under a scale, no flip in y, and a
// negative x scale only as a plain mirror (exactly -1), which text drawing
// reads from the pending x scale.
bool Transform2D::ScaleNeedsMatrix(float sx, float sy) const {
  return hasRotation_ || !IsZero(translation_) || !IsZero(postTranslation_) ||
         (sx < 0.0f && scale_.x * sx != -1.0f) || sy < 0.0f;
}

void Transform2D::Rotate(float radians) {
  // Pending rotations add up, but a post-translation between them would have
  // to turn with the later one.
  if (!matrixMode_ && (hasScale_ || !IsZero(postTranslation_))) SwitchToMatrixMode();
  if (matrixMode_) {
    MultiplyRotation(radians);
    return;
  }
  rotation_ += radians;
  hasRotation_ = true;
  dirty_ = true;
}

void Transform2D::RotateDegrees(float degrees) { Rotate(degrees * 3.1415927f / 180.0f); }

const Matrix3& Transform2D::GetMatrix() {
  BuildMatrix();
  return matrix_;
}

void Transform2D::SwitchToMatrixMode() {
  matrixMode_ = true;
  BuildMatrix();
}

void Transform2D::BuildMatrix() {
  if (!dirty_) return;
  dirty_ = false;
  matrix_ = Matrix3::Identity();
  matrix_.m02 = translation_.x;
  matrix_.m12 = translation_.y;
  if (hasScale_) {
    MultiplyScale(scale_.x, scale_.y);
  } else if (hasRotation_) {
    MultiplyRotation(rotation_);
  }
  if (!IsZero(postTranslation_)) MultiplyTranslation(postTranslation_.x, postTranslation_.y);
}

void Transform2D::MultiplyTranslation(float dx, float dy) {
  Matrix3 translation = Matrix3::Identity();
  translation.m02 = dx;
  translation.m12 = dy;
  matrix_.Multiply(translation, matrix_);
}

void Transform2D::MultiplyScale(float sx, float sy) {
  matrix_.Multiply({.m00 = sx, .m11 = sy, .m22 = 1.0f}, matrix_);
}

void Transform2D::MultiplyRotation(float radians) {
  const float c = Cos(radians);
  const float s = Sin(radians);
  matrix_.Multiply({.m00 = c, .m01 = s, .m10 = -s, .m11 = c, .m22 = 1.0f}, matrix_);
}

}  // namespace math
