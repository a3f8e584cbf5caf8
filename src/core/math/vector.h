// 2D, 3D and 4D float vectors. Screen positions are Vec2 in 0..1 units;
// colours are Vec4 (red, green, blue, alpha).
#pragma once
#include <cmath>

namespace LuaPlus {
class LuaState;
}

namespace math {

struct Vec2 {
  float x = 0.0f, y = 0.0f;

  Vec2() = default;
  Vec2(float x_, float y_) : x(x_), y(y_) {}

  float MagSqr() const { return x * x + y * y; }
  float Magnitude() const { return std::sqrt(MagSqr()); }
  // A zero vector stays zero.
  Vec2& Normalize() {
    float length = Magnitude();
    if (length == 0.0f) length = 1.0f;
    x /= length;
    y /= length;
    return *this;
  }
  Vec2& ClampMagnitude(float max) {
    if (MagSqr() > max * max) {
      Normalize();
      x *= max;
      y *= max;
    }
    return *this;
  }
  Vec2 operator+(const Vec2& o) const { return {x + o.x, y + o.y}; }
  Vec2 operator-(const Vec2& o) const { return {x - o.x, y - o.y}; }
  Vec2 operator-() const { return {-x, -y}; }
  Vec2 operator*(float s) const { return {x * s, y * s}; }
  Vec2& operator+=(const Vec2& o) {
    x += o.x;
    y += o.y;
    return *this;
  }
};
inline Vec2 operator*(float s, const Vec2& v) { return v * s; }
inline float Dot(const Vec2& a, const Vec2& b) { return a.x * b.x + a.y * b.y; }

struct Vec3 {
  float x = 0.0f, y = 0.0f, z = 0.0f;

  Vec3() = default;
  Vec3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

  float MagSqr() const { return x * x + y * y + z * z; }
  float Magnitude() const { return std::sqrt(MagSqr()); }
  Vec3& Normalize() {
    float length = Magnitude();
    if (length == 0.0f) length = 1.0f;
    x /= length;
    y /= length;
    z /= length;
    return *this;
  }
  Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
  Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
  Vec3 operator-() const { return {-x, -y, -z}; }
  Vec3 operator*(float s) const { return {x * s, y * s, z * s}; }
  Vec3& operator+=(const Vec3& o) {
    x += o.x;
    y += o.y;
    z += o.z;
    return *this;
  }
};
inline Vec3 operator*(float s, const Vec3& v) { return v * s; }
inline float Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

struct Vec4 {
  float x = 0.0f, y = 0.0f, z = 0.0f, w = 0.0f;

  Vec4() = default;
  Vec4(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}

  Vec4 operator+(const Vec4& o) const { return {x + o.x, y + o.y, z + o.z, w + o.w}; }
  Vec4 operator-(const Vec4& o) const { return {x - o.x, y - o.y, z - o.z, w - o.w}; }
  Vec4 operator*(float s) const { return {x * s, y * s, z * s, w * s}; }
};

// The Lua classes "Vec2", "Vec3" and "Vec4".
void RegisterVectorLua(LuaPlus::LuaState* state);

// Safe when both name the same vector.
inline void CopyVec4(Vec4& out, const Vec4& in) {
  const Vec4 copy = in;
  out = copy;
}

}  // namespace math
