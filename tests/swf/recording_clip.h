// A clip for script tests: its members are its context's variables, its
// named child clips and the clip methods, and it writes every movie call
// made on it into a shared record ("goto 3", "play 0", "label intro", ...).
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "swf/base/counted_ptr.h"
#include "swf/script/as_context.h"
#include "swf/script/as_plain_object.h"
#include "swf/script/movie.h"

namespace swf_test {

class RecordingClip : public swf::movie {
 public:
  RecordingClip(RecordingClip* parent, const char* clip_name, std::vector<std::string>* record);
  ~RecordingClip() override;

  // A child clip of that name, made on first request.
  RecordingClip* Child(const char* child_name);
  swf::as_context& Context() { return context_; }

  void set_member(const swf::small_string& member, const swf::as_variant& value) override;
  bool get_member(const swf::small_string& member, swf::as_variant* out) override;
  swf::movie_definition_sub* get_definition() override { return definition; }
  int get_frame_index() override { return frame; }
  void goto_frame_index(int index) override;
  bool goto_labeled_frame(const char* label) override;
  void set_play_state(int state) override;
  movie* get_root_sprite() override { return parent ? parent->get_root_sprite() : this; }
  swf::movie_root* get_movie_root() override { return nullptr; }
  void clone_character(const char* source, const char* copy, int at_depth) override;
  void remove_character_by_name(const char* child) override;
  void call_frame(const swf::as_variant& frame_value) override;
  movie* find_target(const char* target_name) override;
  void set_drag_state(const swf::drag_state& state) override;
  void stop_drag() override;
  float get_time() override { return 1.25f; }

  swf::movie_definition_sub* definition = nullptr;  // the SWF version's source; none gives 6
  int frame = 0;
  std::vector<std::string> labels;  // labels goto_labeled_frame knows, by frame

 private:
  void Record(const std::string& line) { record_->push_back(line); }

  std::vector<std::string>* record_;
  std::map<std::string, swf::counted_ptr<RecordingClip>> children_;
  swf::as_context context_;
};

}  // namespace swf_test
