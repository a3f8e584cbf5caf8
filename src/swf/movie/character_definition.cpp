#include "swf/movie/character_definition.h"

#include "swf/stage/static_character.h"

namespace swf {

movie* character_definition::create_character(movie* parent, int id) { return new static_character(this, parent, id); }

}  // namespace swf
