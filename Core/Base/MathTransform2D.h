#pragma once

#include "Core/Base/MathMatrix3.h"

namespace math {

// A 2D transform whose operations apply in call order. While it only
// translates and then either scales or rotates it keeps those components and
// builds the matrix on demand; sprite drawing reads the components directly
// and skips the matrix. Anything the components cannot express switches it
// to matrix mode, where every further operation multiplies the matrix.
class Transform2D {
 public:
  struct Vector2 {
    float x = 0.0f;
    float y = 0.0f;
  };

  // Back to the identity; the matrix is rebuilt on the next GetMatrix.
  void Reset();
  void Translate(float dx, float dy);
  void Scale(float sx, float sy);
  void Rotate(float radians);
  void RotateDegrees(float degrees);

  const Matrix3& GetMatrix();

  // Without matrix mode a point maps to ((p + translation) scaled or rotated)
  // + post-translation.
  bool IsMatrixMode() const { return matrixMode_; }
  bool HasRotation() const { return hasRotation_; }
  bool HasScale() const { return hasScale_; }
  const Vector2& GetTranslation() const { return translation_; }
  const Vector2& GetPostTranslation() const { return postTranslation_; }
  const Vector2& GetScale() const { return scale_; }
  float GetRotation() const { return rotation_; }

 private:
  bool ScaleNeedsMatrix(float sx, float sy) const;
  void SwitchToMatrixMode();
  void BuildMatrix();
  // Each puts the new operation in front of the matrix, so it acts last.
  void MultiplyTranslation(float dx, float dy);
  void MultiplyScale(float sx, float sy);
  void MultiplyRotation(float radians);

  Matrix3 matrix_;
  bool dirty_ = true;
  bool matrixMode_ = false;
  bool hasRotation_ = false;
  bool hasScale_ = false;
  Vector2 translation_;
  Vector2 postTranslation_;
  Vector2 scale_{1.0f, 1.0f};
  float rotation_ = 0.0f;
};

}  // namespace math
