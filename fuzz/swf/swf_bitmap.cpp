// libFuzzer target: the bitmap tags (JPEGTables, DefineBits, DefineBitsJPEG2
// and 3, DefineBitsLossless and 2) as a movie stores them, one after another,
// read by their loaders into one movie; each bitmap the tags define is handed
// to a render backend that copies its pixels. Seeds: the bitmap tags of the
// SWF test movies.
#include <cstddef>
#include <cstdint>
#include <string>

#include "../../tests/swf/memory_file.h"
#include "../../tests/swf/recording_backend.h"
#include "fuzz_target.h"
#include "swf/bitmap/bitmap_loaders.h"
#include "swf/movie/movie_def_impl.h"
#include "swf/stream/bit_stream.h"
#include "swf_input.h"

namespace {

using Loader = void (*)(swf::bit_stream&, int, swf::movie_definition_sub*);

Loader LoaderOf(int type) {
  switch (type) {
    case 6: return swf::define_bits_loader;
    case 8: return swf::jpeg_tables_loader;
    case 20: case 36: return swf::define_bits_lossless_loader;
    case 21: return swf::define_bits_jpeg2_loader;
    case 35: return swf::define_bits_jpeg3_loader;
    default: return nullptr;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  swf_test::RecordingBackend backend;
  swf_test::MemoryFile file(data, size);
  swf::bit_stream in(file.file());
  swf::movie_def_impl movie(false, false);
  while (!in.hit_file_end()) {
    in.clear_overrun();
    const int type = in.enter_tag();
    if (in.overrun()) break;
    if (Loader loader = LoaderOf(type)) loader(in, type, &movie);
    in.leave_tag();
  }
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) {
  fuzz::Bytes tags;
  int count = 0;
  for (const fuzz::SwfTag& tag : fuzz::SwfFixtureTags()) {
    if (!LoaderOf(tag.type)) continue;
    const fuzz::Bytes stored = fuzz::SwfTagBytes(tag);
    seeds.Add("bitmap_" + std::to_string(count++), stored);
    tags.insert(tags.end(), stored.begin(), stored.end());
  }
  seeds.Add("all_bitmaps", tags);
}
