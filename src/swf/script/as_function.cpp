#include "swf/script/as_function.h"

#include <cstdio>

#include "swf/action/action_buffer.h"
#include "swf/base/log.h"
#include "swf/script/as_plain_object.h"
#include "swf/script/builtins.h"
#include "swf/script/movie.h"
#include "swf/script/native_call.h"

namespace swf {

as_function::as_function(action_buffer* buffer, as_context* context, int32_t start, int32_t length,
                         const with_stack& with)
    : buffer_(buffer), context_(context), with_(with), start_(start), length_(length) {
  if (context_) context_owner_ = context_->owner();
}

as_function::~as_function() {
  if (properties_) release_ref(properties_);
}

as_context* as_function::live_context() const { return context_ && context_owner_.get() ? context_ : nullptr; }

as_plain_object* as_function::get_properties() {
  if (!properties_) {
    properties_ = new as_plain_object();
    properties_->take_ref();
    properties_->set_member("prototype", as_variant(static_cast<scriptable*>(new as_plain_object())));
  }
  return properties_;
}

void as_function::add_arg(int register_number, const char* name) {
  parameter p;
  p.register_number = register_number;
  p.name = name;
  parameters_.push_back(p);
}

void as_function::call(const native_call& call) {
  as_context* context = live_context();
  if (!context) context = call.context;
  const int32_t locals = context->local_frames.size();
  context->add_frame_barrier();
  const int known = call.arg_count < parameters_.size() ? call.arg_count : parameters_.size();
  int32_t registers_added = 0;
  if (function2) {
    registers_added = register_count;
    context->local_registers.resize(context->local_registers.size() + register_count);
    for (int i = 0; i < known; ++i) {
      if (parameters_[i].register_number != 0) {
        *context->local_register_ptr(parameters_[i].register_number) = call.arg(i);
      } else {
        context->add_local(parameters_[i].name, call.arg(i));
      }
    }
    int next = 1;
    const as_variant target(static_cast<scriptable*>(context->target));
    if (flags & PRELOAD_THIS) *context->local_register_ptr(next++) = target;
    if (!(flags & SUPPRESS_THIS)) context->add_local("this", target);
    if ((flags & PRELOAD_ARGUMENTS) || !(flags & SUPPRESS_ARGUMENTS)) {
      as_plain_object* arguments = new as_plain_object();
      const as_variant value(static_cast<scriptable*>(arguments));
      for (int i = 0; i < call.arg_count; ++i) {
        char index[16];
        std::snprintf(index, sizeof index, "%d", i);
        arguments->set_member(index, call.arg(i));
      }
      if (flags & PRELOAD_ARGUMENTS) *context->local_register_ptr(next++) = value;
      if (!(flags & SUPPRESS_ARGUMENTS)) context->add_local("arguments", value);
    }
    if (flags & PRELOAD_SUPER) {
      log_error("TODO: implement 'super' in function2 dispatch (reg)\n");
      ++next;
    }
    if (!(flags & SUPPRESS_SUPER)) log_error("TODO: implement 'super' in function2 dispatch (var)\n");
    if (flags & PRELOAD_ROOT)
      *context->local_register_ptr(next++) =
          as_variant(static_cast<scriptable*>(context->target ? context->target->get_root_sprite() : nullptr));
    if (flags & PRELOAD_PARENT) *context->local_register_ptr(next++) = context->get_variable("_parent", with_stack());
    if (flags & PRELOAD_GLOBAL) *context->local_register_ptr(next) = as_variant(static_cast<scriptable*>(global_object()));
  } else {
    for (int i = 0; i < known; ++i) context->add_local(parameters_[i].name, call.arg(i));
  }
  buffer_->execute(context, start_, length_, call.result, with_, function2);
  context->local_frames.resize(locals);
  if (registers_added) context->local_registers.resize(context->local_registers.size() - registers_added);
}

}  // namespace swf
