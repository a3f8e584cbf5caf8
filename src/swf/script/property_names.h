// The name tables that the interpreter and the display side share: the
// properties by number, the standard members of display characters and the
// clip event handlers.
#pragma once
#include "swf/base/small_string.h"
#include "swf/script/as_variant.h"

namespace swf {

class movie;

constexpr int kPropertyCount = 22;
// The name of property n (0 to 21).
const small_string& property_name(int n);
as_variant get_property(movie* character, int n);
void set_property(movie* character, int n, const as_variant& value);

// 0 to 25 for the standard members ("_x" ... "onLoad"), else -1.
int standard_member_id(const small_string& name);

// The handler name of an event id; the empty string past the table.
const small_string& event_handler_name(int event);

}  // namespace swf
