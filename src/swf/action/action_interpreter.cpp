// The interpreter: runs a range of an action buffer against a context.
#include <cmath>
#include <cstring>

#include "swf/action/action_buffer.h"
#include "swf/action/action_data.h"
#include "swf/action/get_url.h"
#include "swf/base/counted_ptr.h"
#include "swf/base/log.h"
#include "swf/base/numeric.h"
#include "swf/base/random_generator.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/script/as_function.h"
#include "swf/script/as_plain_object.h"
#include "swf/script/builtins.h"
#include "swf/script/function_actions.h"
#include "swf/script/movie.h"
#include "swf/script/native_call.h"
#include "swf/script/property_names.h"

namespace swf {

int32_t script_limits::max_call_depth = 256;
int64_t script_limits::max_actions_per_run = 20000000;
int64_t script_limits::max_actions_per_step = 100000;
int32_t script_limits::max_stack_values = 1 << 20;
int32_t script_limits::max_string_bytes = 1 << 24;

namespace {
constexpr int kMaxWithDepth = 8;

// Runs in progress, and the actions spent since the outermost began.
int g_run_depth = 0;
int64_t g_actions_spent = 0;
int64_t g_action_budget = 0;
bool g_budget_spent = false;

bool is_string(const as_variant& v) { return v.kind() == as_variant::STRING; }

// Unsigned byte order, as the string comparisons take it.
int compare_bytes(const as_variant& a, const as_variant& b) {
  const small_string left(a.to_string());
  return std::strcmp(left.c_str(), b.to_string().c_str());
}

class action_run {
 public:
  action_run(action_buffer& buffer, as_context& context, int32_t start, int32_t end, as_variant* result,
             const with_stack& with, bool function2)
      : buffer_(buffer),
        bytes_(buffer.bytes().begin()),
        context_(context),
        start_(start),
        end_(end),
        result_(result),
        with_(with),
        function2_(function2),
        owner_(context.owner()),
        original_target_(context.target),
        held_target_(context.target) {
    movie_definition_sub* definition = context.target ? context.target->get_definition() : nullptr;
    version_ = definition ? definition->get_swf_version() : 6;
  }

  void run();

 private:
  // Pads the stack with undefined below its bottom, so an action always
  // finds the values it takes.
  void need(int n) {
    while (context_.stack_size() < n) context_.stack.insert(0, as_variant());
  }
  as_variant& top(int n) { return context_.top(n); }
  void drop(int n) { context_.drop(n); }
  const small_string& strv(const as_variant& v) { return v.to_string_versioned(version_); }
  void set_target(movie* target) {
    context_.target = target;
    held_target_ = target;
  }

  void do_short_action(int code);
  // Answers false when the run must end.
  bool do_long_action(int code, int32_t pc, int32_t* next);
  void push_data(action_data data);
  void define_function(int code, action_data data, int32_t* next);
  void substring();
  void join_strings();
  void start_drag();
  void enumerate();
  void get_member();
  void goto_frame_expression(uint8_t flags);
  void get_url(const char* url, const char* target_text, const as_variant* target_value, bool second_form);
  void with_block(action_data data, int32_t next);
  bool jump(int32_t* next, int16_t offset, bool branch);

