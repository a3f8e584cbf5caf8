// The object that holds the clip methods (play, gotoAndStop, ...), shared by
// every sprite: a clip looks a name up there after its own members,
// variables and children. The built-ins fill it.
#pragma once

namespace swf {

class as_plain_object;

// Makes the object once; the first sprite instance calls it.
void init_sprite_builtins();
// The object; null before init_sprite_builtins.
as_plain_object* sprite_builtins();

}  // namespace swf
