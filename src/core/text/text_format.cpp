#include "core/text/text_format.h"

#include <cmath>
#include <cstdio>

namespace lang {

std::string FormatThousands(int32_t value) {
  // Widened so that the most negative value has a magnitude too.
  int64_t magnitude = value < 0 ? -static_cast<int64_t>(value) : value;
  std::string digits = std::to_string(magnitude);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return value < 0 ? "-" + out : out;
}

std::string FormatTime(float seconds) {
  // Truncation of a negative, NaN or huge float would give a negative
  // remainder or be undefined.
  constexpr float kLongest = 2147483520.0f;  // the largest float below 2^31
  int whole = 0;
  if (seconds >= 1.0f) whole = static_cast<int>(std::fmin(seconds, kLongest));
  const int minutes = whole / 60, rest = whole % 60;
  char text[32];
  std::snprintf(text, sizeof text, rest >= 10 ? "%2i:%2i" : "%2i:0%i", minutes, rest);
  return text;
}

}  // namespace lang
