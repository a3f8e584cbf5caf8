#include "swf/script/call_method.h"

#include <string>

#include "swf/base/log.h"
#include "swf/script/as_context.h"
#include "swf/script/as_function.h"
#include "swf/script/native_call.h"

namespace swf {

as_variant call_method(const as_variant& function, as_context* context, scriptable* this_object, int arg_count,
                       int first_arg) {
  const as_variant held(function);  // the value may live on the stack the call changes
  as_variant result;
  const native_call call{&result, this_object, context, arg_count, first_arg};
  if (c_function native = held.to_c_function()) {
    native(call);
  } else if (as_function* script = held.to_as_function()) {
    script->call(call);
  } else {
    log_error("error in call_method(): method is not a function\n");
  }
  return result;
}

as_variant call_method0(const as_variant& function, as_context* context, scriptable* this_object) {
  return call_method(function, context, this_object, 0, context->stack_size());
}

const char* call_method_parsed(as_context* context, scriptable* this_object, const char* method_name,
                               const char* format, va_list args) {
  log_message("FIXME(%d): %s\n", 449, "swf::call_method_parsed");
  const int32_t base = context->stack_size();
  for (const char* p = format; *p; ++p) {
    const char c = *p;
    if (c == ' ' || c == '\t' || c == ',') continue;
    if (c != '%') {
      log_error("call_method_parsed('%s','%s') -- invalid char '%c'\n", method_name, format, c);
      continue;
    }
    const char directive = p[1];
    if (directive == 'd') {
      context->push(va_arg(args, int));
      ++p;
    } else if (directive == 'f') {
      context->push(va_arg(args, double));
      ++p;
    } else if (directive == 's') {
      context->push(va_arg(args, const char*));
      ++p;
    } else if (directive == 'l') {
      if (p[2] == 's') {
        context->push(va_arg(args, const char16_t*));
        p += 2;
      } else {
        log_error("call_method_parsed('%s','%s') -- invalid fmt '%%l%c'\n", method_name, format, p[2]);
        if (p[2]) p += 2; else ++p;
      }
    } else {
      log_error("call_method_parsed('%s','%s') -- invalid fmt '%%%c'\n", method_name, format, directive);
      if (directive) ++p;
    }
  }
  const int32_t count = context->stack_size() - base;
  for (int32_t i = 0; i < count / 2; ++i) {
    const as_variant low(context->stack[base + i]);
    context->stack[base + i] = context->stack[base + count - 1 - i];
    context->stack[base + count - 1 - i] = low;
  }
  const as_variant method = context->get_variable(method_name, with_stack());
  const as_variant result = call_method(method, context, this_object, count, context->stack_size() - 1);
  context->drop(count);
  static std::string text;
  text = result.to_string().c_str();
  return text.c_str();
}

}  // namespace swf
