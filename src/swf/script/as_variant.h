// A script value: undefined, null, a boolean, a string, a number, an object,
// a native function or a script function, with the player's own rules for
// conversion, comparison and arithmetic (undefined converts to 0, objects
// compare by kind only, equality follows the left operand).
#pragma once
#include <cstdint>

#include "swf/base/small_string.h"

namespace swf {

class as_function;
class scriptable;
struct native_call;
using c_function = void (*)(const native_call& call);

class as_variant {
 public:
  enum kind_type : int32_t {
    UNDEFINED = 0,
    NULLTYPE = 1,
    BOOLEAN = 2,
    STRING = 3,
    NUMBER = 4,
    OBJECT = 5,
    C_FUNCTION = 6,
    AS_FUNCTION = 7
  };

  as_variant() { payload_.number = 0; }
  as_variant(bool value) : as_variant() { set_bool(value); }  // NOLINT: values convert freely
  as_variant(int value) : as_variant() { set_int(value); }  // NOLINT
  as_variant(double value) : as_variant() { set_number(value); }  // NOLINT
  as_variant(const char* text) : as_variant() { set_string(text); }  // NOLINT
  as_variant(const char16_t* text);  // NOLINT
  as_variant(scriptable* object) : as_variant() { set_object(object); }  // NOLINT
  as_variant(c_function function) : as_variant() { set_c_function(function); }  // NOLINT
  as_variant(as_function* function) : as_variant() { set_as_function(function); }  // NOLINT
  as_variant(const as_variant& other) : as_variant() { *this = other; }
  ~as_variant() { drop_ref(); }
  as_variant& operator=(const as_variant& other);

  kind_type kind() const { return kind_; }
  bool is_function() const { return kind_ == C_FUNCTION || kind_ == AS_FUNCTION; }

  void set_undefined();
  void set_null();
  void set_bool(bool value);
  void set_number(double value);
  void set_int(int value) { set_number(value); }
  void set_string(const char* text);
  void set_string(const small_string& text);
  void set_object(scriptable* object);
  void set_c_function(c_function function);
  void set_as_function(as_function* function);

  c_function to_c_function() const { return kind_ == C_FUNCTION ? payload_.c_func : nullptr; }
  as_function* to_as_function() const { return kind_ == AS_FUNCTION ? payload_.as_func : nullptr; }

  // The text stays valid until the value changes or converts again.
  const small_string& to_string() const;
  const small_string& to_string_versioned(int swf_version) const;
  double to_number() const;
  bool to_bool() const;
  scriptable* to_object() const;
  // The low 32 bits of the number truncated toward zero; NaN and the
  // infinities give 0.
  int32_t to_int32() const;

  void convert_to_number() { set_number(to_number()); }
  void convert_to_string_versioned(int swf_version);

  bool equals(const as_variant& other) const;
  bool less(const as_variant& other) const;

  void add(const as_variant& other) { set_number(to_number() + other.to_number()); }
  void subtract(const as_variant& other) { set_number(to_number() - other.to_number()); }
  void multiply(const as_variant& other) { set_number(to_number() * other.to_number()); }
  void divide(const as_variant& other) { set_number(to_number() / other.to_number()); }
  void bit_and(const as_variant& other) { set_int(to_int32() & other.to_int32()); }
  void bit_or(const as_variant& other) { set_int(to_int32() | other.to_int32()); }
  void bit_xor(const as_variant& other) { set_int(to_int32() ^ other.to_int32()); }
  void shift_left(const as_variant& other);
  void shift_right(const as_variant& other);
  void shift_right_logical(const as_variant& other);
  void string_concat(const char* text);

 private:
  void drop_ref();
  void take_ref();

  kind_type kind_ = UNDEFINED;
  mutable small_string text_;
  union {
    double number;
    bool boolean;
    scriptable* object;
    c_function c_func;
    as_function* as_func;
  } mutable payload_;
};

// Reads a whole decimal number in the "C" locale's notation (no
// hexadecimal, infinity or not-a-number forms, nothing after it); false when
// the text is not one.
bool parse_number_text(const char* text, double* out);

// The 32-bit integer of a double: truncated toward zero, its low 32 bits;
// NaN and the infinities give 0.
int32_t double_to_int32(double value);

// An index or frame number from a double: truncated toward zero and held
// within the 32-bit range, so that a huge number stays past every end
// instead of wrapping round; NaN gives 0.
int32_t double_to_index(double value);

}  // namespace swf
