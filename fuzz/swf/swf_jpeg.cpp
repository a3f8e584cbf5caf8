// libFuzzer target: the JPEG reader, on a whole picture and as JPEG tables
// followed by pictures that use them. Seeds: the pictures of the SWF test
// movies, and their tables and DefineBits pictures together.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "../../tests/swf/memory_file.h"
#include "fuzz_target.h"
#include "swf/bitmap/jpeg_reader.h"
#include "swf/bitmap/pixel_image.h"
#include "swf_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  {
    swf_test::MemoryFile picture(data, size);
    std::unique_ptr<swf::rgba_image> image(swf::decode_jpeg_rgba(picture.file()));
  }
  swf_test::MemoryFile stream(data, size);
  std::unique_ptr<swf::jpeg_reader> tables(swf::open_jpeg_reader(stream.file()));
  for (int picture = 0; tables && picture < 2; ++picture) {
    tables->discard_buffered();
    std::unique_ptr<swf::rgb_image> image(swf::decode_jpeg_rgb_with_reader(tables.get()));
  }
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) {
  constexpr int kJpegTables = 8, kDefineBits = 6;
  constexpr size_t kId = 2;
  fuzz::AddSwfFixtures(seeds, ".jpg");
  // A movie's tables, then two of its pictures that use them.
  fuzz::Bytes tables, pictures;
  for (const fuzz::SwfTag& tag : fuzz::SwfFixtureTags()) {
    if (tag.type == kJpegTables && tables.empty()) tables = tag.body;
    if (tag.type == kDefineBits && tag.body.size() > kId) pictures.insert(pictures.end(), tag.body.begin() + kId, tag.body.end());
  }
  tables.insert(tables.end(), pictures.begin(), pictures.end());
  seeds.Add("tables_and_pictures", tables);
}
