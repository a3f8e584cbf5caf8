// Script values: conversions, equality by the left operand, the 32-bit bit
// rules and references held on objects.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "swf/base/counted_ptr.h"
#include "swf/script/as_plain_object.h"
#include "swf/script/as_variant.h"

namespace {
using swf::as_variant;

swf::as_variant Null() {
  as_variant v;
  v.set_null();
  return v;
}

TEST(ScriptValue, StringsConvertToNumbersOnlyWhenWhole) {
  const struct {
    const char* text;
    double number;
  } cases[] = {{"12", 12}, {" 12", 12}, {"1e3", 1000}, {"-2.5", -2.5}, {".5", 0.5}, {"12 ", 0},
               {"12abc", 0}, {"", 0},    {"0x10", 0},   {"inf", 0},    {"nan", 0},  {"-", 0}};
  for (const auto& c : cases) EXPECT_EQ(as_variant(c.text).to_number(), c.number) << c.text;
}

TEST(ScriptValue, NumbersPrintWithFourteenDigitsInTheCLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");  // a comma locale where one is installed
  const struct {
    double number;
    const char* text;
  } cases[] = {{0.1, "0.1"}, {1.0 / 3, "0.33333333333333"}, {1e20, "1e+20"}, {-7, "-7"}, {2.5, "2.5"}};
  for (const auto& c : cases) EXPECT_STREQ(as_variant(c.number).to_string().c_str(), c.text);
  EXPECT_EQ(as_variant("2.5").to_number(), 2.5);
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(ScriptValue, KindsPrintAndConvert) {
  as_variant undefined;
  EXPECT_STREQ(undefined.to_string_versioned(7).c_str(), "undefined");
  EXPECT_STREQ(undefined.to_string_versioned(6).c_str(), "");
  EXPECT_EQ(undefined.to_number(), 0);
  EXPECT_STREQ(Null().to_string().c_str(), "null");
  EXPECT_STREQ(as_variant(true).to_string().c_str(), "true");
  EXPECT_STREQ(as_variant(static_cast<swf::scriptable*>(nullptr)).to_string().c_str(), "[object Object]");
  EXPECT_EQ(as_variant(static_cast<swf::scriptable*>(nullptr)).to_number(), 0);
  EXPECT_FALSE(as_variant(static_cast<swf::scriptable*>(nullptr)).to_bool());
}

TEST(ScriptValue, TruthOfStrings) {
  const struct {
    const char* text;
    bool truth;
  } cases[] = {{"0", false}, {"", false}, {"2", true}, {"false", false}, {"False", false}, {"true", true},
               {"True", false}, {"abc", false}};
  for (const auto& c : cases) EXPECT_EQ(as_variant(c.text).to_bool(), c.truth) << c.text;
  EXPECT_TRUE(as_variant(std::nan("")).to_bool());
  EXPECT_FALSE(as_variant(0.0).to_bool());
}

TEST(ScriptValue, EqualityFollowsTheLeftOperand) {
  swf::counted_ptr<swf::as_plain_object> a(new swf::as_plain_object()), b(new swf::as_plain_object());
  const as_variant object_a(static_cast<swf::scriptable*>(a.get())), object_b(static_cast<swf::scriptable*>(b.get()));
  const struct {
    as_variant left, right;
    bool equal;
  } cases[] = {
      {"5.0", 5, false},     {5, "5.0", true},        {true, "1", true},       {"1", true, false},
      {as_variant(), Null(), true}, {object_a, object_b, true}, {object_a, Null(), false},
      {std::nan(""), std::nan(""), false}, {"abc", "abc", true}, {2, true, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.left.equals(c.right), c.equal) << c.left.to_string().c_str() << " == " << c.right.to_string().c_str();
}

TEST(ScriptValue, BitOperationsWorkOnThirtyTwoBits) {
  const struct {
    double left, right;
    void (as_variant::*op)(const as_variant&);
    double result;
  } cases[] = {
      {7, 3, &as_variant::bit_and, 3},          {1, 33, &as_variant::shift_left, 2},
      {-1, 28, &as_variant::shift_right, -1},   {-1, 28, &as_variant::shift_right_logical, 15},
      {-1, 0, &as_variant::shift_right_logical, -1}, {-8, 1, &as_variant::shift_right_logical, 2147483644},
      {4294967301.0, 0, &as_variant::bit_or, 5}, {-1.9, 0, &as_variant::bit_or, -1},
      {1, 31, &as_variant::shift_left, -2147483648.0},
  };
  for (const auto& c : cases) {
    as_variant v(c.left);
    (v.*c.op)(as_variant(c.right));
    EXPECT_EQ(v.to_number(), c.result) << c.left << " op " << c.right;
  }
}

TEST(ScriptValue, HugeAndNonFiniteNumbersGiveSafeIntegers) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double number;
    int32_t integer;
  } cases[] = {{std::nan(""), 0}, {inf, 0}, {-inf, 0}, {1e300, 0}, {-1e300, 0}, {9.3e18, -81657856},
               {4294967296.0 + 7, 7}, {-2147483649.0, 2147483647}};
  for (const auto& c : cases) EXPECT_EQ(swf::double_to_int32(c.number), c.integer) << c.number;
}

TEST(ScriptValue, ObjectValuesHoldOneReference) {
  swf::counted_ptr<swf::as_plain_object> object(new swf::as_plain_object());
  {
    as_variant v(static_cast<swf::scriptable*>(object.get()));
    as_variant copy(v);
    EXPECT_EQ(object->ref_count(), 3);
    copy = v;  // the same pointer: nothing changes
    EXPECT_EQ(object->ref_count(), 3);
    copy.set_number(1);
    EXPECT_EQ(object->ref_count(), 2);
  }
  EXPECT_EQ(object->ref_count(), 1);
}

TEST(ScriptValue, ConcatAndArithmetic) {
  as_variant v(2);
  v.string_concat("x");
  EXPECT_STREQ(v.to_string().c_str(), "2x");
  as_variant n("3");
  n.add(as_variant(true));
  EXPECT_EQ(n.to_number(), 4);
  as_variant d(1);
  d.divide(as_variant(0));
  EXPECT_TRUE(std::isinf(d.to_number()));
  EXPECT_TRUE(as_variant(1).less(as_variant("2")));
  EXPECT_FALSE(as_variant(std::nan("")).less(as_variant(1)));
}

}  // namespace
