// Plays an assembled movie headless through its own movie root, as the
// engine does, and reports what the frames did: the trace lines whose text
// begins with ">" and the depths, characters, names and positions of a
// sprite's display list.
#pragma once
#include <string>
#include <vector>

#include "movie_fixture.h"
#include "player_log_capture.h"
#include "swf/base/counted_ptr.h"
#include "swf/stage/movie_root.h"
#include "swf/stage/sprite_instance.h"

namespace swf_test {

class StagePlayer {
 public:
  explicit StagePlayer(const std::string& movie_name);
  ~StagePlayer();

  swf::movie_root* root() { return root_.get(); }
  swf::sprite_instance* sprite() { return root_->get_root_sprite(); }
  swf::movie_def_impl* movie() { return movie_.get(); }
  // A child of the root sprite by name.
  swf::movie* Child(const char* name);

  // Drops the movie's root, as the engine does when a movie goes.
  void Close() { root_ = nullptr; }
  // The mouse (pixels, bit 0 the left button), then one step of dt seconds.
  void Step(float dt, int mouse_x = 0, int mouse_y = 0, int buttons = 0);
  // The trace lines since the last call, without their ">" and newline.
  std::vector<std::string> TakeTraces();
  // "depth:id[:name]@x,y" for each entry, x and y the translation in twips.
  static std::string Describe(const swf::sprite_instance* sprite);

  PlayerLogCapture log;

 private:
  MovieFolder folder_;
  swf::counted_ptr<swf::movie_def_impl> movie_;
  swf::counted_ptr<swf::movie_root> root_;
  size_t traces_read_ = 0;
};

}  // namespace swf_test
