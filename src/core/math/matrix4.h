// 4 x 4 float matrices in the row-vector convention of the renderer: a point
// is a row (x, y, z, 1) multiplied on the left, so A * B applies A first, and
// the translation sits in the fourth row. Views are left-handed (+z forward).
#pragma once
#include "core/math/vector.h"

namespace math {

struct Matrix4 {
  float m[4][4] = {};  // m[row][column]

  static Matrix4 Identity();
};

Matrix4 operator*(const Matrix4& a, const Matrix4& b);

// False, leaving `out` alone, when the matrix is singular.
bool Invert(const Matrix4& in, Matrix4& out);

// The left-handed view looking from eye towards target.
Matrix4 LookAtLH(const Vec3& eye, const Vec3& target, const Vec3& up);

// The rotation of the unit quaternion (x, y, z, w).
Matrix4 RotationQuaternion(const Vec4& q);

// (p, 1) * m, divided by the resulting w unless that is zero.
Vec3 TransformCoord(const Vec3& p, const Matrix4& m);
// v * the upper 3 x 3 of m: turned and scaled, not moved.
Vec3 TransformNormal(const Vec3& v, const Matrix4& m);

// Safe when both name the same matrix.
void CopyMatrix4(Matrix4& out, const Matrix4& in);

}  // namespace math
