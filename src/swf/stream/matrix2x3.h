// A 2 x 3 affine transform, row by row; translations in twips.
#pragma once

namespace swf {

class bit_stream;
struct point2;

struct matrix2x3 {
  float m00 = 1, m01 = 0, m02 = 0;
  float m10 = 0, m11 = 1, m12 = 0;

  constexpr matrix2x3() = default;

  // The SWF MATRIX record; parts that are absent stay at identity.
  void read(bit_stream& in);

  void set_identity() { *this = matrix2x3(); }
  // this = this x other: the result applies `other` first.
  void concatenate(const matrix2x3& other);
  void concatenate_translation(float tx, float ty);
  void concatenate_scale(float s);
  // Every element a + (b - a) t.
  void set_lerp(const matrix2x3& a, const matrix2x3& b, float t);
  // A singular source gives the identity with its translation negated.
  void set_inverse(const matrix2x3& source);
  void set_scale_rotation(float x_scale, float y_scale, float angle);

  point2 transform(const point2& p) const;
  point2 transform_by_inverse(const point2& p) const;

  float determinant() const;
  float x_scale() const;
  float y_scale() const;
  float rotation() const;
  float max_scale() const;
};

extern const matrix2x3 identity_matrix;

}  // namespace swf
