// Runs the frame scripts of an assembled movie against a recording clip and
// gathers what they did: trace lines, error lines and movie calls.
#pragma once
#include <string>
#include <vector>

#include "movie_fixture.h"
#include "player_log_capture.h"
#include "recording_clip.h"
#include "swf/base/counted_ptr.h"

namespace swf_test {

struct ScriptOutcome {
  std::vector<std::string> traces;  // messages, newline removed
  std::vector<std::string> errors;
  std::vector<std::string> calls;   // of the recording clips
};

// The lines without the get_member trace lines, which carry addresses.
std::vector<std::string> WithoutMemberTraces(const std::vector<std::string>& lines);

class ScriptRun {
 public:
  // The movie is an assembled fixture; the root clip's children "a" and
  // "a.b" exist, and "a" knows the labels "intro" (frame 0) and "end".
  explicit ScriptRun(const char* movie_name);
  ~ScriptRun();

  // Runs every DoAction of the labelled frame in the root clip's context.
  ScriptOutcome Run(const char* label);
  RecordingClip* root() { return root_.get(); }
  swf::movie_def_impl* movie() { return movie_.get(); }
  // The movie calls since the last run began.
  const std::vector<std::string>& calls() const { return record_; }

 private:
  MovieFolder folder_;
  swf::counted_ptr<swf::movie_def_impl> movie_;
  std::vector<std::string> record_;
  swf::counted_ptr<RecordingClip> root_;
};

}  // namespace swf_test
