#include "core/math/matrix4.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "platform/d3dx/d3dx8.h"

namespace math {

Matrix4 Matrix4::Identity() {
  Matrix4 r;
  for (int i = 0; i < 4; ++i) r.m[i][i] = 1.0f;
  return r;
}

Matrix4 operator*(const Matrix4& a, const Matrix4& b) {
  Matrix4 r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] +
                  a.m[i][3] * b.m[3][j];
  return r;
}

bool Invert(const Matrix4& in, Matrix4& out) {
  // Gauss-Jordan elimination with partial pivoting, in double precision.
  double a[4][8];
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      a[i][j] = in.m[i][j];
      a[i][j + 4] = i == j ? 1.0 : 0.0;
    }
  for (int col = 0; col < 4; ++col) {
    int pivot = col;
    for (int row = col + 1; row < 4; ++row)
      if (std::fabs(a[row][col]) > std::fabs(a[pivot][col])) pivot = row;
    if (a[pivot][col] == 0.0 || !std::isfinite(a[pivot][col])) return false;
    if (pivot != col)
      for (int j = 0; j < 8; ++j) std::swap(a[pivot][j], a[col][j]);
    const double scale = 1.0 / a[col][col];
    for (int j = 0; j < 8; ++j) a[col][j] *= scale;
    for (int row = 0; row < 4; ++row) {
      if (row == col) continue;
      const double factor = a[row][col];
      for (int j = 0; j < 8; ++j) a[row][j] -= factor * a[col][j];
    }
  }
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) out.m[i][j] = static_cast<float>(a[i][j + 4]);
  return true;
}

Matrix4 LookAtLH(const Vec3& eye, const Vec3& target, const Vec3& up) {
  const D3DXVECTOR3 from{eye.x, eye.y, eye.z}, at{target.x, target.y, target.z}, upward{up.x, up.y, up.z};
  D3DXMATRIX view;
  D3DXMatrixLookAtLH(&view, &from, &at, &upward);
  Matrix4 r;
  std::memcpy(r.m, view.m, sizeof r.m);
  return r;
}

Matrix4 RotationQuaternion(const Vec4& q) {
  const float x = q.x, y = q.y, z = q.z, w = q.w;
  Matrix4 r;
  r.m[0][0] = 1.0f - 2.0f * (y * y + z * z);
  r.m[0][1] = 2.0f * (x * y + z * w);
  r.m[0][2] = 2.0f * (x * z - y * w);
  r.m[1][0] = 2.0f * (x * y - z * w);
  r.m[1][1] = 1.0f - 2.0f * (x * x + z * z);
  r.m[1][2] = 2.0f * (y * z + x * w);
  r.m[2][0] = 2.0f * (x * z + y * w);
  r.m[2][1] = 2.0f * (y * z - x * w);
  r.m[2][2] = 1.0f - 2.0f * (x * x + y * y);
  r.m[3][3] = 1.0f;
  return r;
}

Vec3 TransformNormal(const Vec3& v, const Matrix4& m) {
  return {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0],
          v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1],
          v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2]};
}

Vec3 TransformCoord(const Vec3& p, const Matrix4& m) {
  Vec3 r = TransformNormal(p, m) + Vec3(m.m[3][0], m.m[3][1], m.m[3][2]);
  const float w = p.x * m.m[0][3] + p.y * m.m[1][3] + p.z * m.m[2][3] + m.m[3][3];
  if (w != 0.0f) r = r * (1.0f / w);
  return r;
}

void CopyMatrix4(Matrix4& out, const Matrix4& in) {
  const Matrix4 copy = in;
  out = copy;
}

}  // namespace math
