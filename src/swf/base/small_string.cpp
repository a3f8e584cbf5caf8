#include "swf/base/small_string.h"

#include <cstring>
#include <utility>

#include "swf/base/heap_block.h"
#include "swf/base/utf8.h"

namespace swf {
namespace {
// Heap blocks grow in steps of 16 bytes, with room for the terminator.
uint32_t heap_capacity_for(int32_t length) { return (static_cast<uint32_t>(length) + 16) & ~15u; }

// Reads the code point of a UTF-16 unit or surrogate pair, moving past it.
uint32_t decode_utf16(const char16_t*& p) {
  const uint32_t unit = *p++;
  if (unit >= 0xD800 && unit <= 0xDBFF) {
    const uint32_t low = *p;
    if (low < 0xDC00 || low > 0xDFFF) return kReplacementCharacter;
    ++p;
    return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
  }
  if (unit >= 0xDC00 && unit <= 0xDFFF) return kReplacementCharacter;
  return unit;
}

int encoded_size(uint32_t code_point) {
  char scratch[6];
  int count = 0;
  utf8_encode(scratch, &count, code_point);
  return count;
}
}  // namespace

small_string::small_string() {
  std::memset(&body_, 0, sizeof body_);
  body_.inline_text[0] = 1;
}

small_string::small_string(const char* text) : small_string(text, static_cast<int32_t>(std::strlen(text))) {}

small_string::small_string(const char* text, int32_t length) : small_string() {
  resize(length);
  if (length > 0) std::memcpy(data(), text, static_cast<size_t>(length));
}

small_string::small_string(const small_string& other) : small_string(other.c_str(), other.length()) {}

small_string::small_string(small_string&& other) noexcept : body_(other.body_) {
  std::memset(&other.body_, 0, sizeof other.body_);
  other.body_.inline_text[0] = 1;
}

small_string::~small_string() { free_heap(); }

small_string& small_string::operator=(const char* text) {
  if (text == c_str()) return *this;
  const int32_t length = static_cast<int32_t>(std::strlen(text));
  small_string copy(text, length);  // `text` may lie in this string's block
  return *this = std::move(copy);
}

small_string& small_string::operator=(const small_string& other) {
  if (this != &other) {
    resize(other.length());
    std::memcpy(data(), other.c_str(), static_cast<size_t>(other.length()));
  }
  return *this;
}

small_string& small_string::operator=(small_string&& other) noexcept {
  std::swap(body_, other.body_);
  return *this;
}

void small_string::free_heap() {
  if (is_heap()) heap_free(body_.heap.buffer);
}

void small_string::resize(int32_t n) {
  if (n < 0) n = 0;
  if (is_heap()) {
    if (n <= kInlineLength) {
      char* block = body_.heap.buffer;
      std::memcpy(body_.inline_text + 1, block, kInlineLength + 1);
      body_.inline_text[0] = static_cast<char>(n + 1);
      body_.inline_text[1 + n] = 0;
      heap_free(block);
      return;
    }
    const uint32_t capacity = heap_capacity_for(n);
    if (capacity != body_.heap.capacity) {
      body_.heap.buffer = static_cast<char*>(heap_reallocate(body_.heap.buffer, capacity));
      body_.heap.capacity = capacity;
    }
    body_.heap.size = static_cast<uint32_t>(n) + 1;
    body_.heap.buffer[n] = 0;
    return;
  }
  if (n <= kInlineLength) {
    body_.inline_text[0] = static_cast<char>(n + 1);
    body_.inline_text[1 + n] = 0;
    return;
  }
  const uint32_t capacity = heap_capacity_for(n);
  char* block = static_cast<char*>(heap_allocate(capacity));
  std::memset(block, 0, capacity);
  std::memcpy(block, body_.inline_text + 1, static_cast<size_t>(length()));
  body_.heap.mark = static_cast<char>(kHeapMark);
  body_.heap.size = static_cast<uint32_t>(n) + 1;
  body_.heap.capacity = capacity;
  body_.heap.buffer = block;
}

void small_string::append(const char* text) {
  const int32_t old_length = length();
  const int32_t added = static_cast<int32_t>(std::strlen(text));
  if (text >= c_str() && text < c_str() + size()) {  // appending a piece of itself
    small_string copy(text, added);
    resize(old_length + added);
    std::memcpy(data() + old_length, copy.c_str(), static_cast<size_t>(added));
  } else {
    resize(old_length + added);
    std::memcpy(data() + old_length, text, static_cast<size_t>(added));
  }
}

void small_string::append_char(char c) {
  const int32_t old_length = length();
  resize(old_length + 1);
  data()[old_length] = c;
}

void small_string::append_code_point(uint32_t code_point) {
  char bytes[7];
  int count = 0;
  utf8_encode(bytes, &count, code_point);
  bytes[count] = 0;
  append(bytes);
}

void small_string::assign_wide(const char16_t* text) {
  int32_t bytes = 0;
  for (const char16_t* p = text; *p;) bytes += encoded_size(decode_utf16(p));
  resize(bytes);
  int index = 0;
  for (const char16_t* p = text; *p;) utf8_encode(data(), &index, decode_utf16(p));
}

int32_t small_string::utf8_length(const char* text, int32_t n) {
  if (n <= 0) return 0;
  int32_t count = 0;
  const char* p = text;
  while (p - text < n && utf8_decode_next(&p) != 0) ++count;
  return count;
}

uint32_t small_string::utf8_char_at(int32_t i) const {
  const char* p = c_str();
  uint32_t code_point = utf8_decode_next(&p);
  for (; i > 0 && code_point != 0; --i) code_point = utf8_decode_next(&p);
  return code_point;
}

small_string small_string::utf8_substring(int32_t start, int32_t end) const {
  small_string result;
  if (start < 0) start = 0;
  const char* p = c_str();
  const char* first = nullptr;
  for (int32_t index = 0; index < end; ++index) {
    if (index == start) first = p;
    if (utf8_decode_next(&p) == 0) break;
  }
  if (first && p > first) result = small_string(first, static_cast<int32_t>(p - first));
  return result;
}

small_string small_string::map_ascii(unsigned char (*map)(unsigned char)) const {
  small_string result;
  const char* p = c_str();
  for (uint32_t code_point; (code_point = utf8_decode_next(&p)) != 0;)
    result.append_code_point(code_point < 0x80 ? map(static_cast<unsigned char>(code_point)) : code_point);
  return result;
}

small_string small_string::utf8_to_upper() const { return map_ascii(ascii_upper); }
small_string small_string::utf8_to_lower() const { return map_ascii(ascii_lower); }

bool small_string::operator==(const small_string& other) const {
  return length() == other.length() && std::memcmp(c_str(), other.c_str(), static_cast<size_t>(length())) == 0;
}

bool small_string::operator==(const char* text) const { return std::strcmp(c_str(), text) == 0; }

}  // namespace swf
