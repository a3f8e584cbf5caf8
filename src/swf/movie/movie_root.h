// The root of a playing movie. The instance library shares one per
// definition; its stage, display list and scripts come with the stage code.
#pragma once
#include "swf/base/counted_object.h"

namespace swf {

class movie;

class movie_root : public counted_object {
 public:
  // The "_root" clip; none until the stage code makes it.
  virtual movie* get_root_sprite() { return nullptr; }
};

}  // namespace swf
