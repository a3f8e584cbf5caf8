#include "recording_clip.h"

#include <cstdio>

#include "swf/stage/sprite_builtins.h"

namespace swf_test {

RecordingClip::RecordingClip(RecordingClip* parent_clip, const char* clip_name, std::vector<std::string>* record)
    : movie(parent_clip, 1), record_(record), context_(this) {
  name = clip_name;
  swf::init_sprite_builtins();
}

RecordingClip::~RecordingClip() = default;

RecordingClip* RecordingClip::Child(const char* child_name) {
  swf::counted_ptr<RecordingClip>& child = children_[child_name];
  if (!child) child = new RecordingClip(this, child_name, record_);
  return child.get();
}

void RecordingClip::set_member(const swf::small_string& member, const swf::as_variant& value) {
  context_.set_member(member, value);
}

bool RecordingClip::get_member(const swf::small_string& member, swf::as_variant* out) {
  if (context_.get_member(member, out)) return true;
  auto child = children_.find(member.c_str());
  if (child != children_.end()) {
    out->set_object(child->second.get());
    return true;
  }
  // The clip methods, as a sprite finds them.
  return swf::sprite_builtins()->get_member(member, out);
}

void RecordingClip::goto_frame_index(int index) {
  frame = index;
  Record(std::string(name.c_str()) + " goto " + std::to_string(index));
}

bool RecordingClip::goto_labeled_frame(const char* label) {
  for (size_t i = 0; i < labels.size(); ++i) {
    if (labels[i] == label) {
      goto_frame_index(static_cast<int>(i));
      return true;
    }
  }
  Record(std::string(name.c_str()) + " no label " + label);
  return false;
}

void RecordingClip::set_play_state(int state) { Record(std::string(name.c_str()) + " play " + std::to_string(state)); }

void RecordingClip::clone_character(const char* source, const char* copy, int at_depth) {
  Record(std::string(name.c_str()) + " clone " + source + " " + copy + " " + std::to_string(at_depth));
}

void RecordingClip::remove_character_by_name(const char* child) {
  Record(std::string(name.c_str()) + " remove " + child);
}

void RecordingClip::call_frame(const swf::as_variant& frame_value) {
  Record(std::string(name.c_str()) + " call_frame " + frame_value.to_string().c_str());
}

swf::movie* RecordingClip::find_target(const char* target_name) {
  const std::string wanted = target_name;
  if (wanted == "." || wanted == "this") return this;
  if (wanted == "..") return parent;
  if (wanted == "_root" || wanted == "_level0") return get_root_sprite();
  auto child = children_.find(wanted);
  return child == children_.end() ? nullptr : child->second.get();
}

namespace {
// A bound as a script may give it: whole, fractional, infinite or NaN.
std::string BoundText(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}
}  // namespace

void RecordingClip::set_drag_state(const swf::drag_state& state) {
  Record(std::string(name.c_str()) + " drag " + state.character->name.c_str() + " " +
         std::to_string(state.lock_center) + " " + std::to_string(state.bound) + " " + BoundText(state.bound_x0) +
         "," + BoundText(state.bound_y0) + "," + BoundText(state.bound_x1) + "," + BoundText(state.bound_y1));
}

void RecordingClip::stop_drag() { Record(std::string(name.c_str()) + " stop_drag"); }

}  // namespace swf_test
