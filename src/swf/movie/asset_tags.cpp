#include "swf/movie/asset_tags.h"

#include "swf/base/counted_ptr.h"
#include "swf/base/log.h"
#include "swf/movie/movie_library.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/sound/sound_sample.h"
#include "swf/stream/bit_stream.h"
#include "swf/text/font.h"

namespace swf {

void export_loader(bit_stream& in, int tag_type, movie_definition_sub* m) {
  (void)tag_type;
  const int count = in.read_uint16();
  for (int i = 0; i < count && !in.overrun(); ++i) {
    const int id = in.read_uint16();
    const std::unique_ptr<char[]> symbol = in.read_cstring();
    library_item* item = m->find_font(id);
    if (!item) item = m->find_character(id);
    if (!item) item = m->find_sound(id);
    if (item) {
      m->export_item(symbol.get(), item);
    } else {
      log_error("export error: don't know how to export resource '%s'\n", symbol.get());
    }
  }
}

void define_imported_item(movie_definition_sub* m, int id, movie_definition_sub* source, const char* symbol,
                          const char* source_url) {
  library_item* item = source->find_export(symbol);
  if (!item) {
    log_error("import error: resource '%s' is not exported from movie '%s'\n", symbol, source_url);
  } else if (font* f = item->as_font()) {
    m->define_font(id, f);
  } else if (character_definition* definition = item->as_character_definition()) {
    m->define_character(id, definition);
  } else {
    log_error("import error: resource '%s' from movie '%s' has unknown type\n", symbol, source_url);
  }
}

void import_loader(bit_stream& in, int tag_type, movie_definition_sub* m) {
  (void)tag_type;
  const std::unique_ptr<char[]> source_url = in.read_cstring();
  const int count = in.read_uint16();
  movie_definition_sub* source = open_shared_movie(source_url.get());
  if (!source) {
    log_error("can't import movie from url %s\n", source_url.get());
    return;
  }
  for (int i = 0; i < count && !in.overrun(); ++i) {
    const int id = in.read_uint16();
    const std::unique_ptr<char[]> symbol = in.read_cstring();
    define_imported_item(m, id, source, symbol.get(), source_url.get());
  }
  // The importing movie keeps the source alive for as long as it lives (the
  // library keeps its own reference); ours goes back.
  m->keep_import_source(source);
  release_ref(source);
}

}  // namespace swf
