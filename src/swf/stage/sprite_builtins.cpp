#include "swf/stage/sprite_builtins.h"

#include "swf/base/counted_ptr.h"
#include "swf/script/as_plain_object.h"

namespace swf {
namespace {
counted_ptr<as_plain_object>& holder() {
  static counted_ptr<as_plain_object> object;
  return object;
}
}  // namespace

void init_sprite_builtins() {
  if (!holder()) holder() = new as_plain_object();
}

as_plain_object* sprite_builtins() { return holder().get(); }

}  // namespace swf
