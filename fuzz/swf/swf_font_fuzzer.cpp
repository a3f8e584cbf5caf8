// libFuzzer target: a DefineFont or DefineFont2 tag body (the first byte's
// low bit picks the type) and a DefineFontInfo body after it, read into a
// movie; then the glyphs rendered and packed into textures, and the font's
// lookups asked of what it read.
#include <cstddef>
#include <cstdint>

#include "../../tests/swf/memory_file.h"
#include "swf/movie/movie_def_impl.h"
#include "swf/stream/bit_stream.h"
#include "swf/text/font.h"
#include "swf/text/fontlib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const int tag_type = data[0] & 1 ? 48 : 10;
  // The second and third bytes: where the DefineFontInfo body starts.
  const size_t split = 3 + ((data[1] | data[2] << 8) % (size - 2));
  swf::movie_def_impl movie(false, false);
  swf_test::MemoryFile font_bytes(data + 3, split - 3);
  swf::bit_stream font_in(font_bytes.file());
  swf::define_font_loader(font_in, tag_type, &movie);
  swf_test::MemoryFile info_bytes(data + split, size - split);
  swf::bit_stream info_in(info_bytes.file());
  swf::define_font_info_loader(info_in, 13, &movie);

  swf::dyn_array<swf::font*> fonts;
  movie.collect_own_fonts(&fonts);
  swf::fontlib::build_glyph_textures(fonts, &movie);
  for (swf::font* f : fonts) {
    for (int i = -1; i <= f->glyph_count(); ++i) {
      f->get_advance(i);
      swf::fontlib::draw_cached_glyph(swf::matrix2x3(), f->get_cached_glyph(i), swf::rgba_color(), 96);
    }
    f->get_glyph_index(data[0]);
    f->get_kerning_adjustment(data[0], data[1]);
  }
  return 0;
}
