// The global object that scripts find their built-ins in (trace, Object,
// Sound, Array, TextFormat, MovieClipLoader, String, Math and Key), and the
// built-ins trace, Object and Array.
#pragma once
#include "swf/script/native_call.h"

namespace swf {

class as_plain_object;

// Makes and fills the global object on the first call.
void init_builtins();
// The global object; null before init_builtins.
as_plain_object* global_object();
// Releases the global object (at exit, and for tests that start afresh).
void clear_builtins();

// Logs the text of argument 0, through its "toString" member when it is an
// object that has one.
void trace_builtin(const native_call& call);
void object_ctor(const native_call& call);
void array_ctor(const native_call& call);

}  // namespace swf
