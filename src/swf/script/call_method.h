// Calling a function value: a native function or a script function.
#pragma once
#include <cstdarg>
#include <cstdint>

#include "swf/script/as_variant.h"

namespace swf {

class as_context;
class scriptable;

// Calls the value with n arguments whose first is stack element `first`;
// anything that is not a function logs and gives undefined.
as_variant call_method(const as_variant& function, as_context* context, scriptable* this_object, int arg_count,
                       int first_arg);
as_variant call_method0(const as_variant& function, as_context* context, scriptable* this_object);
// Calls the variable of that name with the arguments the format names
// ("%d", "%f", "%s", "%ls"); answers the text of the result, valid until the
// next call.
const char* call_method_parsed(as_context* context, scriptable* this_object, const char* method_name,
                               const char* format, va_list args);

}  // namespace swf
