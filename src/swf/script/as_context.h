// The state that byte code runs against: the value stack, registers, the
// current target, the owning clip's variables and the named locals of the
// calls in progress. It also resolves names and paths.
#pragma once
#include <cstdint>

#include "swf/base/dyn_array.h"
#include "swf/base/open_hash.h"
#include "swf/base/small_string.h"
#include "swf/script/as_variant.h"

namespace swf {

class movie;
class scriptable;

// A named local; an empty name marks where a call's locals begin.
struct local_slot {
  small_string name;
  as_variant value;
};

// An object of a `with` block and the buffer offset where the block ends.
struct with_entry {
  with_entry() = default;
  with_entry(scriptable* object, int32_t end);
  with_entry(const with_entry& other);
  with_entry& operator=(const with_entry& other);
  ~with_entry();

  scriptable* object = nullptr;  // one reference held
  int32_t end = 0;
};

using with_stack = dyn_array<with_entry>;

class as_context {
 public:
  // The owner is the clip whose variables these are; it is the target at
  // rest.
  explicit as_context(movie* owner);

  // Stack; reads below the bottom answer undefined.
  void push(const as_variant& value) { stack.push_back(value); }
  void push(bool value) { stack.push_back(as_variant(value)); }
  void push(int value) { stack.push_back(as_variant(value)); }
  void push(float value) { stack.push_back(as_variant(static_cast<double>(value))); }
  void push(double value) { stack.push_back(as_variant(value)); }
  void push(const char* text) { stack.push_back(as_variant(text)); }
  void push(const char16_t* text) { stack.push_back(as_variant(text)); }
  // The value n places below the top (0 is the top).
  as_variant& top(int n);
  as_variant pop();
  void drop(int n);
  int32_t stack_size() const { return stack.size(); }

  // The local register n of the innermost function call; register 1 is the
  // last one. Any other n logs and answers global register 0.
  as_variant* local_register_ptr(int n);

  void add_frame_barrier() { add_local("", as_variant()); }
  // The slot of the name in the current call's locals (exact case), or -1.
  int find_local(const small_string& name) const;
  void set_local(const small_string& name, const as_variant& value);
  void add_local(const small_string& name, const as_variant& value);
  void declare_local(const small_string& name);

  bool get_member(const small_string& name, as_variant* out) const { return variables.get(name, out); }
  void set_member(const small_string& name, const as_variant& value) { variables.set(name, value); }

  as_variant get_variable(const small_string& path, const with_stack& with) const;
  void set_variable(const small_string& path, const as_variant& value, const with_stack& with);
  as_variant get_variable_raw(const small_string& name, const with_stack& with) const;
  void set_variable_raw(const small_string& name, const as_variant& value, const with_stack& with);
  // Splits "path:variable" or "path.variable"; false when there is neither
  // separator.
  static bool parse_path(const small_string& text, small_string* path, small_string* variable);
  movie* find_target(const small_string& path) const;
  movie* find_target(const as_variant& value) const;

  movie* owner() const { return owner_; }

  dyn_array<as_variant> stack;
  as_variant global_registers[4];
  dyn_array<as_variant> local_registers;
  movie* target;  // not counted
  open_hash<small_string, as_variant> variables;
  dyn_array<local_slot> local_frames;

 private:
  movie* owner_;  // not counted: it owns this context
  as_variant below_bottom_;
};

}  // namespace swf
