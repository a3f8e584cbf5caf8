// One call of a function: where the result goes, the object the call is
// made on, and the arguments on the context's stack.
#pragma once
#include <cstdint>

#include "swf/script/as_variant.h"

namespace swf {

class as_context;

struct native_call {
  as_variant* result;  // null when the caller wants no result
  scriptable* this_object;
  as_context* context;
  int32_t arg_count;
  // Argument i is stack element (first_arg - i): argument 0 is nearest the
  // top.
  int32_t first_arg;

  // Argument i, or undefined when the stack does not hold it.
  const as_variant& arg(int i) const;
  // Stores the result, unless the caller wants none.
  void set_result(const as_variant& value) const {
    if (result) *result = value;
  }
};

}  // namespace swf
