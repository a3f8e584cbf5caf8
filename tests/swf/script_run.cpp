#include "script_run.h"

#include "swf/action/do_action_tag.h"
#include "swf/script/builtins.h"

namespace swf_test {

std::vector<std::string> WithoutMemberTraces(const std::vector<std::string>& lines) {
  std::vector<std::string> kept;
  for (const std::string& line : lines)
    if (line.rfind("-- get_member", 0) != 0) kept.push_back(line);
  return kept;
}

ScriptRun::ScriptRun(const char* movie_name)
    : movie_(LoadMovie(FixturePath(movie_name))), root_(new RecordingClip(nullptr, "_root", &record_)) {
  root_->definition = movie_.get();
  root_->labels = {"intro", "", "", "", "", "end"};
  root_->Child("a")->labels = {"intro"};
  root_->Child("a")->Child("b");
}

ScriptRun::~ScriptRun() { swf::clear_builtins(); }

ScriptOutcome ScriptRun::Run(const char* label) {
  ScriptOutcome outcome;
  int frame = -1;
  if (!movie_ || !movie_->find_frame_label(label, &frame)) {
    outcome.errors.push_back(std::string("no frame labelled ") + label);
    return outcome;
  }
  record_.clear();
  PlayerLogCapture log;
  for (swf::display_tag* tag : *movie_->get_frame_tags(frame)) {
    if (auto* actions = dynamic_cast<swf::do_action_tag*>(tag)) actions->buffer.execute(&root_->Context());
  }
  for (const PlayerLogLine& line : log.Lines()) {
    std::string text = line.text;
    if (!text.empty() && text.back() == '\n') text.pop_back();
    (line.error ? outcome.errors : outcome.traces).push_back(text);
  }
  outcome.calls = record_;
  return outcome;
}

}  // namespace swf_test
