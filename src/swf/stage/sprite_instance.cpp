#include "swf/stage/sprite_instance.h"

#include <cmath>
#include <cstring>

#include "swf/action/action_buffer.h"
#include "swf/base/hash_functions.h"
#include "swf/base/log.h"
#include "swf/movie/display_tag.h"
#include "swf/movie/swf_event.h"
#include "swf/script/as_plain_object.h"
#include "swf/script/call_method.h"
#include "swf/script/property_names.h"
#include "swf/stage/drag.h"
#include "swf/stage/movie_root.h"
#include "swf/stage/sprite_builtins.h"
#include "swf/stream/point2.h"

namespace swf {
namespace {
// The standard member ids of property_names.
enum member : int {
  X, Y, XSCALE, YSCALE, CURRENTFRAME, TOTALFRAMES, ALPHA, VISIBLE, WIDTH, HEIGHT, ROTATION, TARGET, FRAMESLOADED,
  NAME, DROPTARGET, URL, HIGHQUALITY, FOCUSRECT, SOUNDBUFTIME, XMOUSE, YMOUSE, PARENT, TEXT, TEXTWIDTH, TEXTCOLOR,
  ONLOAD
};

const char* const kMouseHandlerNames[] = {"onKeyPress",       "onRelease", "onDragOver", "onDragOut",
                                          "onPress",          "onReleaseOutside", "onRollout", "onRollover"};
}  // namespace

movie* create_sprite_instance(movie_definition_sub* definition, movie* parent, int id) {
  return new sprite_instance(definition, parent ? parent->get_movie_root() : nullptr, parent, id);
}

sprite_instance::sprite_instance(movie_definition_sub* definition, movie_root* root, movie* parent, int id)
    : movie(parent, id), definition_(definition), movie_root_(root), context_(this) {
  init_sprite_builtins();
  init_actions_done_.resize(frame_count());
  for (uint8_t& done : init_actions_done_) done = 0;
}

sprite_instance::~sprite_instance() { display_list_.clear(); }

int sprite_instance::frame_count() const {
  const int total = definition_->get_frame_total();
  return total > 0 ? total : 1;
}

void sprite_instance::set_play_state(int state) {
  if (state != play_state_) time_remainder_ = 0;
  play_state_ = state;
}

void sprite_instance::advance_frame() {
  if (++frame_ < frame_count()) return;
  frame_ = 0;
  wrapped_ = true;
  if (frame_count() > 1) display_list_.clear_in_use_flags();
}

void sprite_instance::run_queued_actions() {
  // Actions a buffer queues run in the same pass, all on one step's budget;
  // what is still queued when it is spent is dropped, so frames that keep
  // going to each other cost one budget a step.
  script_run_scope pass(script_limits::max_actions_per_step);
  for (int i = 0; i < queued_actions_.size() && !script_run_scope::budget_spent(); ++i)
    queued_actions_[i]->execute(&context_);
  queued_actions_.clear();
}

void sprite_instance::step_time(float dt) {
  counted_ptr<movie> hold(this);
  display_list_.step_time(dt);
  apply_drag(this);
  time_remainder_ += dt;
  const float frame_time = 1.0f / definition_->get_frames_per_second();
  if (time_remainder_ >= frame_time) {
    time_remainder_ -= frame_time;
    if (play_state_ == PLAY) {
      const int before = frame_;
      advance_frame();
      if (frame_ != before) run_frame_tags(frame_, false);
    }
    on_event(event_id{swf_event::ENTER_FRAME, 0});
    run_queued_actions();
    display_list_.purge_stale();
  }
  time_remainder_ = std::fmod(time_remainder_, frame_time);
}

void sprite_instance::run_frame_tags(int frame, bool state_only) {
  if (frame < 0 || frame >= init_actions_done_.size()) return;
  if (!init_actions_done_[frame]) {
    const frame_tag_list* init_tags = definition_->get_frame_init_tags(frame);
    if (init_tags && init_tags->size() > 0) {
      for (display_tag* tag : *init_tags) tag->run(this);
      init_actions_done_[frame] = 1;
    }
  }
  const frame_tag_list* tags = definition_->get_frame_tags(frame);
  if (!tags) return;
  for (display_tag* tag : *tags) {
    if (state_only) {
      tag->run_state(this);
    } else {
      tag->run(this);
    }
  }
}

void sprite_instance::rewind() {
  frame_ = 0;
  time_remainder_ = 0;
  wrapped_ = false;
  play_state_ = PLAY;
  display_list_.clear_in_use_flags();
  run_frame_tags(0, false);
  display_list_.purge_stale();
}

void sprite_instance::goto_frame_index(int target) {
  if (target > frame_count() - 1) target = frame_count() - 1;
  if (target < 0) target = 0;
  if (target == frame_) {
    frame_ = target;
    play_state_ = STOP;
    return;
  }
  if (target < frame_) {
    for (int f = frame_; f > target; --f) {
      const frame_tag_list* tags = definition_->get_frame_tags(f);
      if (!tags) continue;
      for (display_tag* tag : *tags) tag->run_state_backwards(this, f);
    }
  } else {
    for (int f = frame_ + 1; f < target; ++f) run_frame_tags(f, true);
  }
  run_frame_tags(target, false);
  display_list_.purge_stale();
  frame_ = target;
  play_state_ = STOP;
}

bool sprite_instance::goto_labeled_frame(const char* label) {
  int target = 0;
  if (!definition_->find_frame_label(label, &target)) return false;
  goto_frame_index(target);
  return true;
}

void sprite_instance::call_frame(const as_variant& frame_value) {
  int target = 0;
  if (frame_value.kind() == as_variant::STRING) {
    if (!definition_->find_frame_label(frame_value.to_string().c_str(), &target))
      target = double_to_int32(frame_value.to_number());
  } else {
    target = double_to_int32(frame_value.to_number()) - 1;
  }
  if (target < 0 || target >= frame_count()) {
    log_error("error: call_frame('%s') -- unknown frame\n", frame_value.to_string().c_str());
    return;
  }
  const int first = queued_actions_.size();
  if (const frame_tag_list* tags = definition_->get_frame_tags(target)) {
    for (display_tag* tag : *tags)
      if (tag->holds_actions()) tag->run(this);
  }
  while (first < queued_actions_.size()) {
    action_buffer* buffer = queued_actions_[first];
    queued_actions_.remove(first);
    buffer->execute(&context_);
  }
}

void sprite_instance::display() {
  if (!visible) return;
  display_list_.display();
  run_display_callback();
}

void sprite_instance::set_backdrop_color(rgba_color color) {
  if (movie_root* root = movie_root_.get()) root->set_backdrop_color(color);
}

float sprite_instance::get_backdrop_alpha() {
  movie_root* root = movie_root_.get();
  return root ? root->get_backdrop_alpha() : 1.0f;
}

void sprite_instance::set_variable_wide(const char* path, const char16_t* value) {
  if (!value) {
    log_error("error: NULL passed to set_variable('%s', NULL)\n", path ? path : "");
    return;
  }
  small_string text;
  text.assign_wide(value);
  set_variable(path, text.c_str());
}

void sprite_instance::set_variable(const char* path, const char* value) {
  if (!path) {
    log_error("error: NULL path_to_var passed to set_variable()\n");
    return;
  }
  if (!value) {
    log_error("error: NULL passed to set_variable('%s', NULL)\n", path);
    return;
  }
  context_.set_variable(small_string(path), as_variant(value), with_stack());
}

const char* sprite_instance::get_variable(const char* path) {
  static small_string text;
  text = context_.get_variable(small_string(path ? path : ""), with_stack()).to_string();
  return text.c_str();
}

const char* sprite_instance::invoke_method_va(const char* name, const char* format, va_list args) {
  return call_method_parsed(&context_, this, name, format, args);
}

void sprite_instance::attach_display_callback(const char* path, display_callback callback, void* user_data) {
  const as_variant value = context_.get_variable(small_string(path ? path : ""), with_stack());
  scriptable* object = value.to_object();
  if (movie* target = object ? object->to_movie() : nullptr) target->set_display_callback(callback, user_data);
}

int sprite_instance::add_interval_timer(Timer* timer) {
  movie_root* root = movie_root_.get();
  return root ? root->add_interval_timer(timer) : -1;
}

void sprite_instance::clear_interval_timer(int number) {
  if (movie_root* root = movie_root_.get()) root->clear_interval_timer(number);
}

movie* sprite_instance::get_root_sprite() {
  movie_root* root = movie_root_.get();
  return root ? root->get_root_sprite() : nullptr;
}

float sprite_instance::get_pixel_scale() {
  movie_root* root = movie_root_.get();
  return root ? root->get_pixel_scale() : 1.0f;
}

float sprite_instance::get_time() {
  movie_root* root = movie_root_.get();
  return root ? root->get_time() : 0.0f;
}

void sprite_instance::get_mouse_state(int* x, int* y, int* buttons) {
  if (movie_root* root = movie_root_.get()) {
    root->get_mouse_state(x, y, buttons);
  } else {
    *x = *y = *buttons = 0;
  }
}

void sprite_instance::get_drag_state(drag_state* out) {
  if (movie_root* root = movie_root_.get()) {
    root->get_drag_state(out);
  } else {
    *out = drag_state();
  }
}

void sprite_instance::set_drag_state(const drag_state& state) {
  if (movie_root* root = movie_root_.get()) root->set_drag_state(state);
}

void sprite_instance::stop_drag() {
  if (movie_root* root = movie_root_.get()) root->stop_drag();
}

display_tag* sprite_instance::find_last_placement(int frame, int at_depth, int character_id) {
  const uint32_t key = static_cast<uint32_t>(at_depth) * 65536u + (static_cast<uint32_t>(character_id) & 0xFFFFu);
  for (int f = frame - 1; f >= 0; --f) {
    const frame_tag_list* tags = definition_->get_frame_tags(f);
    if (!tags) continue;
    for (int i = tags->size() - 1; i >= 0; --i)
      if ((*tags)[i]->placement_key() == key) return (*tags)[i];
  }
  return nullptr;
}

character_definition* sprite_instance::find_placeable(int character_id, const char* operation) {
  character_definition* character = definition_->find_character(character_id);
  if (!character) {
    log_error("sprite::%s(): unknown cid = %d\n", operation, character_id);
    return nullptr;
  }
  // A sprite inside itself would place itself again on every load.
  if (would_nest_endlessly(character)) {
    log_error("sprite::%s(): cid = %d would contain itself or nest too deep\n", operation, character_id);
    return nullptr;
  }
  return character;
}

void sprite_instance::name_instance(movie* instance, const char* instance_name) {
  if (instance_name && instance_name[0]) instance->name = instance_name;
}

movie* sprite_instance::place_character(int character_id, const char* instance_name,
                                        const dyn_array<swf_event*>& events, int at_depth, bool replace_allowed,
                                        const color_xform& cxform, const matrix2x3& placement, float at_ratio,
                                        int at_clip_depth) {
  character_definition* character = find_placeable(character_id, "add_display_object");
  if (!character) return nullptr;
  if (movie* existing = display_list_.find_at_depth(at_depth)) {
    const bool named = instance_name && instance_name[0];
    if (existing->id == character_id &&
        (named ? std::strcmp(existing->name.c_str(), instance_name) == 0 : existing->name.length() == 0)) {
      move_character(at_depth, true, cxform, true, placement, at_ratio, at_clip_depth);
      return nullptr;
    }
  }
  counted_ptr<movie> instance(character->create_character(this, character_id));
  if (!instance) return nullptr;
  name_instance(instance.get(), instance_name);
  for (const swf_event* event : events) instance->event_handlers.set(event->event, event->method);
  display_list_.add_character(instance.get(), at_depth, replace_allowed, cxform, placement, at_ratio, at_clip_depth);
  return instance.get();
}

void sprite_instance::move_character(int at_depth, bool has_cxform, const color_xform& cxform, bool has_matrix,
                                     const matrix2x3& placement, float at_ratio, int) {
  display_list_.move_character(at_depth, has_cxform, cxform, has_matrix, placement, at_ratio);
}

void sprite_instance::replace_with_instance(movie* instance, const char* instance_name, int at_depth,
                                            bool has_cxform, const color_xform& cxform, bool has_matrix,
                                            const matrix2x3& placement, float at_ratio, int at_clip_depth) {
  counted_ptr<movie> held(instance);
  name_instance(instance, instance_name);
  display_list_.replace_character(instance, at_depth, has_cxform, cxform, has_matrix, placement, at_ratio,
                                  at_clip_depth);
}

void sprite_instance::replace_character(int character_id, const char* instance_name, int at_depth,
                                        bool has_cxform, const color_xform& cxform, bool has_matrix,
                                        const matrix2x3& placement, float at_ratio, int at_clip_depth) {
  character_definition* character = find_placeable(character_id, "replace_display_object");
  if (!character) return;
  counted_ptr<movie> instance(character->create_character(this, character_id));
  if (!instance) return;
  replace_with_instance(instance.get(), instance_name, at_depth, has_cxform, cxform, has_matrix, placement,
                        at_ratio, at_clip_depth);
}

void sprite_instance::remove_character_by_name(const char* instance_name) {
  if (movie* found = display_list_.find_by_name(instance_name ? instance_name : ""))
    remove_character(found->depth, found->id);
}

void sprite_instance::remove_character(int at_depth, int character_id) {
  display_list_.remove_character(at_depth, character_id);
}

void sprite_instance::clone_character(const char* source_name, const char* new_name, int at_depth) {
  counted_ptr<movie> source(display_list_.find_by_name(source_name ? source_name : ""));
  if (!source) return;
  place_character(source->id, new_name, dyn_array<swf_event*>(), at_depth, true, source->cxform, source->matrix,
                  source->ratio, source->clip_depth);
}

movie* sprite_instance::find_mouse_target(float x, float y) {
  if (!visible) return nullptr;
  const point2 local = matrix.transform_by_inverse(point2{x, y});
  for (int i = display_list_.size() - 1; i >= 0; --i) {
    movie* child = display_list_.at(i);
    if (!child->get_visible()) continue;
    if (movie* hit = child->find_mouse_target(local.x, local.y)) return wants_mouse_events() ? this : hit;
  }
  return nullptr;
}

bool sprite_instance::wants_mouse_events() {
  for (const char* handler : kMouseHandlerNames) {
    as_variant unused;
    if (get_member(small_string(handler), &unused)) return true;
  }
  for (uint8_t event = swf_event::PRESS; event <= swf_event::DRAG_OUT; ++event)
    if (event_handlers.find(event_id{event, 0})) return true;
  return false;
}

movie* sprite_instance::find_target(const char* target_name) {
  if (!target_name) return nullptr;
  if (std::strcmp(target_name, ".") == 0 || std::strcmp(target_name, "this") == 0) return this;
  if (std::strcmp(target_name, "..") == 0) return parent;
  if (std::strcmp(target_name, "_level0") == 0 || std::strcmp(target_name, "_root") == 0) return get_root_sprite();
  return display_list_.find_by_name(target_name);
}

bool sprite_instance::on_event(event_id event) {
  counted_ptr<movie> hold(this);
  bool ran = false;
  as_variant handler;
  if (event_handlers.get(event, &handler)) {
    call_method0(handler, &context_, this);
    ran = true;
  }
  const small_string& handler_name = event_handler_name(event.id);
  if (handler_name.length() > 0 && get_member(handler_name, &handler)) {
    call_method0(handler, &context_, this);
    ran = true;
  }
  return ran;
}

void sprite_instance::do_something(Timer* timer) {
  scriptable* this_object = timer->this_object.to_object();
  if (timer->function.kind() == as_variant::C_FUNCTION) {
    call_method0(timer->function, &context_, this_object);
  } else if (timer->function.kind() == as_variant::AS_FUNCTION) {
    call_method0(timer->function, timer->context ? timer->context : &context_, this_object);
  } else {
    log_error("error in call_method(): method is not a function\n");
  }
}

void sprite_instance::on_event_load() {
  counted_ptr<movie> hold(this);
  run_frame_tags(0, false);
  run_queued_actions();
  on_event(event_id{swf_event::LOAD, 0});
}

bool sprite_instance::on_event_xmlsocket_onxml() {
  log_message("FIXME: %s: unimplemented\n", "swf::sprite_instance::on_event_xmlsocket_onxml");
  return on_event(event_id{swf_event::XML_LOAD, 0});
}

bool sprite_instance::on_event_interval_timer() {
  log_message("FIXME: %s: unimplemented\n", "swf::sprite_instance::on_event_interval_timer");
  return on_event(event_id{swf_event::EVENT_COUNT, 0});
}

bool sprite_instance::on_event_load_progress() {
  log_message("FIXME: %s: unimplemented\n", "swf::sprite_instance::on_event_load_progress");
  return on_event(event_id{swf_event::LOAD_PROGRESS, 0});
}

float sprite_instance::get_height() {
  float height = 0;
  for (int i = 0; i < display_list_.size(); ++i) height = std::fmax(height, display_list_.at(i)->get_height());
  return height;
}

float sprite_instance::get_width() {
  float width = 0;
  for (int i = 0; i < display_list_.size(); ++i) width = std::fmax(width, display_list_.at(i)->get_width());
  return width;
}

bool sprite_instance::get_standard_member(int member, as_variant* out) {
  switch (member) {
    case X: out->set_number(matrix.m02 * 0.05f); return true;
    case Y: out->set_number(matrix.m12 * 0.05f); return true;
    case XSCALE: out->set_number(matrix.x_scale() * 100.0f); return true;
    case YSCALE: out->set_number(matrix.y_scale() * 100.0f); return true;
    case CURRENTFRAME: out->set_int(frame_ + 1); return true;
    case TOTALFRAMES:
    case FRAMESLOADED: out->set_int(definition_->get_frame_total()); return true;
    case ALPHA: out->set_number(cxform.m[3][0] * 100.0f); return true;
    case VISIBLE: out->set_bool(get_visible()); return true;
    case WIDTH:
      // The children's sizes already carry the world scale.
      out->set_number(get_width() * 0.05f);
      return true;
    case HEIGHT:
      out->set_number(get_height() * 0.05f);
      return true;
    case ROTATION: out->set_number(matrix.rotation() * 57.29578f); return true;
    case TARGET:
    case DROPTARGET: out->set_string("/_root"); return true;
    case NAME: out->set_string(name); return true;
    case URL: out->set_string("swf"); return true;
    case HIGHQUALITY: out->set_bool(true); return true;
    case FOCUSRECT: out->set_bool(false); return true;
    case SOUNDBUFTIME: out->set_number(0); return true;
    case XMOUSE:
    case YMOUSE: {
      int x = 0, y = 0, buttons = 0;
      get_mouse_state(&x, &y, &buttons);
      const point2 local = get_world_matrix().transform_by_inverse(point2{x * 20.0f, y * 20.0f});
      out->set_number((member == XMOUSE ? local.x : local.y) * 0.05f);
      return true;
    }
    case PARENT:
      if (parent) {
        out->set_object(parent);
      } else {
        out->set_undefined();
      }
      return true;
    case ONLOAD: return context_.get_member(small_string("onLoad"), out);
    default: return false;
  }
}

bool sprite_instance::get_member(const small_string& member_name, as_variant* out) {
  as_variant scratch;
  if (!out) out = &scratch;
  const int member = standard_member_id(member_name);
  if (member == ONLOAD) return context_.get_member(member_name, out);
  if (member >= 0 && member != TEXT && member != TEXTWIDTH && member != TEXTCOLOR)
    return get_standard_member(member, out);
  if (context_.get_member(member_name, out)) return true;
  if (movie* child = display_list_.find_by_name_nocase(member_name.c_str())) {
    out->set_object(child);
    return true;
  }
  as_plain_object* builtins = sprite_builtins();
  return builtins && builtins->get_member(member_name, out);
}

bool sprite_instance::set_standard_member(int member, const as_variant& value) {
  const float number = static_cast<float>(value.to_number());
  switch (member) {
    case X: matrix.m02 = number * 20.0f; break;
    case Y: matrix.m12 = number * 20.0f; break;
    case XSCALE: matrix.set_scale_rotation(number * 0.01f, matrix.y_scale(), matrix.rotation()); break;
    case YSCALE: matrix.set_scale_rotation(matrix.x_scale(), number * 0.01f, matrix.rotation()); break;
    case ALPHA: cxform.m[3][0] = number * 0.01f; break;
    case VISIBLE: set_visible(value.to_bool()); break;
    case WIDTH:
    case HEIGHT: {
      // Scales the clip so that its size becomes the value.
      const float current = member == WIDTH ? get_width() : get_height();
      float& element = member == WIDTH ? matrix.m00 : matrix.m11;
      element = std::fabs(current) > 1e-6f ? element * number * 20.0f / current : number * 20.0f;
      break;
    }
    case ROTATION: matrix.set_scale_rotation(matrix.x_scale(), matrix.y_scale(), number * 0.017453292f); break;
    case HIGHQUALITY:
    case FOCUSRECT:
    case SOUNDBUFTIME: return true;
    default: return false;
  }
  accepts_placement_moves_ = false;
  return true;
}

void sprite_instance::set_member(const small_string& member_name, const as_variant& value) {
  if (set_standard_member(standard_member_id(member_name), value)) return;
  if (value.kind() == as_variant::STRING || value.kind() == as_variant::NUMBER) {
    bool shown = false;
    for (int i = 0; i < display_list_.size(); ++i) {
      movie* child = display_list_.at(i);
      if (compare_nocase(child->get_text_variable(), member_name.c_str()) == 0) {
        child->set_text_value(value.to_string().c_str());
        shown = true;
      }
    }
    if (shown) return;
  }
  context_.set_member(member_name, value);
}

}  // namespace swf
