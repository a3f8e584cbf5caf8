// A font a movie defines or imports. Its glyphs and metrics come with the
// text code; the movie tables, exports and the cache reader need its kind
// and the movie that owns it.
#pragma once
#include "swf/movie/character_definition.h"

namespace swf {

class movie_definition_sub;

class font : public library_item {
 public:
  explicit font(movie_definition_sub* owning_movie) : owning_movie(owning_movie) {}
  font* as_font() override { return this; }

  movie_definition_sub* const owning_movie;  // not counted
};

}  // namespace swf
