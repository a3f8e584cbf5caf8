#include "swf/engine/flash_movie.h"

#include "core/log.h"
#include "render/device/graphics.h"
#include "swf/movie/movie_library.h"

namespace flash {

namespace {

// Holds a reference the player handed over with the object.
template <class T>
void Adopt(swf::counted_ptr<T>& holder, T* handed) {
  holder = handed;
  if (handed) swf::release_ref(handed);
}

// A screen extent in whole pixels, truncated toward zero; values no screen
// has (a panel's absurd size, NaN) are held to a range an int keeps.
int ToPixels(float extent, float fraction) {
  constexpr float kLimit = 1 << 24;
  const float pixels = extent * fraction;
  if (!(pixels > -kLimit)) return pixels < 0 ? -static_cast<int>(kLimit) : 0;
  return static_cast<int>(pixels < kLimit ? pixels : kLimit);
}

}  // namespace

FlashMovie::FlashMovie() = default;

FlashMovie::~FlashMovie() = default;

bool FlashMovie::Load(const std::string& file) {
  Adopt(definition_, swf::open_shared_movie(file.c_str()));
  if (!definition_) {
    LOG_LINE(MSG_ERROR, "Can't create a movie from flash file " + file);
    return false;
  }
  // A root of its own, never the library's shared one.
  Adopt(instance_, definition_->create_root_instance());
  if (!instance_) {
    LOG_LINE(MSG_ERROR, "Can't create a movie Instance from flash file " + file);
    return false;
  }
  fileName_ = file;
  return true;
}

void FlashMovie::Advance(float dt) {
  if (!instance_ || paused_) return;
  instance_->step_time(dt * speed_);
  if (looping_ && instance_->get_frame_index() + 1 == definition_->get_frame_total()) instance_->rewind();
}

void FlashMovie::Restart() {
  if (instance_) instance_->rewind();
}

void FlashMovie::Display(const math::Vec2& position, const math::Vec2& size) {
  Graphics* graphics = GetGraphics();
  if (!instance_ || !graphics) return;
  const float width = graphics->GetScreenWidth(), height = graphics->GetScreenHeight();
  instance_->set_viewport(ToPixels(width, position.x), ToPixels(height, position.y), ToPixels(width, size.x),
                          ToPixels(height, size.y));
  instance_->set_backdrop_alpha(0.0f);
  instance_->display();
}

}  // namespace flash
