// A bitmap a movie defines: the render backend's bitmap object under an id.
#pragma once
#include "swf/base/counted_ptr.h"
#include "swf/movie/character_definition.h"
#include "swf/render/backend_bitmap.h"

namespace swf {

class bitmap_character : public character_definition {
 public:
  explicit bitmap_character(backend_bitmap* bitmap) : bitmap_(bitmap) {}
  virtual backend_bitmap* get_bitmap() { return bitmap_.get(); }

 private:
  counted_ptr<backend_bitmap> bitmap_;
};

}  // namespace swf