  action_buffer& buffer_;
  const uint8_t* bytes_;
  as_context& context_;
  int32_t start_;
  int32_t end_;
  as_variant* result_;
  with_stack with_;
  bool function2_;
  int version_ = 6;
  bool returned_ = false;
  // The clip owning the context and the current target stay alive while the
  // run uses them.
  counted_ptr<movie> owner_;
  movie* original_target_;
  counted_ptr<movie> held_original_target_{original_target_};
  counted_ptr<movie> held_target_;
};

void action_run::run() {
  int32_t pc = start_;
  while (pc < end_ && !returned_) {
    if (++g_actions_spent > g_action_budget) {
      if (!g_budget_spent)
        log_error("error: script stopped after %lld actions\n", static_cast<long long>(g_action_budget));
      g_budget_spent = true;
    }
    if (context_.stack_size() > script_limits::max_stack_values && !g_budget_spent) {
      // One push may add thousands of values: a loop of them would take all
      // memory long before the budget ends it.
      log_error("error: script stopped with more than %d values on the stack\n", script_limits::max_stack_values);
      g_budget_spent = true;
    }
    if (g_budget_spent) break;
    while (!with_.empty() && with_.back().end <= pc) with_.resize(with_.size() - 1);
    const int code = bytes_[pc];
    if (code == 0) break;
    if (code < 0x80) {
      do_short_action(code);
      ++pc;
      continue;
    }
    if (pc + 3 > end_) {
      log_error("error: action 0x%02X at %d runs past the end of its buffer at %d\n", code, pc, end_);
      break;
    }
    const int32_t length = bytes_[pc + 1] | bytes_[pc + 2] << 8;
    int32_t next = pc + 3 + length;
    if (next > end_) {
      log_error("error: action 0x%02X at %d runs past the end of its buffer at %d\n", code, pc, end_);
      break;
    }
    if (!do_long_action(code, pc, &next)) break;
    pc = next;
  }
  set_target(original_target_);
}

void action_run::do_short_action(int code) {
  movie* target = context_.target;
  switch (code) {
    case 0x04:  // next_frame
      if (target) target->goto_frame_index(target->get_frame_index() + 1);
      break;
    case 0x05:  // prev_frame
      if (target) target->goto_frame_index(target->get_frame_index() - 1);
      break;
    case 0x06:  // play
      if (target) target->set_play_state(movie::PLAY);
      break;
    case 0x07:  // stop
      if (target) target->set_play_state(movie::STOP);
      break;
    case 0x0A: need(2); top(1).add(top(0)); drop(1); break;
    case 0x0B: need(2); top(1).subtract(top(0)); drop(1); break;
    case 0x0C: need(2); top(1).multiply(top(0)); drop(1); break;
    case 0x0D: need(2); top(1).divide(top(0)); drop(1); break;
    case 0x0E:
    case 0x49:  // equ, eq_t
      need(2);
      top(1).set_bool(top(1).equals(top(0)));
      drop(1);
      break;
    case 0x0F: need(2); top(1).set_bool(top(1).less(top(0))); drop(1); break;
    case 0x10: need(2); top(1).set_bool(top(1).to_bool() && top(0).to_bool()); drop(1); break;
    case 0x11: need(2); top(1).set_bool(top(1).to_bool() || top(0).to_bool()); drop(1); break;
    case 0x12: need(1); top(0).set_bool(!top(0).to_bool()); break;
    case 0x13:  // str_eq
      need(2);
      top(1).set_bool(compare_bytes(top(1), top(0)) == 0);
      drop(1);
      break;
    case 0x14:  // str_len
      need(1);
      top(0).set_int(strv(top(0)).utf8_length());
      break;
    case 0x15: substring(); break;
    case 0x17: need(1); drop(1); break;
    case 0x18: need(1); top(0).set_number(double_to_int32(std::floor(top(0).to_number()))); break;
    case 0x1C: {  // get_var
      need(1);
      const small_string name(top(0).to_string());
      top(0) = context_.get_variable(name, with_);
      break;
    }
    case 0x1D: {  // set_var
      need(2);
      const small_string name(top(1).to_string());
      context_.set_variable(name, top(0), with_);
      drop(2);
      break;
    }
    case 0x20: {  // set_target_exp
      need(1);
      const as_variant object(top(0).to_object());
      if (movie* m = context_.find_target(object)) {
        set_target(m);
        log_message("-- ActionSetTarget2: %s (%d)", m->name.c_str(), m->id);
      }
      break;
    }
    case 0x21: join_strings(); break;  // str_cat
    case 0x22: {  // get_prop
      need(2);
      movie* m = context_.find_target(top(1));
      top(1) = m ? get_property(m, top(0).to_int32()) : as_variant();
      drop(1);
      break;
    }
    case 0x23: {  // set_prop
      need(3);
      if (movie* m = context_.find_target(top(2))) set_property(m, top(1).to_int32(), top(0));
      drop(3);
      break;
    }
    case 0x24: {  // dup_sprite
      need(3);
      const small_string source(top(2).to_string());
      const small_string copy(top(1).to_string());
      if (target) target->clone_character(source.c_str(), copy.c_str(), top(0).to_int32());
      drop(3);
      break;
    }
    case 0x25:  // rem_sprite
      need(1);
      if (target) target->remove_character_by_name(top(0).to_string().c_str());
      drop(1);
      break;
    case 0x26: {  // trace
      need(1);
      native_call call{nullptr, nullptr, &context_, 1, context_.stack_size() - 1};
      trace_builtin(call);
      drop(1);
      break;
    }
    case 0x27: start_drag(); break;
    case 0x28:  // stop_drag
      if (movie* root = target ? target->get_root_sprite() : nullptr) root->stop_drag();
      break;
    case 0x29: need(2); top(1).set_bool(compare_bytes(top(1), top(0)) < 0); drop(1); break;
    case 0x30: {  // random
      need(1);
      int limit = top(0).to_int32();
      if (limit < 1) limit = 1;
      top(0).set_number(next_random() % static_cast<uint32_t>(limit));
      break;
    }
    case 0x32:  // ord
      need(1);
      top(0).set_int(static_cast<int8_t>(top(0).to_string().c_str()[0]));
      break;
    case 0x33: {  // chr
      need(1);
      const char text[2] = {static_cast<char>(top(0).to_int32() & 0xFF), 0};
      top(0).set_string(text);
      break;
    }
    case 0x34:  // get_timer
      context_.push(static_cast<double>(std::floor((target ? target->get_time() : 0.0f) * 1000.0f)));
      break;
    case 0x2A: case 0x2B: case 0x2C: case 0x31: case 0x35: case 0x37: case 0x3A: case 0x3B:
    case 0x43: case 0x45: case 0x53: case 0x54: case 0x55: case 0x69:
      log_error("todo opcode: %02X\n", code);
      break;
    case 0x3C: {  // set_local
      need(2);
      const as_variant value = context_.pop();
      const small_string name(context_.pop().to_string());
      context_.set_local(name, value);
      break;
    }
    case 0x3D: call_function_action(context_, with_); break;
    case 0x3E:  // return
      need(1);
      if (result_) *result_ = top(0);
      drop(1);
      returned_ = true;
      break;
    case 0x3F: {  // mod
      need(2);
      const double divisor = context_.pop().to_number();
      const double dividend = context_.pop().to_number();
      if (divisor == 0) {
        context_.push(as_variant());
      } else {
        context_.push(std::fmod(dividend, divisor));
      }
      break;
    }
    case 0x40: new_object_action(context_, with_); break;
    case 0x41: need(1); context_.declare_local(small_string(top(0).to_string())); drop(1); break;
    case 0x42: {  // decl_array: the count goes unread and the elements stay
      need(2);
      drop(1);
      native_call call{nullptr, nullptr, &context_, 1, context_.stack_size() - 1};
      trace_builtin(call);
      break;
    }
    case 0x44: {  // type_of
      need(1);
      static const char* const kNames[] = {"undefined", "null", "boolean", "string", "number", "object", "function",
                                           "function"};
      const int kind = top(0).kind();
      if (kind >= 0 && kind <= 7) {
        top(0).set_string(kNames[kind]);
      } else {
        log_error("typeof unknown type: %02X\n", kind);
      }
      break;
    }
    case 0x46: enumerate(); break;
    case 0x47:  // add_t
      need(2);
      if (is_string(top(0)) || is_string(top(1))) {
        join_strings();
        break;
      }
      top(1).add(top(0));
      drop(1);
      break;
    case 0x48:  // lt_t
      need(2);
      top(1).set_bool(is_string(top(1)) ? compare_bytes(top(1), top(0)) < 0 : top(1).less(top(0)));
      drop(1);
      break;
    case 0x4A: need(1); top(0).convert_to_number(); break;
    case 0x4B: need(1); top(0).convert_to_string_versioned(version_); break;
    case 0x4C: need(1); context_.push(as_variant(top(0))); break;
    case 0x4D: {  // swap
      need(2);
      const as_variant first(top(0));
      top(0) = top(1);
      top(1) = first;
      break;
    }
    case 0x4E: get_member(); break;
    case 0x4F: {  // set_member
      need(3);
      if (scriptable* o = top(2).to_object()) {
        counted_ptr<scriptable> held(o);
        o->set_member(small_string(top(1).to_string()), top(0));
      }
      drop(3);
      break;
    }
    case 0x50: need(1); top(0).set_number(top(0).to_number() + 1); break;
    case 0x51: need(1); top(0).set_number(top(0).to_number() - 1); break;
    case 0x52: call_method_action(context_, version_); break;
    case 0x60: need(2); top(1).bit_and(top(0)); drop(1); break;
    case 0x61: need(2); top(1).bit_or(top(0)); drop(1); break;
    case 0x62: need(2); top(1).bit_xor(top(0)); drop(1); break;
    case 0x63: need(2); top(1).shift_left(top(0)); drop(1); break;
    case 0x64: need(2); top(1).shift_right(top(0)); drop(1); break;
    case 0x65: need(2); top(1).shift_right_logical(top(0)); drop(1); break;
    case 0x66:  // eq_strict
      need(2);
      top(1).set_bool(top(1).kind() == top(0).kind() && top(1).equals(top(0)));
      drop(1);
      break;
    case 0x67:  // gt_t
      need(2);
      top(1).set_bool(is_string(top(1)) ? compare_bytes(top(1), top(0)) > 0
                                        : top(1).to_number() > top(0).to_number());
      drop(1);
      break;
    case 0x68: need(2); top(1).set_bool(compare_bytes(top(1), top(0)) > 0); drop(1); break;
    default:  // stepped over
      break;
  }
}

bool action_run::do_long_action(int code, int32_t pc, int32_t* next) {
  action_data data(bytes_ + pc + 3, bytes_ + *next);
  movie* target = context_.target;
  switch (code) {
    case 0x81:  // goto_frame
      if (target) target->goto_frame_index(data.read_u16());
      break;
    case 0x83: {  // get_url
      const char* url = data.read_text();
      const char* target_text = data.read_text();
      if (!url || !target_text) {
        log_error("error: get_url texts run past the end of their action\n");
        break;
      }
      get_url(url, target_text, nullptr, false);
      break;
    }
    case 0x87: {  // store_register
      const int reg = data.read_u8();
      need(1);
      if (function2_) {
        *context_.local_register_ptr(reg) = top(0);
      } else if (reg < 4) {
        context_.global_registers[reg] = top(0);
      } else {
        log_error("store_register[%d] -- register out of bounds!", reg);
      }
      break;
    }
    case 0x88: buffer_.process_decl_dict(pc, *next); break;
    case 0x8B: {  // set_target
      const char* text = data.read_text();
      if (text && *text == '\0') set_target(original_target_);
      break;
    }
    case 0x8C: {  // goto_frame_lbl
      const char* label = data.read_text();
      if (label && target) target->goto_labeled_frame(label);
      break;
    }
    case 0x8D: need(1); drop(1); break;
    case 0x8E:
    case 0x9B: define_function(code, data, next); break;
    case 0x94: with_block(data, *next); break;
    case 0x96: push_data(data); break;
    case 0x99: return jump(next, static_cast<int16_t>(data.read_u16()), false);
    case 0x9A: {  // get_url2
      need(2);
      const small_string url(top(1).to_string());
      const as_variant target_value(top(0));
      get_url(url.c_str(), target_value.to_string().c_str(), &target_value, true);
      drop(2);
      break;
    }
    case 0x9D: {  // branch_if_true
      const int16_t offset = static_cast<int16_t>(data.read_u16());
      need(1);
      const bool taken = top(0).to_bool();
      drop(1);
      if (taken) return jump(next, offset, true);
      break;
    }
    case 0x9E:  // call_frame
      need(1);
      if (target) target->call_frame(as_variant(top(0)));
      drop(1);
      break;
    case 0x9F: goto_frame_expression(data.read_u8()); break;
    default:  // stepped over by its length
      break;
  }
  return true;
}

bool action_run::jump(int32_t* next, int16_t offset, bool branch) {
  const int32_t target = *next + offset;
  if (target < start_) {
    log_error("error: jump to offset %d before the start of its section at %d\n", target, start_);
    return false;
  }
  if (target > end_) {
    if (branch) {
      log_error("branch to offset %d -- this section only runs to %d\n", target, end_);
    } else {
      log_error("error: jump to offset %d -- this section only runs to %d\n", target, end_);
    }
    return false;
  }
  *next = target;
  return true;
}

void action_run::push_data(action_data data) {
  // Each value after the first costs an action of the budget: one push may
  // carry thousands of them.
  for (bool first = true; !data.at_end(); first = false) {
    if (!first) ++g_actions_spent;
    const int type = data.read_u8();
    switch (type) {
      case 0: {
        const char* text = data.read_text();
        if (text) context_.push(text);
        break;
      }
      case 1: {
        const uint32_t bits = data.read_u32();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        if (!data.overrun()) context_.push(value);
        break;
      }
      case 2: context_.push(as_variant()); context_.top(0).set_null(); break;
      case 3: context_.push(as_variant()); break;
      case 4: {
        const int reg = data.read_u8();
        if (data.overrun()) break;
        if (function2_) {
          context_.push(as_variant(*context_.local_register_ptr(reg)));
        } else if (reg < 4) {
          context_.push(as_variant(context_.global_registers[reg]));
        } else {
          log_error("push register[%d] -- register out of bounds!\n", reg);
          context_.push(as_variant());
        }
        break;
      }
      case 5: {
        const uint8_t value = data.read_u8();
        if (!data.overrun()) context_.push(value != 0);
        break;
      }
      case 6: {
        const uint64_t high = data.read_u32();
        const uint64_t low = data.read_u32();
        const uint64_t bits = high << 32 | low;
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (!data.overrun()) context_.push(value);
        break;
      }
      case 7: {
        const int32_t value = static_cast<int32_t>(data.read_u32());
        if (!data.overrun()) context_.push(static_cast<int>(value));
        break;
      }
      case 8:
      case 9: {
        const int index = type == 8 ? data.read_u8() : data.read_u16();
        if (data.overrun()) break;
        if (index >= buffer_.pool_size()) {
          log_error("error: dict_lookup(%d) is out of bounds!\n", index);
          context_.push(0);
        } else {
          context_.push(buffer_.pool_text(index));
        }
        break;
      }
      default:
        break;
    }
    if (data.overrun()) {
      log_error("error: push data of type %d runs past the end of its action\n", type);
      return;
    }
  }
}

void action_run::define_function(int code, action_data data, int32_t* next) {
  const bool function2 = code == 0x8E;
  const char* name = data.read_text();
  const int parameter_count = data.read_u16();
  const uint8_t register_count = function2 ? data.read_u8() : 0;
  const uint16_t flags = function2 ? data.read_u16() : 0;
  dyn_array<as_function::parameter> parameters;
  for (int i = 0; i < parameter_count && !data.overrun(); ++i) {
    as_function::parameter parameter;
    parameter.register_number = function2 ? data.read_u8() : 0;
    const char* text = data.read_text();
    if (text) parameter.name = text;
    parameters.push_back(parameter);
  }
  int32_t length = data.read_u16();
  if (data.overrun()) {
    log_error("error: function header runs past the end of its action\n");
    return;
  }
  if (*next + length > end_) {
    log_error("error: function body of %d bytes at %d runs past the end of its section at %d\n", length, *next,
              end_);
    length = end_ - *next;
  }
  counted_ptr<as_function> function(new as_function(&buffer_, &context_, *next, length, with_));
  function->function2 = function2;
  function->register_count = register_count;
  function->flags = flags;
  for (const as_function::parameter& parameter : parameters)
    function->add_arg(parameter.register_number, parameter.name.c_str());
  *next += length;
  const as_variant value(function.get());
  if (*name) context_.set_member(name, value);
  context_.push(value);
}

// The two top values' texts joined into one. A string doubled in a loop
// would take all memory long before the budget ends the script, so a join
// past the limit stops it instead.
void action_run::join_strings() {
  need(2);
  small_string joined(strv(top(1)));
  const small_string& right = strv(top(0));
  if (static_cast<int64_t>(joined.length()) + right.length() > script_limits::max_string_bytes) {
    log_error("error: script stopped at a string of more than %d bytes\n", script_limits::max_string_bytes);
    g_budget_spent = true;
    top(1) = as_variant();
  } else {
    joined.append(right.c_str());
    top(1).set_string(joined);
  }
  drop(1);
}

void action_run::substring() {
  need(3);
  int count = top(0).to_int32();
  int start = top(1).to_int32();
  start = start == INT32_MIN ? 0 : start - 1;
  const small_string text(strv(top(2)));
  const int n = text.length();
  start = int_clamp(start, 0, n);
  if (count > n - start) count = n - start;
  if (count < 0) count = 0;  // a negative count gives the empty string
  top(2).set_string(small_string(text.c_str() + start, count));
  drop(2);
}

void action_run::start_drag() {
  need(3);
  drag_state state;
  state.character = context_.find_target(top(0));
  if (!state.character) log_error("error: start_drag of invalid target '%s'.\n", top(0).to_string().c_str());
  state.lock_center = top(1).to_bool();
  state.bound = top(2).to_bool();
  if (state.bound) {
    need(7);
    state.bound_x0 = static_cast<float>(top(6).to_number());
    state.bound_y0 = static_cast<float>(top(5).to_number());
    state.bound_x1 = static_cast<float>(top(4).to_number());
    state.bound_y1 = static_cast<float>(top(3).to_number());
    // The bounds lie below the three values popped last.
    for (int i = 0; i < 4; ++i) context_.stack.remove(context_.stack_size() - 4);
  }
  drop(3);
  movie* root = context_.target ? context_.target->get_root_sprite() : nullptr;
  if (root && state.character) root->set_drag_state(state);
}

void action_run::enumerate() {
  need(1);
  const small_string name(context_.pop().to_string());
  const as_variant value = context_.get_variable(name, with_);
  scriptable* o = value.to_object();
  if (!o) return;
  context_.push(as_variant());
  context_.top(0).set_null();
  auto* object = dynamic_cast<as_plain_object*>(o);
  for (int level = 0; level < 2 && object; ++level) {
    for (const auto& slot : object->members())
      if (!(slot.value.flags & member_slot::DONT_ENUM)) context_.push(slot.key.c_str());
    object = dynamic_cast<as_plain_object*>(object->prototype());
  }
}

void action_run::get_member() {
  need(2);
  scriptable* o = top(1).to_object();
  const small_string name(top(0).to_string());
  if (!o && is_string(top(1)) && compare_nocase(name.c_str(), "length") == 0) {
    top(1).set_int(strv(top(1)).utf8_length());
    log_message("-- get_member %s=%s\n", name.c_str(), top(1).to_string().c_str());
  } else {
    counted_ptr<scriptable> held(o);
    as_variant& out = top(1);
    out.set_undefined();
    if (o) {
      o->get_member(name, &out);
      log_message("-- get_member %s=%s at %p\n", name.c_str(), out.to_string().c_str(), static_cast<void*>(o));
    }
  }
  drop(1);
}

void action_run::goto_frame_expression(uint8_t flags) {
  need(1);
  const bool play = flags != 0;
  movie* target = context_.target;
  const as_variant frame(top(0));
  drop(1);
  if (!target) return;
  const int state = play ? movie::PLAY : movie::STOP;
  if (frame.kind() == as_variant::STRING) {
    if (target->goto_labeled_frame(frame.to_string().c_str())) {
      target->set_play_state(state);
      return;
    }
    double number = 0;
    if (!parse_number_text(frame.to_string().c_str(), &number)) return;
    target->goto_frame_index(double_to_int32(number));
    target->set_play_state(state);
  } else if (frame.kind() == as_variant::NUMBER) {
    target->goto_frame_index(frame.to_int32());
    target->set_play_state(state);
  }
}

void action_run::get_url(const char* url, const char* target_text, const as_variant* target_value,
                         bool second_form) {
  movie* target = context_.target;
  if (std::strncmp(url, "FSCommand:", 10) == 0) {
    if (fscommand_callback handler = get_fscommand_handler())
      handler(target ? target->get_movie_root() : nullptr, url + 10, target_text);
    return;
  }
  movie* character = target_value ? context_.find_target(*target_value) : context_.find_target(small_string(target_text));
  if (!character) {
    log_error(second_form ? "get url2: target %s not found\n" : "get url: target %s not found\n", target_text);
    return;
  }
  load_extern_movie(url, character, target ? target->get_root_sprite() : nullptr);
}

void action_run::with_block(action_data data, int32_t next) {
  const int block_size = data.read_u16();
  need(1);
  if (with_.size() < kMaxWithDepth) with_.push_back(with_entry(top(0).to_object(), next + block_size));
  drop(1);
}

}  // namespace

script_run_scope::script_run_scope(int64_t budget) {
  if (g_run_depth == 0) {
    g_actions_spent = 0;
    g_action_budget = budget < script_limits::max_actions_per_run ? budget : script_limits::max_actions_per_run;
    g_budget_spent = false;
  }
  ++g_run_depth;
}

script_run_scope::~script_run_scope() { --g_run_depth; }

bool script_run_scope::budget_spent() { return g_run_depth > 0 && g_budget_spent; }

void action_buffer::execute(as_context* context) {
  const int32_t locals = context->local_frames.size();
  const int32_t stack = context->stack_size();
  context->add_frame_barrier();
  execute(context, 0, length(), nullptr, with_stack(), false);
  context->local_frames.resize(locals);
  // What the actions left on the stack is theirs alone: a script that leaves
  // values behind each frame would otherwise grow it for good.
  if (context->stack_size() > stack) context->stack.resize(stack);
}

void action_buffer::execute(as_context* context, int32_t start, int32_t length, as_variant* result,
                            const with_stack& with, bool function2) {
  init_builtins();
  if (start < 0 || length < 0 || start > bytes_.size() || length > bytes_.size() - start) {
    log_error("error: actions [%d, +%d) lie outside their buffer of %d bytes\n", start, length, bytes_.size());
    return;
  }
  if (g_run_depth >= script_limits::max_call_depth) {
    log_error("error: scripts nested deeper than %d; the call is skipped\n", script_limits::max_call_depth);
    return;
  }
  if (g_run_depth > 0 && g_budget_spent) return;
  script_run_scope depth;
  action_run(*this, *context, start, start + length, result, with, function2).run();
}

}  // namespace swf
