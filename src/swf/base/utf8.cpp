#include "swf/base/utf8.h"

namespace swf {

uint32_t utf8_decode_next(const char** text) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(*text);
  const unsigned char lead = *p;
  if (lead == 0) return 0;
  ++p;
  *text = reinterpret_cast<const char*>(p);
  if (lead < 0x80) return lead;

  int continuation;
  uint32_t value;
  if ((lead & 0xE0) == 0xC0) {
    continuation = 1, value = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    continuation = 2, value = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    continuation = 3, value = lead & 0x07;
  } else if ((lead & 0xFC) == 0xF8) {
    continuation = 4, value = lead & 0x03;
  } else if ((lead & 0xFE) == 0xFC) {
    continuation = 5, value = lead & 0x01;
  } else {
    return kReplacementCharacter;  // a stray continuation byte, 0xFE or 0xFF
  }
  for (int k = 0; k < continuation; ++k, ++p) {
    if (*p == 0) return 0;
    if ((*p & 0xC0) != 0x80) return kReplacementCharacter;
    value = (value << 6) | (*p & 0x3F);
    *text = reinterpret_cast<const char*>(p + 1);
  }

  static const uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000, 0x200000, 0x4000000};
  if (value < kSmallest[continuation]) return kReplacementCharacter;
  if (continuation == 2 && ((value >= 0xD800 && value <= 0xDFFF) || value == 0xFFFE || value == 0xFFFF))
    return kReplacementCharacter;
  return value;
}

void utf8_encode(char* buffer, int* index, uint32_t code_point) {
  unsigned char* out = reinterpret_cast<unsigned char*>(buffer) + *index;
  int count;
  unsigned char lead;
  if (code_point < 0x80) {
    out[0] = static_cast<unsigned char>(code_point);
    *index += 1;
    return;
  } else if (code_point < 0x800) {
    count = 2, lead = 0xC0;
  } else if (code_point < 0x10000) {
    count = 3, lead = 0xE0;
  } else if (code_point < 0x200000) {
    count = 4, lead = 0xF0;
  } else if (code_point < 0x4000000) {
    count = 5, lead = 0xF8;
  } else if (code_point < 0x80000000u) {
    count = 6, lead = 0xFC;
  } else {
    return;
  }
  for (int k = count - 1; k > 0; --k) {
    out[k] = static_cast<unsigned char>(0x80 | (code_point & 0x3F));
    code_point >>= 6;
  }
  out[0] = static_cast<unsigned char>(lead | code_point);
  *index += count;
}

}  // namespace swf
