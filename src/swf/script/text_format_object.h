// The script's TextFormat objects, each with its format record, and
// setTextFormat, which copies a TextFormat's members into its record.
#pragma once
#include "swf/script/as_plain_object.h"
#include "swf/script/native_call.h"
#include "swf/script/text_format.h"

namespace swf {

class text_format_object : public as_plain_object {
 public:
  text_format format;
};

// "TextFormat": a new TextFormat object; it also makes setTextFormat a
// variable of the calling clip.
void textformat_new(const native_call& call);
// setTextFormat(first, second, format): copies the members of the
// TextFormat object in the third argument into its own record.
void textformat_set(const native_call& call);

}  // namespace swf
