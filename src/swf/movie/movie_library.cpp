#include "swf/movie/movie_library.h"

#include <memory>
#include <new>

#include "swf/base/counted_ptr.h"
#include "swf/base/dyn_array.h"
#include "swf/base/file_object.h"
#include "swf/base/log.h"
#include "swf/base/open_hash.h"
#include "swf/base/small_string.h"
#include "swf/movie/movie_def_impl.h"
#include "swf/stage/movie_root.h"
#include "swf/movie/tag_loaders.h"

namespace swf {
namespace {
file_opener_callback g_opener = nullptr;

// The libraries are never destroyed: the engine's owner of the player (a
// static itself) may empty them while the process exits.
template <class Table>
Table& immortal_table() {
  alignas(Table) static unsigned char storage[sizeof(Table)];
  static Table* table = new (storage) Table;
  return *table;
}

open_hash<small_string, counted_ptr<movie_definition_sub>>& movies() {
  return immortal_table<open_hash<small_string, counted_ptr<movie_definition_sub>>>();
}

open_hash<const movie_definition_sub*, counted_ptr<movie_root>>& instances() {
  return immortal_table<open_hash<const movie_definition_sub*, counted_ptr<movie_root>>>();
}

// The paths being read right now, innermost last, so that a movie that
// imports itself is refused rather than read again and again.
dyn_array<small_string>& paths_loading() {
  static dyn_array<small_string> paths;
  return paths;
}

bool is_loading(const small_string& path) {
  for (const small_string& loading : paths_loading())
    if (key_hash<small_string>::equals(loading, path)) return true;
  return false;
}

// Marks a path as being read for the guard's life.
class loading_guard {
 public:
  explicit loading_guard(const char* path) { paths_loading().push_back(path); }
  ~loading_guard() { paths_loading().remove(paths_loading().size() - 1); }
  loading_guard(const loading_guard&) = delete;
  loading_guard& operator=(const loading_guard&) = delete;
};

small_string work_folder;
}  // namespace

void register_file_opener_callback(file_opener_callback opener) { g_opener = opener; }

movie_definition_sub* load_movie_file(const char* path) {
  if (!g_opener) {
    log_error("error: no file opener function; can't create movie.  See swf::register_file_opener_callback\n");
    return nullptr;
  }
  std::unique_ptr<file_object> in(g_opener(path));
  if (!in) {
    log_error("failed to open '%s'; can't create movie.\n", path);
    return nullptr;
  }
  if (in->error()) {
    log_error("error: file opener can't open '%s'\n", path);
    return nullptr;
  }
  register_standard_tag_loaders();
  counted_ptr<movie_def_impl> movie(new movie_def_impl(false, false));
  {
    loading_guard guard(path);
    movie->read(in.get());
  }
  in.reset();

  small_string cache_path(path);
  cache_path.append(".gsc");
  std::unique_ptr<file_object> cache(g_opener(cache_path.c_str()));
  if (!cache || cache->error()) {
    movie->build_glyph_textures();
  } else {
    movie->load_cached_data(cache.get());
  }
  movie->take_ref();  // the caller's
  return movie.get();
}

movie_definition_sub* open_shared_movie(const char* path) {
  const small_string key(path);
  counted_ptr<movie_definition_sub> found;
  if (movies().get(key, &found)) {
    found->take_ref();
    return found.get();
  }
  if (is_loading(key)) return nullptr;
  movie_definition_sub* movie = load_movie_file(path);
  if (!movie) {
    log_error("error: couldn't load library movie '%s'\n", path);
    return nullptr;
  }
  // The library takes a reference of its own; the load's is the caller's.
  movies().add(key, movie);
  return movie;
}

movie_root* open_shared_instance(movie_definition_sub* definition) {
  counted_ptr<movie_root> found;
  if (instances().get(definition, &found) && found) {
    found->take_ref();
    return found.get();
  }
  movie_root* root = definition->create_root_instance();
  if (!root) {
    log_error("error: couldn't create instance\n");
    return nullptr;
  }
  // The creation reference is the caller's.
  instances().add(definition, root);
  return root;
}

void clear_movie_library() {
  movies().clear();
  instances().clear();
}

const char* get_work_folder() { return work_folder.c_str(); }

}  // namespace swf
