// The class roots of what a movie defines: a library item is anything a
// movie keeps by id or exports (fonts, characters, sound samples); a
// character definition is an item that can be placed on the stage.
#pragma once
#include <cstdint>

#include "swf/base/counted_object.h"

namespace swf {

class character_definition;
class file_object;
class font;
class movie;
class sound_sample;

class library_item : public counted_object {
 public:
  virtual font* as_font() { return nullptr; }
  virtual character_definition* as_character_definition() { return nullptr; }
  virtual sound_sample* as_sound_sample() { return nullptr; }
};

class character_definition : public library_item {
 public:
  character_definition* as_character_definition() override { return this; }

  // Draws the instance that shows this definition.
  virtual void display(movie* instance) { (void)instance; }
  virtual bool hit_test_local(float x, float y) {
    (void)x, (void)y;
    return false;
  }
  virtual float local_height() { return 0; }
  virtual float local_width() { return 0; }
  // A new instance of the definition placed in `parent`: a static character
  // unless the definition has a timeline or behaviour of its own.
  virtual movie* create_character(movie* parent, int id);
  // Reads what the definition keeps in a movie's cache file; false, said in
  // the log, when its record is bad and the rest of the file cannot be read.
  virtual bool load_cached_data(file_object* file) {
    (void)file;
    return true;
  }

  int32_t id = -1;
};

}  // namespace swf
