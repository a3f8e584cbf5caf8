// The root of a playing movie. The instance library shares one per
// definition; its stage, display list and scripts come with the stage code.
#pragma once
#include "swf/base/counted_object.h"

namespace swf {

class movie_root : public counted_object {};

}  // namespace swf
