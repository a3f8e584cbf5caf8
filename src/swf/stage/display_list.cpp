#include "swf/stage/display_list.h"

#include <cstring>

#include "swf/base/hash_functions.h"
#include "swf/base/log.h"
#include "swf/movie/swf_event.h"
#include "swf/render/render_backend.h"
#include "swf/script/movie.h"

namespace swf {

void display_list::release_entry(int i) {
  // A script may keep the instance; it no longer has a parent to reach.
  entries_[i].character->parent = nullptr;
  entries_.remove(i);
}

int16_t display_list::depth_at(int i) const { return static_cast<int16_t>(entries_[i].character->depth); }

int display_list::find_depth_index(int depth) const {
  const int16_t wanted = static_cast<int16_t>(depth);
  int low = 0;
  int high = entries_.size();
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (depth_at(middle) < wanted) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low;
}

movie* display_list::find_at_depth(int depth) const {
  const int i = find_depth_index(depth);
  if (i >= entries_.size() || depth_at(i) != static_cast<int16_t>(depth)) return nullptr;
  return entries_[i].character.get();
}

void display_list::add_character(movie* instance, int depth, bool replace, const color_xform& cxform,
                                 const matrix2x3& placement, float ratio, int clip_depth) {
  counted_ptr<movie> held(instance);
  const int i = find_depth_index(depth);
  if (replace && i < entries_.size() && depth_at(i) == static_cast<int16_t>(depth)) release_entry(i);
  instance->depth = depth;
  instance->cxform = cxform;
  instance->matrix = placement;
  instance->ratio = ratio;
  instance->clip_depth = static_cast<uint16_t>(clip_depth);
  entries_.insert(i, display_entry{true, held});
  instance->on_event_load();
}

void display_list::move_character(int depth, bool has_cxform, const color_xform& cxform, bool has_matrix,
                                  const matrix2x3& placement, float ratio) {
  if (entries_.size() == 0) {
    log_error("error: move_display_object() -- no objects on display list\n");
    return;
  }
  const int i = find_depth_index(depth);
  if (i >= entries_.size()) {
    log_error("error: move_display_object() -- can't find object at depth %d\n", depth);
    return;
  }
  if (depth_at(i) != static_cast<int16_t>(depth)) {
    log_error("error: move_display_object() -- no object at depth %d\n", depth);
    return;
  }
  entries_[i].in_use = true;
  movie* instance = entries_[i].character.get();
  if (!instance->accepts_placement_moves()) return;
  if (has_cxform) instance->cxform = cxform;
  if (has_matrix) instance->matrix = placement;
  instance->ratio = ratio;
}

void display_list::replace_character(movie* instance, int depth, bool has_cxform, const color_xform& cxform,
                                     bool has_matrix, const matrix2x3& placement, float ratio, int clip_depth) {
  counted_ptr<movie> held(instance);
  const int i = find_depth_index(depth);
  if (i >= entries_.size()) {
    add_character(instance, depth, true, cxform, placement, ratio, clip_depth);
    return;
  }
  if (depth_at(i) != static_cast<int16_t>(depth)) return;
  movie* old = entries_[i].character.get();
  instance->depth = depth;
  instance->rewind();
  instance->cxform = has_cxform ? cxform : old->cxform;
  instance->matrix = has_matrix ? placement : old->matrix;
  instance->ratio = ratio;
  instance->clip_depth = static_cast<uint16_t>(clip_depth);
  if (old != instance) old->parent = nullptr;
  entries_[i].in_use = true;
  entries_[i].character = held;
}

void display_list::remove_character(int depth, int id) {
  if (entries_.size() == 0) {
    log_error("remove_display_object: no characters in display list\n");
    return;
  }
  int i = find_depth_index(depth);
  if (i >= entries_.size() || depth_at(i) != static_cast<int16_t>(depth)) {
    log_error("remove_display_object: no character at depth %d\n", depth);
    return;
  }
  if (id != -1) {
    while (i < entries_.size() && depth_at(i) == static_cast<int16_t>(depth) && entries_[i].character->id != id) ++i;
    if (i >= entries_.size() || depth_at(i) != static_cast<int16_t>(depth)) {
      log_error("remove_display_object: no character at depth %d with id %d\n", depth, id);
      return;
    }
  }
  entries_[i].in_use = false;
}

void display_list::clear_in_use_flags() {
  for (display_entry& entry : entries_) entry.in_use = false;
}

void display_list::purge_stale() {
  for (int i = entries_.size() - 1; i >= 0; --i)
    if (!entries_[i].in_use) release_entry(i);
}

void display_list::step_time(float dt) {
  const int count = entries_.size();
  for (int i = 0; i < count; ++i) {
    if (!entries_[i].in_use) continue;
    counted_ptr<movie> child = entries_[i].character;
    child->step_time(dt);
    if (entries_.size() != count) {
      log_error("swf bug: dlist size changed due to character actions, bailing on update!\n");
      return;
    }
  }
}

void display_list::display() {
  bool mask_open = false;
  int16_t mask_end = 0;
  for (int i = 0; i < entries_.size(); ++i) {
    counted_ptr<movie> child = entries_[i].character;
    if (!child->get_visible()) continue;
    if (mask_open && depth_at(i) > mask_end) {
      render::drop_mask();
      mask_open = false;
    }
    const bool is_mask = child->clip_depth != 0;
    if (is_mask) render::begin_mask();
    child->display();
    if (is_mask) {
      render::end_mask();
      mask_open = true;
      mask_end = static_cast<int16_t>(child->clip_depth);
    }
  }
  if (mask_open) render::drop_mask();
}

movie* display_list::find_by_name(const char* name) const {
  for (const display_entry& entry : entries_)
    if (std::strcmp(entry.character->name.c_str(), name) == 0) return entry.character.get();
  return nullptr;
}

movie* display_list::find_by_name_nocase(const char* name) const {
  for (const display_entry& entry : entries_)
    if (compare_nocase(entry.character->name.c_str(), name) == 0) return entry.character.get();
  return nullptr;
}

void display_list::clear() {
  dyn_array<display_entry> leaving = entries_;
  for (display_entry& entry : leaving) entry.character->on_event(event_id{swf_event::UNLOAD, 0});
  for (display_entry& entry : leaving) entry.character->parent = nullptr;
  entries_.clear();
}

}  // namespace swf
