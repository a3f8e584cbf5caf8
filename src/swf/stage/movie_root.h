// The top of one playing movie: it owns the "_root" sprite and holds the
// viewport, the background colour, the clock, the mouse and the drag, and
// the interval timers. The engine steps and draws a movie through it.
#pragma once
#include <cstdarg>
#include <cstdint>

#include "swf/base/counted_ptr.h"
#include "swf/base/dyn_array.h"
#include "swf/base/timer.h"
#include "swf/base/weak_handle.h"
#include "swf/script/movie.h"
#include "swf/script/scriptable.h"
#include "swf/stage/mouse_events.h"
#include "swf/stream/rgba_color.h"

namespace swf {

class movie_def_impl;
class sprite_instance;

class movie_root : public scriptable {
 public:
  // A root over the movie whose viewport is the movie's own pixel size; the
  // creator gives it its root sprite.
  explicit movie_root(movie_def_impl* definition);
  ~movie_root() override;

  void set_root_sprite(sprite_instance* root);

  movie_definition_sub* get_definition();
  // The file length the movie's header states.
  uint32_t get_file_length() const;
  int get_frame_index();
  bool has_wrapped();
  void rewind();
  void step_time(float dt);
  void goto_frame_index(int frame);
  bool goto_labeled_frame(const char* label);
  void display();
  void set_play_state(int state);
  int get_play_state();
  void set_backdrop_color(rgba_color color) { background_ = color; }
  void set_backdrop_alpha(float alpha);
  float get_backdrop_alpha() const { return background_.a / 255.0f; }
  rgba_color get_backdrop_color() const { return background_; }
  void set_viewport(int x0, int y0, int width, int height);
  void set_mouse_state(int x, int y, int buttons);
  void get_mouse_state(int* x, int* y, int* buttons) const;
  void set_variable_wide(const char* path, const char16_t* value);
  void set_variable(const char* path, const char* value);
  const char* get_variable(const char* path);
  const char* invoke_method(const char* name, const char* format, ...);
  const char* invoke_method_va(const char* name, const char* format, va_list args);
  void set_visible(bool flag);
  bool get_visible();
  void* get_user_data() const { return user_data_; }
  void set_user_data(void* data) { user_data_ = data; }
  void attach_display_callback(const char* path, display_callback callback, void* user_data);
  // The timer's number: its place in the list, from 1.
  int add_interval_timer(Timer* timer);
  void clear_interval_timer(int number);
  int interval_timer_count() const { return timers_.size(); }
  sprite_instance* get_root_sprite() const { return root_.get(); }
  void do_something(Timer* timer);
  float get_pixel_scale() const { return pixel_scale_; }
  float get_time() const { return time_; }

  // Keeps the root of a movie loaded into one of this movie's clips for as
  // long as this movie plays.
  void keep_loaded_movie(movie_root* loaded) { loaded_movies_.push_back(loaded); }

  void get_drag_state(drag_state* out) const;
  void set_drag_state(const drag_state& state);
  void stop_drag() { dragged_ = nullptr; }

 protected:
  // The root sprite's children unload while the whole movie is still there.
  void on_last_release() override;

 private:
  counted_ptr<movie_def_impl> definition_;
  counted_ptr<sprite_instance> root_;
  int32_t viewport_x0_ = 0, viewport_y0_ = 0, viewport_width_ = 0, viewport_height_ = 0;
  float pixel_scale_ = 1;
  rgba_color background_{0, 0, 0, 255};
  float time_ = 0;
  int32_t mouse_x_ = 0, mouse_y_ = 0, mouse_buttons_ = 0;
  void* user_data_ = nullptr;
  // The dragged instance is not kept alive by its drag.
  weak_handle<movie> dragged_;
  drag_state drag_;
  mouse_button_state mouse_tracking_;
  bool load_event_sent_ = false;
  dyn_array<counted_ptr<Timer>> timers_;
  dyn_array<counted_ptr<movie_root>> loaded_movies_;
};

}  // namespace swf
