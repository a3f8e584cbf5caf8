#include "stage_player.h"

#include <sstream>

namespace swf_test {

StagePlayer::StagePlayer(const std::string& movie_name) : movie_(LoadMovie(movie_name)) {
  if (!movie_) return;
  swf::movie_root* created = movie_->create_root_instance();
  root_ = created;
  swf::release_ref(created);  // the creation reference; root_ keeps its own
}

StagePlayer::~StagePlayer() { root_ = nullptr; }

swf::movie* StagePlayer::Child(const char* name) { return sprite()->get_display_list().find_by_name(name); }

void StagePlayer::Step(float dt, int mouse_x, int mouse_y, int buttons) {
  root_->set_mouse_state(mouse_x, mouse_y, buttons);
  root_->step_time(dt);
}

std::vector<std::string> StagePlayer::TakeTraces() {
  std::vector<std::string> traces;
  const std::vector<PlayerLogLine>& lines = PlayerLogCapture::Lines();
  for (; traces_read_ < lines.size(); ++traces_read_) {
    const std::string& text = lines[traces_read_].text;
    if (text.size() > 1 && text[0] == '>') traces.push_back(text.substr(1, text.size() - 2));
  }
  return traces;
}

std::string StagePlayer::Describe(const swf::sprite_instance* sprite) {
  std::ostringstream out;
  const swf::display_list& list = sprite->get_display_list();
  for (int i = 0; i < list.size(); ++i) {
    const swf::movie* m = list.at(i);
    if (i > 0) out << " ";
    out << m->depth << ":" << m->id;
    if (m->name.length() > 0) out << ":" << m->name.c_str();
    out << "@" << m->matrix.m02 << "," << m->matrix.m12;
    if (!list.in_use_at(i)) out << "(stale)";
  }
  return out.str();
}

}  // namespace swf_test
