// The script's String class and the string methods that scripts call on
// string values. Indexes count characters of the UTF-8 text, not bytes.
#pragma once
#include "swf/base/small_string.h"
#include "swf/script/as_plain_object.h"
#include "swf/script/native_call.h"

namespace swf {

class string_object : public as_plain_object {
 public:
  explicit string_object(const small_string& text) : text(text) {}

  const small_string text;
};

// "String": a new String object of the first argument's text.
void string_ctor(const native_call& call);
// Runs the method of that name (letter case ignored) on the text; an unknown
// method answers undefined.
void string_method(const native_call& call, const small_string& method, const small_string& text);

}  // namespace swf
