// libFuzzer target: a DefineFont or DefineFont2 tag body (the first byte's
// low bit picks the type) and a DefineFontInfo body after it, read into a
// movie; then the glyphs of a small font rendered and packed into textures,
// and the font's lookups asked of what it read.
#include <cstddef>
#include <cstdint>
#include <string>

#include "../../tests/swf/memory_file.h"
#include "fuzz_target.h"
#include "swf/movie/movie_def_impl.h"
#include "swf/stream/bit_stream.h"
#include "swf/text/font.h"
#include "swf/text/fontlib.h"

namespace {

constexpr int kMostGlyphsRendered = 32;

fuzz::Bytes FromHex(const char* hex) {
  fuzz::Bytes bytes;
  for (const char* at = hex; at[0] && at[1]; at += 2) bytes.push_back(uint8_t(std::stoi(std::string(at, 2), nullptr, 16)));
  return bytes;
}

// The type byte, the split, the font body, then the info body.
fuzz::Bytes Input(bool font2, const char* font_hex, const char* info_hex) {
  const fuzz::Bytes body = FromHex(font_hex), info = FromHex(info_hex);
  fuzz::Bytes input = {uint8_t(font2 ? 1 : 0), uint8_t(body.size() & 0xFF), uint8_t(body.size() >> 8)};
  input.insert(input.end(), body.begin(), body.end());
  input.insert(input.end(), info.begin(), info.end());
  return input;
}

}  // namespace

// Tag bodies the assembler writes for the test fonts.
void WriteSeeds(fuzz::Seeds& seeds) {
  seeds.Add("define_font_and_info",
            Input(false,
                  "0100060016002600100d6002c07910072a80e080396c0000100d6002c07910072a80e080396c00001000",
                  "010005426f78657302414220"));
  seeds.Add("define_font_2_layout",
            Input(true,
                  "0200840004576964650200060015002400100d400401e040395006e403860000100d5b0581e0503954070581cb6000"
                  "423042002003c80028005802bc0208000800010042304200ceff",
                  ""));
  seeds.Add("define_font_2_bad_code_table",
            Input(true, "030080000642726f6b656e01000400e703100ce0207610365035206ac00041000000000000640008000000", ""));
}

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
  // Every glyph is rendered at 384 x 384: a font of thousands would spend
  // the run on rendering alone, so only small ones are.
  if (!fonts.empty() && fonts[0]->glyph_count() <= kMostGlyphsRendered) {
    swf::fontlib::build_glyph_textures(fonts, &movie);
  }
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
