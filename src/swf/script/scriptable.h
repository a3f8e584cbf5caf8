// What scripts address by name: plain objects and display characters alike
// read and write their members through this interface.
#pragma once
#include "swf/base/counted_object.h"

namespace swf {

class as_variant;
class movie;
class small_string;

class scriptable : public counted_object {
 public:
  // Reserved; no object answers them.
  virtual void* reserved_query_0() { return nullptr; }
  virtual void* reserved_query_1() { return nullptr; }
  virtual void* reserved_query_2() { return nullptr; }
  // The object's text (an edit text's), or null.
  virtual const char* get_text_value() { return nullptr; }
  virtual void set_member(const small_string& name, const as_variant& value) {
    (void)name, (void)value;
  }
  // True when the name was found; `out` is left alone otherwise.
  virtual bool get_member(const small_string& name, as_variant* out) {
    (void)name, (void)out;
    return false;
  }
  // The object as a display character, or null.
  virtual movie* to_movie() { return nullptr; }
};

}  // namespace swf
