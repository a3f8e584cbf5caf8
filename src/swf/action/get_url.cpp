#include "swf/action/get_url.h"

#include <string>

#include "swf/base/log.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/movie/movie_library.h"
#include "swf/stage/movie_root.h"
#include "swf/stage/sprite_instance.h"
#include "swf/script/movie.h"

namespace swf {
namespace {
fscommand_callback g_fscommand_handler = nullptr;
}  // namespace

void set_fscommand_handler(fscommand_callback handler) { g_fscommand_handler = handler; }

fscommand_callback get_fscommand_handler() { return g_fscommand_handler; }

void load_extern_movie(const char* url, movie* character, movie* root_sprite) {
  const std::string path = std::string(get_work_folder()) + url;
  movie_definition_sub* definition = open_shared_movie(path.c_str());
  if (!definition) {
    log_error("can't create movie_definition_sub for %s\n", path.c_str());
    return;
  }
  if (character == root_sprite) {
    movie_root* instance = open_shared_instance(definition);
    movie* root = instance ? instance->get_root_sprite() : nullptr;
    if (!root) {
      log_error("can't create extern root movie_interface for %s\n", path.c_str());
    } else {
      root->on_event(event_id{swf_event::LOAD, 0});
    }
    if (instance) release_ref(instance);
  } else {
    // The loaded movie plays as long as the movie it was loaded into.
    movie_root* instance = definition->create_root_instance();
    movie* root = instance ? instance->get_root_sprite() : nullptr;
    if (!root) {
      log_error("can't create extern movie_interface for %s\n", path.c_str());
    } else if (movie* parent = character->parent) {
      root->parent = parent;
      if (movie_root* host = parent->get_movie_root()) host->keep_loaded_movie(instance);
      parent->replace_with_instance(root, character->name.c_str(), character->depth, false, character->cxform,
                                    false, character->matrix, character->ratio, character->clip_depth);
    }
    if (instance) release_ref(instance);
  }
  release_ref(definition);
}

}  // namespace swf
