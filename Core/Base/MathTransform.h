#pragma once

#include "Core/Base/MathMatrix4.h"
#include "Core/Base/MathPoint3.h"

namespace math {

// The 3D transform of layers and of the drawing context; operations apply in
// call order. Like Transform2D it keeps translate-then-scale-or-rotate as
// components and builds the matrix on demand, switching to matrix mode for
// anything the components cannot express.
class Transform {
 public:
  Transform() { Clear(); }

  // Back to the identity, out of matrix mode.
  void Clear();
  void Translate(float x, float y, float z);
  void Scale(float x, float y, float z);
  // Euler angles in radians, in the order of Matrix4::SetRotation.
  void Rotate(float x, float y, float z);
  // Appends other, so that it applies after everything already here.
  void Combine(const Transform& other);

  const Matrix4& GetMatrix();
  void UpdateMatrix();

  bool IsMatrixMode() const { return matrixMode_; }

 private:
  void SwitchToMatrixMode();

  bool matrixMode_;
  bool rotationSet_;
  bool scaleSet_;
  Point3 translation_;
  Point3 postTranslation_;
  Point3 scale_;
  Point3 rotation_;
  Matrix4 matrix_;
  bool dirty_;
};

}  // namespace math
