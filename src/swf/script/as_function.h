// A function defined by byte code (DefineFunction or DefineFunction2): its
// body in the defining buffer, its parameters and, for the second form, its
// registers and flags.
#pragma once
#include <cstdint>

#include "swf/base/counted_object.h"
#include "swf/base/dyn_array.h"
#include "swf/base/small_string.h"
#include "swf/base/weak_handle.h"
#include "swf/script/as_context.h"

namespace swf {

class action_buffer;
class as_plain_object;
class movie;
struct native_call;

class as_function : public counted_object {
 public:
  enum : uint16_t {
    PRELOAD_THIS = 1 << 0,
    SUPPRESS_THIS = 1 << 1,
    PRELOAD_ARGUMENTS = 1 << 2,
    SUPPRESS_ARGUMENTS = 1 << 3,
    PRELOAD_SUPER = 1 << 4,
    SUPPRESS_SUPER = 1 << 5,
    PRELOAD_ROOT = 1 << 6,
    PRELOAD_PARENT = 1 << 7,
    PRELOAD_GLOBAL = 1 << 8
  };

  struct parameter {
    int32_t register_number = 0;  // 0: a named local
    small_string name;
  };

  // A null context runs the function in its caller's context.
  as_function(action_buffer* buffer, as_context* context, int32_t start, int32_t length, const with_stack& with);
  ~as_function() override;

  void call(const native_call& call);
  // Made on first request, with a "prototype" object of its own.
  as_plain_object* get_properties();
  void add_arg(int register_number, const char* name);

  bool function2 = false;
  uint8_t register_count = 0;
  uint16_t flags = 0;

 private:
  // The defining context while the clip owning it lives, else null.
  as_context* live_context() const;

  action_buffer* buffer_;  // belongs to its action tag
  as_context* context_;    // not counted
  weak_handle<movie> context_owner_;
  with_stack with_;
  int32_t start_;
  int32_t length_;
  dyn_array<parameter> parameters_;
  as_plain_object* properties_ = nullptr;  // one reference held
};

}  // namespace swf
