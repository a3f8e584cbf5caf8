#include "swf/script/function_actions.h"

#include "swf/base/counted_ptr.h"
#include "swf/base/log.h"
#include "swf/script/as_function.h"
#include "swf/script/as_plain_object.h"
#include "swf/script/call_method.h"
#include "swf/script/native_call.h"
#include "swf/script/string_object.h"

namespace swf {
namespace {
// An argument count from the stack, within what the stack holds below the
// values the action itself takes.
int clamp_count(const as_variant& count, const as_context& context, int taken) {
  const int n = count.to_int32();
  const int available = context.stack_size() - taken;
  if (n < 0) return 0;
  return n > available ? available : n;
}

void pad(as_context& context, int n) {
  while (context.stack_size() < n) context.stack.insert(0, as_variant());
}
}  // namespace

void call_function_action(as_context& context, const with_stack& with) {
  pad(context, 2);
  as_variant function = context.top(0);
  if (function.kind() == as_variant::STRING) {
    const small_string name(function.to_string());
    function = context.get_variable(name, with);
    if (!function.is_function()) log_error("error in call_function: '%s' is not a function\n", name.c_str());
  }
  const int n = clamp_count(context.top(1), context, 2);
  const as_variant result = call_method(function, &context, nullptr, n, context.stack_size() - 3);
  context.drop(2 + n);
  context.push(result);
}

void call_method_action(as_context& context, int swf_version) {
  pad(context, 3);
  const small_string name(context.top(0).to_string());
  const as_variant object_value(context.top(1));
  scriptable* o = object_value.to_object();
  const int n = clamp_count(context.top(2), context, 3);
  as_variant result;
  if (o) {
    counted_ptr<scriptable> held(o);
    as_variant method;
    if (!o->get_member(name, &method)) {
      log_error("error: call_method can't find method %s\n", name.c_str());
    } else if (!method.is_function()) {
      log_error("error: call_method: '%s' is not a method\n", name.c_str());
    } else {
      result = call_method(method, &context, o, n, context.stack_size() - 4);
    }
  } else if (object_value.kind() == as_variant::STRING) {
    const small_string text(object_value.to_string_versioned(swf_version));
    string_method(native_call{&result, nullptr, &context, n, context.stack_size() - 4}, name, text);
  } else if (object_value.kind() == as_variant::C_FUNCTION) {
    // String.fromCharCode and the like: string methods on no text.
    if (object_value.to_c_function() == string_ctor)
      string_method(native_call{&result, nullptr, &context, n, context.stack_size() - 4}, name, small_string());
    else
      log_error("error: method call on unknown c function.\n");
  } else if (object_value.kind() == as_variant::NUMBER && name == "toString") {
    result.set_string(object_value.to_string());
  } else {
    log_error("error: call_method '%s' on invalid object.\n", name.c_str());
  }
  context.drop(3 + n);
  context.push(result);
}

void new_object_action(as_context& context, const with_stack& with) {
  pad(context, 2);
  const small_string class_name(context.pop().to_string());
  const int n = clamp_count(context.pop(), context, 0);
  const as_variant ctor = context.get_variable(class_name, with);
  as_variant made;
  if (c_function native = ctor.to_c_function()) {
    native(native_call{&made, nullptr, &context, n, context.stack_size() - 1});
  } else if (as_function* function = ctor.to_as_function()) {
    as_variant prototype;
    function->get_properties()->get_member("prototype", &prototype);
    as_plain_object* object = new as_plain_object(prototype.to_object());
    made.set_object(object);
    object->set_member("constructor", ctor);
    object->set_member_flags("constructor", member_slot::DONT_ENUM);
    call_method(ctor, &context, object, n, context.stack_size() - 1);
  } else if (class_name == "String") {
    log_message("Created special String class");
  } else {
    log_error("can't create object with unknown class '%s'\n", class_name.c_str());
  }
  context.drop(n);
  context.push(made);
}

}  // namespace swf
