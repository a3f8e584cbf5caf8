// The engine's handle on one playing SWF file: the definition shared through
// the player's library and a root instance of its own, stepped by the frame
// time, looped or paused, and drawn into a rectangle of the screen.
#pragma once
#include <string>

#include "core/math/vector.h"
#include "swf/base/counted_ptr.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/stage/movie_root.h"

namespace flash {

class FlashMovie {
 public:
  FlashMovie();
  ~FlashMovie();
  FlashMovie(const FlashMovie&) = delete;
  FlashMovie& operator=(const FlashMovie&) = delete;

  // False, with an error line, when no movie or no instance could be made.
  bool Load(const std::string& file);
  // Steps the movie by dt times the speed; a looping movie that lands on its
  // last frame goes back to its first.
  void Advance(float dt);
  void Restart();
  // Draws over what lies behind, without the movie's background; position
  // and size are fractions of the screen.
  void Display(const math::Vec2& position, const math::Vec2& size);

  bool IsLooping() const { return looping_; }
  void SetLooping(bool looping) { looping_ = looping; }
  bool IsPaused() const { return paused_; }
  void SetPaused(bool paused) { paused_ = paused; }
  // Empty unless a load succeeded.
  const std::string& GetFileName() const { return fileName_; }
  swf::movie_root* GetInstance() const { return instance_.get(); }

 private:
  // Declared first, released last: the instance plays from the definition.
  swf::counted_ptr<swf::movie_definition_sub> definition_;
  swf::counted_ptr<swf::movie_root> instance_;
  float speed_ = 1.0f;
  bool paused_ = false;
  bool looping_ = true;
  std::string fileName_;
};

}  // namespace flash
