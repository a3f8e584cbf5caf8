// The actions that call functions and make objects: CallFunction,
// CallMethod and NewObject, on the context's stack.
#pragma once
#include "swf/script/as_context.h"

namespace swf {

void call_function_action(as_context& context, const with_stack& with);
void call_method_action(as_context& context, int swf_version);
void new_object_action(as_context& context, const with_stack& with);

}  // namespace swf
