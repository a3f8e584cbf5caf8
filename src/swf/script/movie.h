// A character instance on a movie's stage: sprites and the root timeline,
// buttons, edit texts and static characters all derive from it. This is the
// interface with the base behaviour of every operation; the kinds of
// instance override what they do.
#pragma once
#include <cstdarg>
#include <cstdint>

#include "swf/base/open_hash.h"
#include "swf/base/small_string.h"
#include "swf/movie/swf_event.h"
#include "swf/script/as_variant.h"
#include "swf/script/scriptable.h"
#include "swf/stream/color_xform.h"
#include "swf/stream/matrix2x3.h"
#include "swf/stream/rgba_color.h"

namespace swf {

class Timer;
class action_buffer;
class character_definition;
class display_tag;
class movie_definition_sub;
class movie_root;

// What a drag of an instance keeps.
struct drag_state {
  movie* character = nullptr;
  bool lock_center = false;
  bool bound = false;
  float bound_x0 = 0, bound_y0 = 0, bound_x1 = 1, bound_y1 = 1;
};

using display_callback = void (*)(void* user_data);

class movie : public scriptable {
 public:
  movie(movie* parent, int id) : id(id), parent(parent) {}

  movie* to_movie() override { return this; }

  virtual movie_definition_sub* get_definition() { return nullptr; }
  virtual int get_frame_index() { return 0; }
  virtual bool has_wrapped() { return false; }
  virtual void rewind() {}
  virtual void step_time(float dt) { (void)dt; }
  virtual void goto_frame_index(int frame) { (void)frame; }
  virtual bool goto_labeled_frame(const char* label) {
    (void)label;
    return false;
  }
  virtual void display() {}
  enum play_state { PLAY = 0, STOP = 1 };
  virtual void set_play_state(int state) { (void)state; }
  virtual int get_play_state() { return STOP; }
  virtual void set_backdrop_color(rgba_color color) { (void)color; }
  virtual void set_backdrop_alpha(float alpha) { (void)alpha; }
  virtual float get_backdrop_alpha() { return 1.0f; }
  virtual void set_viewport(int x0, int y0, int width, int height) { (void)x0, (void)y0, (void)width, (void)height; }
  virtual void set_mouse_state(int x, int y, int buttons) { (void)x, (void)y, (void)buttons; }
  virtual void set_variable_wide(const char* path, const char16_t* value) { (void)path, (void)value; }
  virtual void set_variable(const char* path, const char* value) { (void)path, (void)value; }
  virtual const char* get_variable(const char* path) {
    (void)path;
    return "";
  }
  // Passes its arguments on to invoke_method_va.
  virtual const char* invoke_method(const char* name, const char* format, ...);
  virtual const char* invoke_method_va(const char* name, const char* format, va_list args) {
    (void)name, (void)format, (void)args;
    return nullptr;
  }
  virtual void set_visible(bool flag) { visible = flag; }
  virtual bool get_visible() { return visible; }
  virtual void* get_user_data() { return nullptr; }
  virtual void set_user_data(void* data) { (void)data; }
  virtual void attach_display_callback(const char* path, display_callback callback, void* user_data) {
    (void)path, (void)callback, (void)user_data;
  }
  virtual int add_interval_timer(Timer* timer);
  virtual void clear_interval_timer(int number);
  virtual movie* get_root_sprite() { return parent ? parent->get_root_sprite() : nullptr; }
  // Reserved; no instance uses them.
  virtual void reserved_operation(void* argument) { (void)argument; }
  virtual void* reserved_answer() { return nullptr; }
  virtual movie_root* get_movie_root() { return nullptr; }
  virtual movie_root* get_movie_root_2() { return nullptr; }
  virtual float get_pixel_scale() { return 1.0f; }
  virtual movie* get_character_by_id(int character_id) {
    (void)character_id;
    return nullptr;
  }
  virtual matrix2x3 get_world_matrix();
  virtual color_xform get_world_color_transform();
  // The definition this instance was made from where it holds instances of
  // its own (a sprite's timeline, a button); null for the rest.
  virtual const character_definition* get_container_definition();
  // True when an instance of `character` inside this one would nest without
  // end: this or a holder is an instance of it, or the holders already nest
  // too deep.
  bool would_nest_endlessly(const character_definition* character);
  // The tag that last placed a character at the depth before the frame.
  virtual display_tag* find_last_placement(int frame, int at_depth, int character_id) {
    (void)frame, (void)at_depth, (void)character_id;
    return nullptr;
  }
  virtual movie* place_character(int character_id, const char* instance_name, const dyn_array<swf_event*>& events,
                                 int at_depth, bool replace_allowed, const color_xform& cxform,
                                 const matrix2x3& placement, float at_ratio, int at_clip_depth) {
    (void)character_id, (void)instance_name, (void)events, (void)at_depth, (void)replace_allowed, (void)cxform,
        (void)placement, (void)at_ratio, (void)at_clip_depth;
    return nullptr;
  }
  virtual void move_character(int at_depth, bool has_cxform, const color_xform& cxform, bool has_matrix,
                              const matrix2x3& placement, float at_ratio, int at_clip_depth) {
    (void)at_depth, (void)has_cxform, (void)cxform, (void)has_matrix, (void)placement, (void)at_ratio,
        (void)at_clip_depth;
  }
  virtual void replace_with_instance(movie* instance, const char* instance_name, int at_depth, bool has_cxform,
                                     const color_xform& cxform, bool has_matrix, const matrix2x3& placement,
                                     float at_ratio, int at_clip_depth) {
    (void)instance, (void)instance_name, (void)at_depth, (void)has_cxform, (void)cxform, (void)has_matrix,
        (void)placement, (void)at_ratio, (void)at_clip_depth;
  }
  virtual void replace_character(int character_id, const char* instance_name, int at_depth, bool has_cxform,
                                 const color_xform& cxform, bool has_matrix, const matrix2x3& placement,
                                 float at_ratio, int at_clip_depth) {
    (void)character_id, (void)instance_name, (void)at_depth, (void)has_cxform, (void)cxform, (void)has_matrix,
        (void)placement, (void)at_ratio, (void)at_clip_depth;
  }
  virtual void remove_character_by_name(const char* instance_name) { (void)instance_name; }
  virtual void remove_character(int at_depth, int character_id) { (void)at_depth, (void)character_id; }
  virtual void queue_actions(action_buffer* actions) { (void)actions; }
  virtual void get_mouse_state(int* x, int* y, int* buttons) {
    if (parent) parent->get_mouse_state(x, y, buttons);
  }
  virtual void get_drag_state(drag_state* out) {
    if (parent) parent->get_drag_state(out);
  }
  virtual void set_drag_state(const drag_state& state) { (void)state; }
  virtual void stop_drag() {}
  virtual movie* find_mouse_target(float x, float y) {
    (void)x, (void)y;
    return nullptr;
  }
  virtual bool wants_mouse_events() { return false; }
  virtual void on_button_event(event_id event) { on_event(event); }
  // ".", "this", "..", "_level0", "_root" or a child's name.
  virtual movie* find_target(const char* name) {
    (void)name;
    return nullptr;
  }
  virtual bool on_event(event_id event) {
    (void)event;
    return false;
  }
  virtual void do_something(Timer* timer);
  virtual void on_event_load() { on_event(event_id{swf_event::LOAD, 0}); }
  virtual void call_frame(const as_variant& frame) { (void)frame; }
  virtual float get_time() { return 0.0f; }
  virtual void clone_character(const char* name, const char* new_name, int at_depth) {
    (void)name, (void)new_name, (void)at_depth;
  }
  virtual void run_frame_tags(int frame, bool state_only) { (void)frame, (void)state_only; }
  virtual void set_display_callback(display_callback callback, void* user_data) {
    display_callback_ = callback;
    display_user_data_ = user_data;
  }
  virtual const char* get_text_variable() { return ""; }
  virtual void set_text_value(const char* text) { (void)text; }
  virtual float get_height() { return 0.0f; }
  virtual float get_width() { return 0.0f; }
  virtual bool accepts_placement_moves() { return true; }
  virtual void run_display_callback() {
    if (display_callback_) display_callback_(display_user_data_);
  }

  int32_t id;
  movie* parent;  // not counted
  small_string name;
  int32_t depth = -1;
  color_xform cxform;
  matrix2x3 matrix;
  float ratio = 0;
  uint16_t clip_depth = 0;
  bool visible = true;
  open_hash<event_id, as_variant> event_handlers;

 private:
  display_callback display_callback_ = nullptr;
  void* display_user_data_ = nullptr;
};

}  // namespace swf
