#include "swf/script/string_object.h"

#include <cstring>

#include "swf/base/hash_functions.h"
#include "swf/base/utf8.h"

namespace swf {
namespace {

void char_code_at(const native_call& call, const small_string& text) {
  const int32_t index = call.arg(0).to_int32();
  const bool inside = index >= 0 && index < text.utf8_length();
  call.set_result(as_variant(inside ? static_cast<double>(text.utf8_char_at(index)) : 0.0));
}

void char_at(const native_call& call, const small_string& text) {
  const int32_t index = call.arg(0).to_int32();
  small_string one;
  if (index >= 0 && index < text.utf8_length()) one = text.utf8_substring(index, index + 1);
  call.set_result(as_variant(one.c_str()));
}

void from_char_code(const native_call& call) {
  small_string text;
  for (int i = 0; i < call.arg_count; ++i) text.append_code_point(static_cast<uint32_t>(call.arg(i).to_int32()));
  call.set_result(as_variant(text.c_str()));
}

// The start is a character index; the answer counts characters too.
void index_of(const native_call& call, const small_string& text) {
  if (call.arg_count < 1) {
    call.set_result(as_variant(-1));
    return;
  }
  const small_string search(call.arg(0).to_string());
  const int32_t start = call.arg_count > 1 ? call.arg(1).to_int32() : 0;
  const int32_t count = text.utf8_length();
  int32_t found = -1;
  if (start >= 0 && start <= count) {
    // The byte offset of the start character.
    const char* from = text.c_str();
    for (int32_t i = 0; i < start; ++i) utf8_decode_next(&from);
    if (const char* hit = std::strstr(from, search.c_str()))
      found = small_string::utf8_length(text.c_str(), static_cast<int32_t>(hit - text.c_str()));
  }
  call.set_result(as_variant(found));
}

int32_t clamp(int32_t value, int32_t low, int32_t high) { return value < low ? low : value > high ? high : value; }

void substring(const native_call& call, const small_string& text) {
  const int32_t count = text.utf8_length();
  int32_t start = call.arg_count > 0 ? clamp(call.arg(0).to_int32(), 0, count) : 0;
  int32_t end = call.arg_count > 1 ? clamp(call.arg(1).to_int32(), 0, count) : count;
  if (end < start) {
    const int32_t swapped = start;
    start = end;
    end = swapped;
  }
  call.set_result(as_variant(text.utf8_substring(start, end).c_str()));
}

bool named(const small_string& method, const char* name) { return compare_nocase(method.c_str(), name) == 0; }

// The String object's own methods: its text and their own name go to the
// string methods.
string_object* string_of(const native_call& call) { return dynamic_cast<string_object*>(call.this_object); }

void string_to_string(const native_call& call) {
  if (string_object* object = string_of(call)) call.set_result(as_variant(object->text.c_str()));
}

template <const char* kName>
void string_own_method(const native_call& call) {
  if (string_object* object = string_of(call)) string_method(call, kName, object->text);
}

constexpr char kFromCharCode[] = "fromCharCode";
constexpr char kCharCodeAt[] = "charCodeAt";
constexpr char kLastIndexOf[] = "lastIndexOf";

}  // namespace

void string_method(const native_call& call, const small_string& method, const small_string& text) {
  if (named(method, "charCodeAt")) {
    char_code_at(call, text);
  } else if (named(method, "charAt")) {
    char_at(call, text);
  } else if (named(method, "fromCharCode")) {
    from_char_code(call);
  } else if (named(method, "toUpperCase")) {
    call.set_result(as_variant(text.utf8_to_upper().c_str()));
  } else if (named(method, "toLowerCase")) {
    call.set_result(as_variant(text.utf8_to_lower().c_str()));
  } else if (named(method, "indexOf")) {
    index_of(call, text);
  } else if (named(method, "substring")) {
    substring(call, text);
  } else {
    call.set_result(as_variant());
  }
}

void string_ctor(const native_call& call) {
  const small_string text(call.arg_count > 0 ? call.arg(0).to_string() : small_string());
  string_object* object = new string_object(text);
  const as_variant value(static_cast<scriptable*>(object));
  object->set_member("toString", as_variant(string_to_string));
  object->set_member(kFromCharCode, as_variant(string_own_method<kFromCharCode>));
  object->set_member(kCharCodeAt, as_variant(string_own_method<kCharCodeAt>));
  object->set_member(kLastIndexOf, as_variant(string_own_method<kLastIndexOf>));
  call.set_result(value);
}

}  // namespace swf
