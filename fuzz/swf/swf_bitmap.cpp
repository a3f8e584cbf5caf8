// libFuzzer target: the bitmap tags (JPEGTables, DefineBits, DefineBitsJPEG2
// and 3, DefineBitsLossless and 2) as a movie stores them, one after another,
// read by their loaders into one movie; each bitmap the tags define is handed
// to a render backend that reads all its pixels, as a texture upload does.
// Seeds: the bitmap tags of the SWF test movies.
#include <cstddef>
#include <cstdint>
#include <string>

#include "../../tests/swf/memory_file.h"
#include "../../tests/swf/recording_backend.h"
#include "fuzz_target.h"
#include "swf/bitmap/bitmap_loaders.h"
#include "swf/bitmap/pixel_image.h"
#include "swf/render/backend_bitmap.h"
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

// Reads every pixel of the bitmaps it is handed and keeps none of them.
class ReadingBackend : public swf_test::RecordingBackend {
 public:
  swf::backend_bitmap* new_rgb_bitmap(swf::rgb_image* image) override { return Read(image, 3); }
  swf::backend_bitmap* new_rgba_bitmap(swf::rgba_image* image) override { return Read(image, 4); }

 private:
  template <class Image>
  swf::backend_bitmap* Read(Image* image, int pixel_bytes) {
    uint8_t sum = 0;
    for (int y = 0; y < image->height; ++y) {
      const uint8_t* row = swf::image_row(image, y);
      for (int x = 0; x < image->width * pixel_bytes; ++x) sum = static_cast<uint8_t>(sum + row[x]);
    }
    checksum_ = sum;
    return new swf::backend_bitmap;
  }
  volatile uint8_t checksum_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ReadingBackend backend;
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
