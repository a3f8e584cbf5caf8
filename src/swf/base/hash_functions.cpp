#include "swf/base/hash_functions.h"

#include <cstring>

namespace swf {

uint32_t hash_bytes_65599(const void* bytes, size_t count, uint32_t seed) {
  const unsigned char* data = static_cast<const unsigned char*>(bytes);
  uint32_t h = seed;
  while (count > 0) h = h * 65599u + data[--count];
  return h;
}

uint32_t hash_bytes_xor33(const void* bytes, size_t count, uint32_t seed) {
  const unsigned char* data = static_cast<const unsigned char*>(bytes);
  uint32_t h = seed;
  while (count > 0) h = (h * 33u) ^ data[--count];
  return h;
}

uint32_t hash_string_nocase(const char* text) {
  const unsigned char* data = reinterpret_cast<const unsigned char*>(text);
  size_t count = std::strlen(text);
  uint32_t h = kHashSeed;
  while (count > 0) h = (h * 33u) ^ ascii_lower(data[--count]);
  return h;
}

int compare_nocase(const char* a, const char* b) {
  const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
  const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
  for (;; ++x, ++y) {
    const int difference = ascii_lower(*x) - ascii_lower(*y);
    if (difference != 0 || *x == 0) return difference;
  }
}

}  // namespace swf
