// How an edit text field sets its text: glyph by glyph in the field's font
// and size, wrapping 80 twips inside the box's right margin (at the last
// space of the line, else before the glyph that overflowed), with
// backspaces, newlines and the field's alignment.
#pragma once
#include "swf/base/dyn_array.h"
#include "swf/stream/bounds_rect.h"
#include "swf/text/text_record.h"

namespace swf {

class edit_text_char;

// Replaces `records` with the lines of the UTF-8 text; `text_bounds` gets
// the extent of the pen positions. A field without a font lays out nothing.
void lay_out_edit_text(const edit_text_char& field, const char* text, dyn_array<text_record>* records,
                       bounds_rect* text_bounds);

}  // namespace swf
