// An edit text field on the stage: lays its text out at every change and
// draws the records, with a box when its definition asks for a border.
// Scripts set its text through its variable name or its "text" member.
#pragma once
#include "swf/base/dyn_array.h"
#include "swf/base/small_string.h"
#include "swf/script/movie.h"
#include "swf/stream/bounds_rect.h"
#include "swf/text/text_record.h"

namespace swf {

class edit_text_char;

class edit_text_character : public movie {
 public:
  // The definition is not counted: the movie that defines it keeps it.
  edit_text_character(movie* parent, edit_text_char* definition, int id);
  ~edit_text_character() override;

  const char* get_text_value() override { return text_.c_str(); }
  void set_member(const small_string& name, const as_variant& value) override;
  bool get_member(const small_string& name, as_variant* out) override;
  void display() override;
  const char* get_text_variable() override;
  // Cut to the definition's maximum length in whole characters.
  void set_text_value(const char* text) override;

  const dyn_array<text_record>& records() const { return records_; }
  const bounds_rect& text_bounds() const { return text_bounds_; }

 private:
  void display_border();

  edit_text_char* definition_;
  dyn_array<text_record> records_;
  bounds_rect text_bounds_;
  small_string text_;
};

}  // namespace swf
