// The children of a sprite in depth order. A frame step confirms the entries
// it keeps (the in-use flag) and a purge at its end drops the rest, so that a
// timeline that wraps or seeks keeps what its tags place again.
#pragma once
#include <cstdint>

#include "swf/base/counted_ptr.h"
#include "swf/base/dyn_array.h"
#include "swf/stream/color_xform.h"
#include "swf/stream/matrix2x3.h"

namespace swf {

class movie;

struct display_entry {
  bool in_use = true;
  counted_ptr<movie> character;
};

class display_list {
 public:
  // The first entry whose depth is not below the depth; the count when none.
  int find_depth_index(int depth) const;
  movie* find_at_depth(int depth) const;
  void add_character(movie* instance, int depth, bool replace, const color_xform& cxform, const matrix2x3& placement,
                     float ratio, int clip_depth);
  void move_character(int depth, bool has_cxform, const color_xform& cxform, bool has_matrix,
                      const matrix2x3& placement, float ratio);
  void replace_character(movie* instance, int depth, bool has_cxform, const color_xform& cxform, bool has_matrix,
                         const matrix2x3& placement, float ratio, int clip_depth);
  // Marks the entry at the depth (of that id, -1 for any) for the next purge.
  void remove_character(int depth, int id);
  void clear_in_use_flags();
  void purge_stale();
  void step_time(float dt);
  // Draws in depth order; an instance with a clip depth masks those above it
  // up to that depth.
  void display();
  movie* find_by_name(const char* name) const;
  movie* find_by_name_nocase(const char* name) const;
  // Tells every child it unloads, then lets them go.
  void clear();

  int size() const { return entries_.size(); }
  movie* at(int i) const { return entries_[i].character.get(); }
  bool in_use_at(int i) const { return entries_[i].in_use; }

 private:
  int16_t depth_at(int i) const;
  // Erases the entry and detaches its instance from the list's owner.
  void release_entry(int i);

  dyn_array<display_entry> entries_;
};

}  // namespace swf
