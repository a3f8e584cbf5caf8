// The font block of a ".gsc" cache file: the glyph textures, then per font
// its nominal size and where each of its glyphs lies in them.
#include <cstring>
#include <vector>

#include "swf/base/file_object.h"
#include "swf/base/log.h"
#include "swf/geometry/tessellation.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/render/render_backend.h"
#include "swf/text/font.h"
#include "swf/text/fontlib.h"

namespace swf {
namespace fontlib {
namespace {

// Glyph index, texture index, bounds and origin.
constexpr int64_t kGlyphRecordBytes = 4 + 2 + 16 + 8;

float read_float(file_object* file) {
  const uint32_t bits = file->read_le32();
  float value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// Reads the textures into bitmaps the movie keeps; false, with the file at
// its end, when one claims more pixels than the file holds.
bool read_textures(file_object* file, movie_definition_sub* m) {
  const int count = file->read_le16();
  std::vector<uint8_t> pixels;
  for (int i = 0; i < count; ++i) {
    const int width = file->read_le16();
    const int height = file->read_le16();
    const uint32_t size = static_cast<uint32_t>(width) * static_cast<uint32_t>(height);
    if (!cache_count_fits(file, size, 1)) {
      log_error("error: cached font texture of %d x %d pixels runs past the end of the cache file\n", width, height);
      file->seek_to_end();
      return false;
    }
    if (m->skips_bitmaps()) {
      file->seek(file->tell() + size);
      m->keep_bitmap(render::new_empty_bitmap());
      continue;
    }
    pixels.resize(size);
    file->read(pixels.data(), static_cast<int>(size));
    m->keep_bitmap(render::new_alpha_bitmap(width, height, pixels.data()));
  }
  return true;
}

// False, with the file at its end, when the rest of the block is not to be read.
bool read_font(file_object* file, font* f, int first_bitmap, movie_definition_sub* m) {
  f->set_nominal_glyph_size(file->read_le16());
  const uint32_t count = file->read_le32();
  if (!cache_count_fits(file, count, kGlyphRecordBytes)) {
    log_error("error: %d cached glyphs run past the end of the cache file\n", static_cast<int>(count));
    file->seek_to_end();
    return false;
  }
  for (uint32_t i = 0; i < count; ++i) {
    const int glyph_index = static_cast<int32_t>(file->read_le32());
    const int texture_index = file->read_le16();
    cached_glyph glyph;
    glyph.bounds.x_min = read_float(file);
    glyph.bounds.y_min = read_float(file);
    glyph.bounds.x_max = read_float(file);
    glyph.bounds.y_max = read_float(file);
    glyph.origin_x = read_float(file);
    glyph.origin_y = read_float(file);
    if (first_bitmap + texture_index >= m->get_bitmap_count()) {
      log_error("error: invalid bitmap index %d in cached font data\n", texture_index);
      file->seek_to_end();
      return false;
    }
    glyph.bitmap = m->get_bitmap_at(first_bitmap + texture_index);
    if (glyph_index < 0 || glyph_index >= f->glyph_count()) {
      log_error("error: invalid glyph index %d in cached font data, limit is %d, font is '%s'\n", glyph_index,
                f->glyph_count(), f->get_name() ? f->get_name() : "<null>");
      continue;
    }
    f->add_cached_glyph(glyph_index, glyph);
  }
  return true;
}

}  // namespace

void load_cached_font_data(file_object* file, const dyn_array<font*>& fonts, movie_definition_sub* m) {
  const int first_bitmap = m->get_bitmap_count();
  if (!read_textures(file, m)) return;
  const int count = file->read_le16();
  if (count != fonts.size()) {
    log_error("error: mismatched font count (read %d, expected %d) in cached font data\n", count,
              static_cast<int>(fonts.size()));
    file->seek_to_end();
    return;
  }
  for (font* f : fonts) {
    if (file->error()) {
      log_error("error reading cache file (fonts); skipping\n");
      return;
    }
    if (file->at_end()) {
      log_error("unexpected eof reading cache file (fonts); skipping\n");
      return;
    }
    if (!read_font(file, f, first_bitmap, m)) return;
  }
}

}  // namespace fontlib
}  // namespace swf
