// The player's string of UTF-8 text: up to 14 bytes inline, longer texts in a
// C heap block whose capacity moves in steps of 16 bytes. Lengths and indexes
// count bytes, except in the operations named utf8_*, which count characters.
#pragma once
#include <cstdint>

#include "swf/base/hash_functions.h"

namespace swf {

class small_string {
 public:
  static constexpr int32_t kInlineLength = 14;

  small_string();
  small_string(const char* text);  // NOLINT: C strings convert freely
  small_string(const char* text, int32_t length);
  small_string(const small_string& other);
  small_string(small_string&& other) noexcept;
  ~small_string();

  small_string& operator=(const char* text);
  small_string& operator=(const small_string& other);
  small_string& operator=(small_string&& other) noexcept;

  const char* c_str() const { return is_heap() ? body_.heap.buffer : body_.inline_text + 1; }
  char* data() { return is_heap() ? body_.heap.buffer : body_.inline_text + 1; }
  int32_t length() const { return size() - 1; }
  // Bytes in use, terminator included.
  int32_t size() const { return is_heap() ? static_cast<int32_t>(body_.heap.size) : body_.inline_text[0]; }
  // Bytes the text may use before the form or block changes.
  int32_t capacity() const { return is_heap() ? static_cast<int32_t>(body_.heap.capacity) : kInlineLength + 1; }
  bool is_heap() const { return static_cast<unsigned char>(body_.inline_text[0]) == kHeapMark; }

  // Sets the length to n bytes, terminated; the bytes below the old length
  // stay, the ones above it are left for the caller to fill.
  void resize(int32_t n);
  void append(const char* text);
  void append_char(char c);
  void append_code_point(uint32_t code_point);
  // Replaces the text with zero-terminated UTF-16, surrogate pairs joined and
  // a lone half written as U+FFFD.
  void assign_wide(const char16_t* text);

  // Characters decoded before the terminator or before the first character
  // that starts at or after byte n.
  static int32_t utf8_length(const char* text, int32_t n);
  int32_t utf8_length() const { return utf8_length(c_str(), length()); }
  // The code point of character i, or 0 past the end.
  uint32_t utf8_char_at(int32_t i) const;
  // Characters [start, end); empty when start is at or past either end.
  small_string utf8_substring(int32_t start, int32_t end) const;
  small_string utf8_to_upper() const;
  small_string utf8_to_lower() const;

  bool operator==(const small_string& other) const;
  bool operator!=(const small_string& other) const { return !(*this == other); }
  bool operator==(const char* text) const;

 private:
  static constexpr unsigned char kHeapMark = 0xFF;

  small_string map_ascii(unsigned char (*map)(unsigned char)) const;
  void free_heap();

  union body {
    char inline_text[kInlineLength + 2];  // length + 1, then text and terminator
    struct {
      char mark;
      uint32_t size;
      uint32_t capacity;
      char* buffer;
    } heap;
  } body_;
};

// String keys hash and compare without regard to letter case.
template <>
struct key_hash<small_string> {
  static uint32_t hash(const small_string& key) { return hash_string_nocase(key.c_str()); }
  static bool equals(const small_string& a, const small_string& b) { return compare_nocase(a.c_str(), b.c_str()) == 0; }
};

}  // namespace swf
