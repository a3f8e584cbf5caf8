#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "swf/memory_file.h"
#include "swf/stream/bit_stream.h"
#include "swf/stream/bounds_rect.h"
#include "swf/stream/color_xform.h"
#include "swf/stream/matrix2x3.h"
#include "swf/stream/point2.h"
#include "swf/stream/rgba_color.h"

namespace {
using swf_test::MemoryFile;

// Packs bit fields, most significant bit first, into whole bytes.
class BitWriter {
 public:
  BitWriter& Bits(uint32_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
      if (used_ == 0) bytes_.push_back(0);
      if ((value >> i) & 1) bytes_.back() = static_cast<char>(bytes_.back() | (0x80 >> used_));
      used_ = (used_ + 1) % 8;
    }
    return *this;
  }
  BitWriter& Align() {
    used_ = 0;
    return *this;
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
  int used_ = 0;
};

template <class Record, class Read>
Record ReadRecord(const std::string& bytes, Read read) {
  MemoryFile memory(bytes);
  swf::bit_stream in(memory.file());
  Record record;
  read(record, in);
  EXPECT_FALSE(in.overrun());
  return record;
}

swf::matrix2x3 ReadMatrix(const BitWriter& w) {
  return ReadRecord<swf::matrix2x3>(w.Bytes(), [](swf::matrix2x3& m, swf::bit_stream& in) { m.read(in); });
}

void ExpectMatrix(const swf::matrix2x3& m, std::vector<float> expected) {
  const float actual[] = {m.m00, m.m01, m.m02, m.m10, m.m11, m.m12};
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(actual[i], expected[static_cast<size_t>(i)], 1e-5) << "element " << i;
}

TEST(SwfRecords, MatrixWithAndWithoutItsParts) {
  ExpectMatrix(ReadMatrix(BitWriter().Bits(0, 1).Bits(0, 1).Bits(0, 5)), {1, 0, 0, 0, 1, 0});
  // Scale 2 and 0.5, rotate/skew 0.25 and -1, translation (-20, 40).
  BitWriter full;
  full.Bits(1, 1).Bits(19, 5).Bits(0x20000, 19).Bits(0x8000, 19);
  full.Bits(1, 1).Bits(18, 5).Bits(0x4000, 18).Bits(static_cast<uint32_t>(-0x10000), 18);
  full.Bits(8, 5).Bits(static_cast<uint32_t>(-20), 8).Bits(40, 8);
  ExpectMatrix(ReadMatrix(full), {2, -1, -20, 0.25f, 0.5f, 40});
  // Rotation only, no translation bits.
  ExpectMatrix(ReadMatrix(BitWriter().Bits(0, 1).Bits(1, 1).Bits(18, 5).Bits(0x10000, 18).Bits(0, 18).Bits(0, 5)),
               {1, 0, 0, 1, 1, 0});
}

TEST(SwfRecords, ColourTransformsDivideMultipliersBy255) {
  // Without alpha: multipliers 256, 128, 0 and addends -10, 5, 300.
  BitWriter rgb;
  rgb.Bits(1, 1).Bits(1, 1).Bits(10, 4);
  for (int v : {256, 128, 0, -10, 5, 300}) rgb.Bits(static_cast<uint32_t>(v), 10);
  const swf::color_xform cx =
      ReadRecord<swf::color_xform>(rgb.Bytes(), [](swf::color_xform& c, swf::bit_stream& in) { c.read_rgb(in); });
  EXPECT_FLOAT_EQ(cx.m[0][0], 256 / 255.0f);
  EXPECT_FLOAT_EQ(cx.m[1][0], 128 / 255.0f);
  EXPECT_FLOAT_EQ(cx.m[0][1], -10);
  EXPECT_FLOAT_EQ(cx.m[2][1], 300);
  EXPECT_FLOAT_EQ(cx.m[3][0], 1);
  EXPECT_FLOAT_EQ(cx.m[3][1], 0);
  const swf::rgba_color out = cx.transform(swf::rgba_color(100, 100, 100, 77));
  EXPECT_EQ(out.a, 77) << "alpha unchanged";
  EXPECT_EQ(out.b, 255);

  // With alpha, addends only: multipliers stay 1.
  BitWriter rgba;
  rgba.Bits(1, 1).Bits(0, 1).Bits(6, 4);
  for (int v : {1, 2, 3, -4}) rgba.Bits(static_cast<uint32_t>(v), 6);
  const swf::color_xform ax =
      ReadRecord<swf::color_xform>(rgba.Bytes(), [](swf::color_xform& c, swf::bit_stream& in) { c.read_rgba(in); });
  EXPECT_FLOAT_EQ(ax.m[0][0], 1);
  EXPECT_FLOAT_EQ(ax.m[3][1], -4);
  // Multipliers only: addends stay 0.
  BitWriter mult;
  mult.Bits(0, 1).Bits(1, 1).Bits(9, 4);
  for (int v : {255, 0, 255, 128}) mult.Bits(static_cast<uint32_t>(v), 9);
  const swf::color_xform mx =
      ReadRecord<swf::color_xform>(mult.Bytes(), [](swf::color_xform& c, swf::bit_stream& in) { c.read_rgba(in); });
  EXPECT_FLOAT_EQ(mx.m[1][0], 0);
  EXPECT_FLOAT_EQ(mx.m[3][0], 128 / 255.0f);
  EXPECT_FLOAT_EQ(mx.m[3][1], 0);
}

TEST(SwfRecords, ColoursAndRectangles) {
  const std::string bytes("\x10\x20\x30\x40", 4);
  const swf::rgba_color opaque =
      ReadRecord<swf::rgba_color>(bytes, [](swf::rgba_color& c, swf::bit_stream& in) { c.read(in, 22); });
  EXPECT_EQ(opaque.a, 255);
  const swf::rgba_color with_alpha =
      ReadRecord<swf::rgba_color>(bytes, [](swf::rgba_color& c, swf::bit_stream& in) { c.read(in, 32); });
  EXPECT_EQ(with_alpha.r, 0x10);
  EXPECT_EQ(with_alpha.a, 0x40);

  BitWriter rect;
  rect.Bits(15, 5);
  for (int v : {-100, 11000, 0, 8000}) rect.Bits(static_cast<uint32_t>(v), 15);
  const swf::bounds_rect r =
      ReadRecord<swf::bounds_rect>(rect.Bytes(), [](swf::bounds_rect& b, swf::bit_stream& in) { b.read(in); });
  EXPECT_EQ(r.x_min, -100);
  EXPECT_EQ(r.x_max, 11000);
  EXPECT_EQ(r.y_min, 0);
  EXPECT_EQ(r.y_max, 8000);
  EXPECT_TRUE(r.contains(11000, 8000));
  EXPECT_FALSE(r.contains(11000.5f, 0));
}

TEST(SwfRecords, ColourTransformTruncatesAndClamps) {
  struct Case {
    float addend;
    int expected;
  };
  for (const Case& c : {Case{255.9f, 255}, Case{-0.5f, 0}, Case{12.7f, 12}, Case{300, 255}}) {
    swf::color_xform cx;
    cx.m[0][0] = 0;
    cx.m[0][1] = c.addend;
    EXPECT_EQ(cx.transform(swf::rgba_color(200, 0, 0, 0)).r, c.expected) << c.addend;
  }
  swf::color_xform half, shift;
  half.m[1][0] = 0.5f;
  shift.m[1][1] = 20;
  half.concatenate(shift);  // shift first, then half
  EXPECT_EQ(half.transform(swf::rgba_color(0, 100, 0, 0)).g, 60);

  swf::rgba_color mix;
  mix.set_lerp(swf::rgba_color(0, 0, 0, 0), swf::rgba_color(255, 100, 3, 255), 0.5f);
  EXPECT_EQ(mix.r, 128);
  EXPECT_EQ(mix.g, 50);
  EXPECT_EQ(mix.b, 2);
}

TEST(SwfRecords, MatrixArithmetic) {
  swf::matrix2x3 singular;
  singular.m00 = 2;
  singular.m01 = 4;
  singular.m10 = 1;
  singular.m11 = 2;
  singular.m02 = 40;
  singular.m12 = -20;
  swf::matrix2x3 inverse;
  inverse.set_inverse(singular);
  ExpectMatrix(inverse, {1, 0, -40, 0, 1, 20});

  swf::matrix2x3 m;
  m.set_scale_rotation(2, 3, static_cast<float>(M_PI / 2));
  m.m02 = 100;
  m.m12 = 50;
  swf::point2 p = m.transform({10, 0});
  EXPECT_NEAR(p.x, 100, 1e-4);
  EXPECT_NEAR(p.y, 70, 1e-4);
  swf::point2 back = m.transform_by_inverse(p);
  EXPECT_NEAR(back.x, 10, 1e-4);
  EXPECT_NEAR(back.y, 0, 1e-4);
  EXPECT_NEAR(m.x_scale(), 3, 1e-5);  // from the first row
  EXPECT_NEAR(m.y_scale(), 2, 1e-5);
  EXPECT_NEAR(m.max_scale(), 3, 1e-5);
  EXPECT_NEAR(m.rotation(), M_PI / 2, 1e-5);

  swf::matrix2x3 translate;
  translate.m02 = 5;
  swf::matrix2x3 scale;
  scale.concatenate_scale(2);
  scale.concatenate(translate);  // translate first, then scale
  EXPECT_NEAR(scale.transform({1, 1}).x, 12, 1e-5);
  scale.concatenate_translation(1, 0);
  EXPECT_NEAR(scale.m02, 12, 1e-5);

  swf::bounds_rect box{0, 10, 0, 20};
  swf::bounds_rect turned;
  turned.enclose_transformed_rect(m, box);
  EXPECT_NEAR(turned.x_min, 100 - 60, 1e-3);
  EXPECT_NEAR(turned.x_max, 100, 1e-3);
  EXPECT_NEAR(turned.y_min, 50, 1e-3);
  EXPECT_NEAR(turned.y_max, 70, 1e-3);
}

}  // namespace
