// A block of ActionScript byte code as a tag holds it: the actions exactly
// as read, up to and including the End action, with the constant pool that
// its first ConstantPool action builds.
#pragma once
#include <cstdint>

#include "swf/base/dyn_array.h"
#include "swf/script/as_context.h"

namespace swf {

class as_variant;
class bit_stream;

// How far scripts may go: nested runs (function calls, CallFrame,
// constructors, event handlers), the actions of one outermost run with
// everything it calls, the actions of one step's pass of a clip's queued
// frame actions, the values on the stack and the bytes of a string the script
// joins. Far above what real movies reach; tests lower them.
struct script_limits {
  static int32_t max_call_depth;
  static int64_t max_actions_per_run;
  static int64_t max_actions_per_step;
  static int32_t max_stack_values;
  static int32_t max_string_bytes;
};

// One script run for its lifetime: the outermost scope starts a fresh budget
// of actions (at most `budget`), and every buffer executed meanwhile is nested
// in it. A pass that runs buffers one after another (which may queue more)
// holds one, so that scripts that keep queuing one another end with the
// budget.
class script_run_scope {
 public:
  explicit script_run_scope(int64_t budget = script_limits::max_actions_per_run);
  ~script_run_scope();
  // True once the budget of the outermost run is spent: nothing more runs in it.
  static bool budget_spent();
  script_run_scope(const script_run_scope&) = delete;
  script_run_scope& operator=(const script_run_scope&) = delete;
};

class action_buffer {
 public:
  // Appends actions until one whose code is 0 has been appended (or the data
  // stops): the code, and for codes of 0x80 and up the two length bytes and
  // that many bytes of data.
  void read(bit_stream& in);
  // Takes the actions as they stand, for tests and tools.
  void assign(const uint8_t* bytes, int32_t count);

  // Runs the whole buffer as a script of its own, with its own locals.
  void execute(as_context* context);
  // Runs [start, start + length) with a copy of the with-stack; a Return
  // stores its value in `result` when one is given.
  void execute(as_context* context, int32_t start, int32_t length, as_variant* result, const with_stack& with,
               bool function2);
  // The ConstantPool action at [start, end).
  void process_decl_dict(int32_t start, int32_t end);

  int32_t length() const { return bytes_.size(); }
  const dyn_array<uint8_t>& bytes() const { return bytes_; }
  int32_t pool_size() const { return pool_.size(); }
  const char* pool_text(int32_t i) const { return pool_[i]; }

 private:
  dyn_array<uint8_t> bytes_;
  dyn_array<const char*> pool_;
  int32_t pool_position_ = -1;
};

// The name of an action code in the interpreter's table, or null.
const char* action_opcode_name(int code);

}  // namespace swf
