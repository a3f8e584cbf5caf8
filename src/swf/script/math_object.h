// The script's Math object: the usual constants and functions on numbers.
#pragma once

namespace swf {

class as_plain_object;

// Stores a new Math object in the global object under "math"; member names
// ignore case, so scripts reach it as Math.
void math_init(as_plain_object* global);

}  // namespace swf
