#include "swf/stage/button_character_instance.h"

#include "swf/base/log.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/movie/swf_event.h"
#include "swf/script/property_names.h"
#include "swf/sound/sound_backend.h"
#include "swf/sound/sound_sample.h"
#include "swf/stage/button_character_definition.h"
#include "swf/stage/drag.h"
#include "swf/stream/point2.h"

namespace swf {
namespace {
// The standard member ids of property_names that buttons answer.
enum member : int { X = 0, Y = 1, ALPHA = 6, VISIBLE = 7, WIDTH = 8, HEIGHT = 9 };

// The transition of each button event (1 to 7): its new mouse state and its
// condition flag.
struct transition {
  int state;
  uint32_t condition;
};
const transition kTransitions[] = {
    {button_character_instance::DOWN, button_action::OVER_UP_TO_OVER_DOWN},   // press
    {button_character_instance::OVER, button_action::OVER_DOWN_TO_OVER_UP},   // release
    {button_character_instance::UP, button_action::OUT_DOWN_TO_IDLE},         // release outside
    {button_character_instance::OVER, button_action::IDLE_TO_OVER_UP},        // roll over
    {button_character_instance::UP, button_action::OVER_UP_TO_IDLE},          // roll out
    {button_character_instance::DOWN, button_action::OUT_DOWN_TO_OVER_DOWN},  // drag over
    {button_character_instance::OVER, button_action::OVER_DOWN_TO_OUT_DOWN},  // drag out
};
}  // namespace

button_character_instance::button_character_instance(button_character_definition* definition, movie* parent, int id)
    : movie(parent, id), definition_(definition) {
  movie* root = parent ? parent->get_root_sprite() : nullptr;
  movie_definition_sub* owner = root ? root->get_definition() : nullptr;
  for (button_record& record : definition_->records) {
    if (!record.character && owner) record.character = owner->find_character(record.character_id);
    counted_ptr<movie> instance;
    if (record.character && would_nest_endlessly(record.character)) {
      // A button inside itself would make another of itself for ever.
      log_error("button: cid = %d would contain itself or nest too deep; its record is skipped\n",
                record.character_id);
    } else if (record.character) {
      instance = record.character->create_character(this, id);
    }
    if (instance) {
      instance->matrix = record.matrix;
      instance->cxform = record.cxform;
      instance->rewind();
    }
    record_instances_.push_back(instance);
  }
}

const character_definition* button_character_instance::get_container_definition() { return definition_; }

bool button_character_instance::is_active(const button_record& record) const {
  switch (mouse_state_) {
    case UP: return record.up;
    case DOWN: return record.down;
    default: return record.over;
  }
}

void button_character_instance::rewind() {
  mouse_state_ = UP;
  for (counted_ptr<movie>& instance : record_instances_)
    if (instance) instance->rewind();
}

void button_character_instance::step_time(float dt) {
  apply_drag(this);
  for (int i = 0; i < record_instances_.size(); ++i) {
    movie* instance = record_instances_[i].get();
    if (instance && is_active(definition_->records[i])) instance->step_time(dt);
  }
}

void button_character_instance::display() {
  for (int i = 0; i < record_instances_.size(); ++i) {
    movie* instance = record_instances_[i].get();
    if (instance && is_active(definition_->records[i])) instance->display();
  }
  run_display_callback();
}

movie* button_character_instance::find_mouse_target(float x, float y) {
  if (!visible) return nullptr;
  const point2 local = matrix.transform_by_inverse(point2{x, y});
  for (const button_record& record : definition_->records) {
    if (!record.hit_test || !record.character) continue;
    const point2 inner = record.matrix.transform_by_inverse(local);
    if (record.character->hit_test_local(inner.x, inner.y)) return this;
  }
  return nullptr;
}

void button_character_instance::play_sound(int event) {
  sound_backend* backend = get_sound_backend();
  if (!definition_->sounds || !backend) return;
  int which;
  switch (event) {
    case swf_event::ROLL_OUT: which = button_character_definition::SOUND_ROLL_OUT; break;
    case swf_event::ROLL_OVER: which = button_character_definition::SOUND_ROLL_OVER; break;
    case swf_event::PRESS: which = button_character_definition::SOUND_PRESS; break;
    case swf_event::RELEASE: which = button_character_definition::SOUND_RELEASE; break;
    default: return;
  }
  const button_sound& sound = definition_->sounds[which];
  if (sound.sound_id == 0 || !sound.sample) return;
  if (sound.stop_playback) {
    backend->end_playback(sound.sample->sample_id);
  } else {
    backend->begin_playback(sound.sample->sample_id, sound.loop_count);
  }
}

void button_character_instance::on_button_event(event_id event) {
  if (event.id < swf_event::PRESS || event.id > swf_event::DRAG_OUT) return;
  const transition& t = kTransitions[event.id - swf_event::PRESS];
  mouse_state_ = t.state;
  play_sound(event.id);
  if (mouse_state_ == OVER && (t.condition & button_action::IDLE_TO_OVER_UP)) {
    for (int i = 0; i < record_instances_.size(); ++i)
      if (record_instances_[i] && definition_->records[i].over) record_instances_[i]->rewind();
  }
  if (!parent) return;
  for (const button_action& action : definition_->actions) {
    if (!(action.conditions & t.condition)) continue;
    for (action_buffer* buffer : action.actions) parent->queue_actions(buffer);
  }
}

bool button_character_instance::get_member(const small_string& name, as_variant* out) {
  as_variant scratch;
  if (!out) out = &scratch;
  switch (standard_member_id(name)) {
    case X: out->set_number(matrix.m02 * 0.05f); return true;
    case Y: out->set_number(matrix.m12 * 0.05f); return true;
    case ALPHA: out->set_number(cxform.m[3][0] * 100.0f); return true;
    case VISIBLE: out->set_bool(visible); return true;
    case WIDTH:
    case HEIGHT: {
      const bool width = standard_member_id(name) == WIDTH;
      out->set_number(0);
      for (int i = 0; i < record_instances_.size(); ++i) {
        movie* instance = record_instances_[i].get();
        if (!instance || !is_active(definition_->records[i])) continue;
        out->set_number((width ? instance->get_width() : instance->get_height()) * 0.05f);
        break;
      }
      return true;
    }
    default: return false;
  }
}

void button_character_instance::set_member(const small_string& name, const as_variant& value) {
  switch (standard_member_id(name)) {
    case X: matrix.m02 = static_cast<float>(value.to_number()) * 20.0f; return;
    case Y: matrix.m12 = static_cast<float>(value.to_number()) * 20.0f; return;
    case ALPHA: cxform.m[3][0] = static_cast<float>(value.to_number()) * 0.01f; return;
    case VISIBLE: visible = value.to_bool(); return;
    default:
      log_error("error: button_character_instance::set_member('%s', '%s') not implemented yet\n", name.c_str(),
                value.to_string().c_str());
  }
}

}  // namespace swf
