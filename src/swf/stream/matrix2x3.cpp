#include "swf/stream/matrix2x3.h"

#include <cmath>

#include "swf/stream/bit_stream.h"
#include "swf/stream/point2.h"

namespace swf {

const matrix2x3 identity_matrix;

namespace {
constexpr float kFixed16 = 1.0f / 65536.0f;
}

void matrix2x3::read(bit_stream& in) {
  in.align_to_byte();
  set_identity();
  if (in.read_bits(1)) {
    const int bits = static_cast<int>(in.read_bits(5));
    m00 = static_cast<float>(in.read_signed_bits(bits)) * kFixed16;
    m11 = static_cast<float>(in.read_signed_bits(bits)) * kFixed16;
  }
  if (in.read_bits(1)) {
    const int bits = static_cast<int>(in.read_bits(5));
    m10 = static_cast<float>(in.read_signed_bits(bits)) * kFixed16;
    m01 = static_cast<float>(in.read_signed_bits(bits)) * kFixed16;
  }
  const int bits = static_cast<int>(in.read_bits(5));
  if (bits > 0) {
    m02 = static_cast<float>(in.read_signed_bits(bits));
    m12 = static_cast<float>(in.read_signed_bits(bits));
  }
}

void matrix2x3::concatenate(const matrix2x3& o) {
  matrix2x3 t;
  t.m00 = m00 * o.m00 + m01 * o.m10;
  t.m10 = m10 * o.m00 + m11 * o.m10;
  t.m01 = m00 * o.m01 + m01 * o.m11;
  t.m11 = m10 * o.m01 + m11 * o.m11;
  t.m02 = m00 * o.m02 + m01 * o.m12 + m02;
  t.m12 = m10 * o.m02 + m11 * o.m12 + m12;
  *this = t;
}

void matrix2x3::concatenate_translation(float tx, float ty) {
  m02 += m00 * tx + m01 * ty;
  m12 += m10 * tx + m11 * ty;
}

void matrix2x3::concatenate_scale(float s) {
  m00 *= s;
  m01 *= s;
  m10 *= s;
  m11 *= s;
}

void matrix2x3::set_lerp(const matrix2x3& a, const matrix2x3& b, float t) {
  m00 = a.m00 + (b.m00 - a.m00) * t;
  m01 = a.m01 + (b.m01 - a.m01) * t;
  m02 = a.m02 + (b.m02 - a.m02) * t;
  m10 = a.m10 + (b.m10 - a.m10) * t;
  m11 = a.m11 + (b.m11 - a.m11) * t;
  m12 = a.m12 + (b.m12 - a.m12) * t;
}

void matrix2x3::set_inverse(const matrix2x3& s) {
  const float d = s.determinant();
  if (d == 0) {
    set_identity();
    m02 = -s.m02;
    m12 = -s.m12;
    return;
  }
  matrix2x3 t;
  t.m00 = s.m11 / d;
  t.m11 = s.m00 / d;
  t.m01 = -s.m01 / d;
  t.m10 = -s.m10 / d;
  t.m02 = -(t.m00 * s.m02 + t.m01 * s.m12);
  t.m12 = -(t.m10 * s.m02 + t.m11 * s.m12);
  *this = t;
}

void matrix2x3::set_scale_rotation(float x_scale, float y_scale, float angle) {
  const float c = std::cos(angle), s = std::sin(angle);
  m00 = x_scale * c;
  m01 = -y_scale * s;
  m10 = x_scale * s;
  m11 = y_scale * c;
}

point2 matrix2x3::transform(const point2& p) const {
  return {m00 * p.x + m01 * p.y + m02, m10 * p.x + m11 * p.y + m12};
}

point2 matrix2x3::transform_by_inverse(const point2& p) const {
  matrix2x3 inverse;
  inverse.set_inverse(*this);
  return inverse.transform(p);
}

float matrix2x3::determinant() const { return m00 * m11 - m10 * m01; }

float matrix2x3::x_scale() const {
  const float scale = std::sqrt(m00 * m00 + m01 * m01);
  return determinant() < 0 ? -scale : scale;
}

float matrix2x3::y_scale() const { return std::sqrt(m10 * m10 + m11 * m11); }

float matrix2x3::rotation() const { return determinant() < 0 ? std::atan2(m10, -m00) : std::atan2(m10, m00); }

float matrix2x3::max_scale() const {
  const float a = m00 * m00 + m01 * m01, b = m10 * m10 + m11 * m11;
  return std::sqrt(a > b ? a : b);
}

}  // namespace swf
