#include "swf/stage/movie_root.h"

#include "swf/base/log.h"
#include "swf/movie/movie_def_impl.h"
#include "swf/render/render_backend.h"
#include "swf/stage/sprite_instance.h"

namespace swf {

movie_root::movie_root(movie_def_impl* definition) : definition_(definition) {
  set_viewport(0, 0, static_cast<int>(definition->get_pixel_width()), static_cast<int>(definition->get_pixel_height()));
}

void movie_root::on_last_release() {
  if (root_) root_->unload_children();
}

movie_root::~movie_root() {
  // A clip a script kept may still ask for its movie while the root goes.
  root_ = nullptr;
  loaded_movies_.clear();
}

void movie_root::set_root_sprite(sprite_instance* root) { root_ = root; }

movie_definition_sub* movie_root::get_definition() { return root_->get_definition(); }
uint32_t movie_root::get_file_length() const { return definition_->get_file_length(); }
int movie_root::get_frame_index() { return root_->get_frame_index(); }
bool movie_root::has_wrapped() { return root_->has_wrapped(); }
void movie_root::rewind() { root_->rewind(); }
void movie_root::goto_frame_index(int frame) { root_->goto_frame_index(frame); }
void movie_root::set_play_state(int state) { root_->set_play_state(state); }
int movie_root::get_play_state() { return root_->get_play_state(); }
void movie_root::set_variable_wide(const char* path, const char16_t* value) { root_->set_variable_wide(path, value); }
void movie_root::set_variable(const char* path, const char* value) { root_->set_variable(path, value); }
const char* movie_root::get_variable(const char* path) { return root_->get_variable(path); }
void movie_root::set_visible(bool flag) { root_->set_visible(flag); }
bool movie_root::get_visible() { return root_->get_visible(); }

const char* movie_root::invoke_method(const char* name, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const char* result = invoke_method_va(name, format, args);
  va_end(args);
  return result;
}

const char* movie_root::invoke_method_va(const char* name, const char* format, va_list args) {
  return root_->invoke_method_va(name, format, args);
}

void movie_root::attach_display_callback(const char* path, display_callback callback, void* user_data) {
  root_->attach_display_callback(path, callback, user_data);
}

bool movie_root::goto_labeled_frame(const char* label) {
  int frame = 0;
  if (!definition_->find_frame_label(label, &frame)) return false;
  goto_frame_index(frame);
  return true;
}

void movie_root::set_backdrop_alpha(float alpha) {
  float scaled = alpha * 255.0f + 0.5f;
  if (!(scaled >= 0)) scaled = 0;
  if (scaled > 255) scaled = 255;
  background_.a = static_cast<uint8_t>(scaled);
}

void movie_root::set_viewport(int x0, int y0, int width, int height) {
  viewport_x0_ = x0;
  viewport_y0_ = y0;
  viewport_width_ = width;
  viewport_height_ = height;
  const bounds_rect& frame = definition_->get_frame_rect();
  const float frame_width = (frame.x_max - frame.x_min) * 0.05f;
  const float frame_height = (frame.y_max - frame.y_min) * 0.05f;
  // A movie without a frame keeps a scale of 1 rather than an infinite one.
  const float x_scale = frame_width > 0 ? width / frame_width : 1.0f;
  const float y_scale = frame_height > 0 ? height / frame_height : 1.0f;
  pixel_scale_ = x_scale > y_scale ? x_scale : y_scale;
}

void movie_root::set_mouse_state(int x, int y, int buttons) {
  mouse_x_ = x;
  mouse_y_ = y;
  mouse_buttons_ = buttons;
}

void movie_root::get_mouse_state(int* x, int* y, int* buttons) const {
  *x = mouse_x_;
  *y = mouse_y_;
  *buttons = mouse_buttons_;
}

int movie_root::add_interval_timer(Timer* timer) {
  timers_.push_back(timer);
  return timers_.size();
}

void movie_root::clear_interval_timer(int number) {
  if (number >= 1 && number <= timers_.size()) timers_.remove(number - 1);
}

void movie_root::do_something(Timer* timer) {
  (void)timer;
  log_message("FIXME: %s: unimplemented\n", "swf::movie_root::do_something");
}

void movie_root::get_drag_state(drag_state* out) const {
  *out = drag_;
  out->character = dragged_.get();
}

void movie_root::set_drag_state(const drag_state& state) {
  drag_ = state;
  dragged_ = state.character;
}

void movie_root::step_time(float dt) {
  counted_ptr<movie_root> hold(this);
  counted_ptr<sprite_instance> root(root_);
  if (!load_event_sent_) {
    load_event_sent_ = true;
    root->on_event_load();
  }
  // A timer's function may clear timers: the list is walked as it stands.
  for (int i = 0; i < timers_.size(); ++i) {
    counted_ptr<Timer> timer = timers_[i];
    if (timer->expired()) root->do_something(timer.get());
  }
  time_ += dt;
  mouse_tracking_.topmost = root->find_mouse_target(mouse_x_ * 20.0f, mouse_y_ * 20.0f);
  mouse_tracking_.is_down = (mouse_buttons_ & 1) != 0;
  generate_mouse_events(&mouse_tracking_);
  root->step_time(dt);
}

void movie_root::display() {
  if (!root_->get_visible()) return;
  const bounds_rect& frame = definition_->get_frame_rect();
  render::start_frame(background_, viewport_x0_, viewport_y0_, viewport_width_, viewport_height_, frame.x_min,
                      frame.x_max, frame.y_min, frame.y_max);
  root_->display();
  render::finish_frame();
}

}  // namespace swf
