// The hash functions and key comparison of the player's tables. Letter case
// folds on ASCII only, byte by byte as unsigned values, in hashing and
// comparison alike, so equal keys always hash alike.
#pragma once
#include <cstddef>
#include <cstdint>

namespace swf {

constexpr uint32_t kHashSeed = 5381;

// From the last byte to the first: h = h * 65599 + byte.
uint32_t hash_bytes_65599(const void* bytes, size_t count, uint32_t seed);
// From the last byte to the first: h = (h * 33) ^ byte.
uint32_t hash_bytes_xor33(const void* bytes, size_t count, uint32_t seed);
// From the last character to the first: h = (h * 33) ^ lower(byte), seed 5381.
uint32_t hash_string_nocase(const char* text);
// Negative, zero or positive as `a` sorts before, with or after `b`,
// letters compared without regard to case.
int compare_nocase(const char* a, const char* b);

inline unsigned char ascii_lower(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }
inline unsigned char ascii_upper(unsigned char c) { return c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c; }

}  // namespace swf

#include <cstring>

namespace swf {

// How a table hashes and compares its keys: integers, pointers and event ids
// by their bytes; strings by the case-folding pair above (small_string.h).
template <class K>
struct key_hash {
  static uint32_t hash(const K& key) { return hash_bytes_65599(&key, sizeof key, kHashSeed); }
  static bool equals(const K& a, const K& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
};

}  // namespace swf
