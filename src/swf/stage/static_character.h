// The instance of a definition without a timeline (a shape, a morph, a
// static text): it draws and hit-tests through its definition.
#pragma once
#include "swf/script/movie.h"

namespace swf {

class character_definition;

class static_character : public movie {
 public:
  // The definition is not counted: the movie that defines it keeps it.
  static_character(character_definition* definition, movie* parent, int id)
      : movie(parent, id), definition_(definition) {}

  void display() override;
  movie* find_mouse_target(float x, float y) override;
  float get_height() override;
  float get_width() override;

 private:
  character_definition* definition_;
};

}  // namespace swf
