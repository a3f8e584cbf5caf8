// A playing timeline: the root of a movie ("_root") or a placed sprite. It
// takes the frames at the movie's rate, runs their tags against its display
// list, runs the queued actions, sends clip events, answers the script's
// properties and seeks both ways.
#pragma once
#include <cstdint>

#include "swf/base/counted_ptr.h"
#include "swf/base/dyn_array.h"
#include "swf/base/weak_handle.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/script/as_context.h"
#include "swf/script/movie.h"
#include "swf/stage/display_list.h"

namespace swf {

class sprite_instance : public movie {
 public:
  sprite_instance(movie_definition_sub* definition, movie_root* root, movie* parent, int id);
  ~sprite_instance() override;

  void set_member(const small_string& name, const as_variant& value) override;
  bool get_member(const small_string& name, as_variant* out) override;

  movie_definition_sub* get_definition() override { return definition_.get(); }
  int get_frame_index() override { return frame_; }
  bool has_wrapped() override { return wrapped_; }
  void rewind() override;
  void step_time(float dt) override;
  void goto_frame_index(int target) override;
  bool goto_labeled_frame(const char* label) override;
  void display() override;
  void set_play_state(int state) override;
  int get_play_state() override { return play_state_; }
  void set_backdrop_color(rgba_color color) override;
  float get_backdrop_alpha() override;
  void set_variable_wide(const char* path, const char16_t* value) override;
  void set_variable(const char* path, const char* value) override;
  const char* get_variable(const char* path) override;
  const char* invoke_method_va(const char* name, const char* format, va_list args) override;
  void attach_display_callback(const char* path, display_callback callback, void* user_data) override;
  int add_interval_timer(Timer* timer) override;
  void clear_interval_timer(int number) override;
  movie* get_root_sprite() override;
  movie_root* get_movie_root() override { return movie_root_.get(); }
  movie_root* get_movie_root_2() override { return movie_root_.get(); }
  float get_pixel_scale() override;
  display_tag* find_last_placement(int frame, int at_depth, int character_id) override;
  movie* place_character(int character_id, const char* instance_name, const dyn_array<swf_event*>& events,
                         int at_depth, bool replace_allowed, const color_xform& cxform, const matrix2x3& placement,
                         float at_ratio, int at_clip_depth) override;
  void move_character(int at_depth, bool has_cxform, const color_xform& cxform, bool has_matrix,
                      const matrix2x3& placement, float at_ratio, int at_clip_depth) override;
  void replace_with_instance(movie* instance, const char* instance_name, int at_depth, bool has_cxform,
                             const color_xform& cxform, bool has_matrix, const matrix2x3& placement, float at_ratio,
                             int at_clip_depth) override;
  void replace_character(int character_id, const char* instance_name, int at_depth, bool has_cxform,
                         const color_xform& cxform, bool has_matrix, const matrix2x3& placement, float at_ratio,
                         int at_clip_depth) override;
  void remove_character_by_name(const char* instance_name) override;
  void remove_character(int at_depth, int character_id) override;
  void queue_actions(action_buffer* actions) override { queued_actions_.push_back(actions); }
  void get_mouse_state(int* x, int* y, int* buttons) override;
  void get_drag_state(drag_state* out) override;
  void set_drag_state(const drag_state& state) override;
  void stop_drag() override;
  movie* find_mouse_target(float x, float y) override;
  bool wants_mouse_events() override;
  movie* find_target(const char* target_name) override;
  bool on_event(event_id event) override;
  void do_something(Timer* timer) override;
  void on_event_load() override;
  void call_frame(const as_variant& frame_value) override;
  float get_time() override;
  void clone_character(const char* source_name, const char* new_name, int at_depth) override;
  void run_frame_tags(int frame, bool state_only) override;
  float get_height() override;
  float get_width() override;
  bool accepts_placement_moves() override { return accepts_placement_moves_; }

  virtual bool on_event_xmlsocket_onxml();
  virtual bool on_event_interval_timer();
  virtual bool on_event_load_progress();

  const display_list& get_display_list() const { return display_list_; }
  as_context& context() { return context_; }
  // Tells every child it unloads, then lets them go.
  void unload_children() { display_list_.clear(); }

 protected:
  // The children unload while this clip is held, so their handlers may reach
  // it through _parent or _root.
  void on_last_release() override { unload_children(); }

 private:
  int frame_count() const;
  void advance_frame();
  void run_queued_actions();
  // The standard members of a clip; false for any other name.
  bool get_standard_member(int member, as_variant* out);
  bool set_standard_member(int member, const as_variant& value);
  // The definition's character of that id, unless it is missing or would
  // nest this sprite in itself; the refusal is logged for the operation.
  character_definition* find_placeable(int character_id, const char* operation);
  // Gives a non-empty name to a new instance.
  static void name_instance(movie* instance, const char* instance_name);

  counted_ptr<movie_definition_sub> definition_;
  // The movie this sprite plays in; a clip a script keeps may outlive it.
  weak_handle<movie_root> movie_root_;
  display_list display_list_;
  dyn_array<action_buffer*> queued_actions_;
  int32_t play_state_ = PLAY;
  int32_t frame_ = 0;
  float time_remainder_ = 0;
  bool wrapped_ = false;
  bool accepts_placement_moves_ = true;
  dyn_array<uint8_t> init_actions_done_;
  as_context context_;
};

// A sprite definition's instances.
movie* create_sprite_instance(movie_definition_sub* definition, movie* parent, int id);

}  // namespace swf
