#include "core/text/text_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace {

TEST(TextFormat, Thousands) {
  struct Case {
    int32_t value;
    const char* text;
  } cases[] = {
      {0, "0"},         {5, "5"},           {999, "999"},           {1000, "1,000"},
      {100, "100"},     {-5, "-5"},         {-1000, "-1,000"},      {-1234, "-1,234"},
      {123456, "123,456"}, {1234567, "1,234,567"}, {INT32_MAX, "2,147,483,647"},
      {INT32_MIN, "-2,147,483,648"},
  };
  for (const Case& c : cases) EXPECT_EQ(lang::FormatThousands(c.value), c.text) << c.value;
}

TEST(TextFormat, Time) {
  struct Case {
    float seconds;
    const char* text;
  } cases[] = {
      {65.9f, " 1:05"}, {600.0f, "10:00"}, {9.0f, " 0:09"},   {59.99f, " 0:59"},
      {70.0f, " 1:10"}, {0.0f, " 0:00"},   {0.5f, " 0:00"},   {6000.0f, "100:00"},
      {-5.0f, " 0:00"}, {NAN, " 0:00"},    {INFINITY, "35791392:00"},
  };
  for (const Case& c : cases) EXPECT_EQ(lang::FormatTime(c.seconds), c.text) << c.seconds;
}

}  // namespace
