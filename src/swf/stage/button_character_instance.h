// A button on the stage: it shows the characters of its current mouse state,
// answers hit tests with its hit-test records, and on the mouse tracking's
// events changes state, plays its sounds and queues its actions in its
// parent.
#pragma once
#include <cstdint>

#include "swf/base/counted_ptr.h"
#include "swf/base/dyn_array.h"
#include "swf/script/movie.h"

namespace swf {

class button_character_definition;
struct button_record;

class button_character_instance : public movie {
 public:
  enum mouse_state { UP = 0, DOWN = 1, OVER = 2 };

  // The definition is not counted: the movie that defines it keeps it.
  button_character_instance(button_character_definition* definition, movie* parent, int id);

  void set_member(const small_string& name, const as_variant& value) override;
  bool get_member(const small_string& name, as_variant* out) override;
  void rewind() override;
  void step_time(float dt) override;
  void display() override;
  movie_root* get_movie_root() override { return parent ? parent->get_movie_root() : nullptr; }
  const character_definition* get_container_definition() override;
  movie* find_mouse_target(float x, float y) override;
  void on_button_event(event_id event) override;

  int get_mouse_state_value() const { return mouse_state_; }
  // The instance of record i, or null when the movie lacks its character.
  movie* record_instance(int i) const { return record_instances_[i].get(); }

 private:
  bool is_active(const button_record& record) const;
  void play_sound(int event);

  button_character_definition* definition_;
  dyn_array<counted_ptr<movie>> record_instances_;
  int32_t mouse_state_ = UP;
};

}  // namespace swf
