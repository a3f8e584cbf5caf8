#include "movie_fixture.h"

#include <sstream>

#include "swf/base/file_object.h"
#include "swf/bitmap/bitmap_character.h"
#include "swf/movie/movie_library.h"
#include "swf/movie/place_object_2.h"
#include "swf/movie/remove_object_2.h"
#include "swf/movie/set_background_color.h"
#include "swf/movie/sprite_definition.h"
#include "swf/movie/swf_event.h"
#include "swf/render/backend_bitmap.h"

namespace swf_test {
namespace {
std::string& Folder() {
  static std::string folder;
  return folder;
}

swf::file_object* OpenInFolder(const char* path) {
  const std::string name(path);
  return swf::file_object::open((name.empty() || name[0] == '/' ? name : Folder() + "/" + name).c_str(), "rb");
}

void DescribeTags(std::ostringstream& out, const swf::frame_tag_list* tags) {
  for (swf::display_tag* tag : *tags) {
    if (auto* place = dynamic_cast<swf::place_object_2*>(tag)) {
      out << " place" << place->tag_type << "(" << place->type << " d" << place->depth << " c" << place->character_id
          << " m" << place->matrix.m00 << "," << place->matrix.m11 << "," << place->matrix.m02 << ","
          << place->matrix.m12 << " x" << place->cxform.m[0][0] << "," << place->cxform.m[2][1] << " r"
          << place->ratio << " n" << (place->name ? place->name.get() : "-") << " k" << place->clip_depth << " e";
      for (swf::swf_event* event : place->events)
        out << int(event->event.id) << "/" << int(event->event.key_code) << "/" << event->actions.length() << ";";
      out << ")";
    } else if (auto* remove = dynamic_cast<swf::remove_object_2*>(tag)) {
      out << " remove(d" << remove->depth << " c" << remove->character_id << ")";
    } else if (auto* background = dynamic_cast<swf::set_background_color*>(tag)) {
      out << " background(" << int(background->color.r) << "," << int(background->color.g) << ","
          << int(background->color.b) << ")";
    } else {
      out << " tag";
    }
  }
}

void DescribeTimeline(std::ostringstream& out, swf::movie_definition_sub* m) {
  for (int frame = 0; frame < m->get_frame_total(); ++frame) {
    out << "frame " << frame << ":";
    DescribeTags(out, m->get_frame_tags(frame));
    out << "\n";
  }
}
}  // namespace

std::string FixturePath(const std::string& name) { return std::string(VANTOR_SWF_FIXTURES) + "/" + name; }

MovieFolder::MovieFolder(const std::string& folder) {
  Folder() = folder;
  swf::register_file_opener_callback(OpenInFolder);
  swf::clear_movie_library();
}

MovieFolder::~MovieFolder() {
  swf::clear_movie_library();
  swf::register_file_opener_callback(nullptr);
  Folder() = FixturePath("");
}

swf::counted_ptr<swf::movie_def_impl> LoadMovie(const std::string& path) {
  swf::movie_definition_sub* loaded = swf::load_movie_file(path.c_str());
  swf::counted_ptr<swf::movie_def_impl> movie(dynamic_cast<swf::movie_def_impl*>(loaded));
  if (loaded) swf::release_ref(loaded);
  return movie;
}

std::string Describe(swf::movie_def_impl* movie) {
  std::ostringstream out;
  out << "version " << movie->get_swf_version() << " rate " << movie->get_frames_per_second() << " frames "
      << movie->get_frame_total() << " size " << movie->get_pixel_width() << "x" << movie->get_pixel_height()
      << "\n";
  DescribeTimeline(out, movie);
  for (auto& entry : movie->frame_labels()) out << "label " << entry.key.c_str() << "=" << entry.value << "\n";
  for (auto& entry : movie->characters()) {
    out << "character " << entry.key << "\n";
    if (auto* sprite = dynamic_cast<swf::sprite_definition*>(entry.value.get())) DescribeTimeline(out, sprite);
  }
  for (auto& entry : movie->bitmap_characters())
    out << "bitmap " << entry.key << " " << entry.value->get_bitmap()->width << "x"
        << entry.value->get_bitmap()->height << "\n";
  for (auto& entry : movie->exports()) out << "export " << entry.key.c_str() << "\n";
  return out.str();
}

}  // namespace swf_test
