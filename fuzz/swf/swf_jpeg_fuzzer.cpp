// libFuzzer target: the JPEG reader, on a whole picture and as JPEG tables
// followed by pictures that use them.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "../../tests/swf/memory_file.h"
#include "swf/bitmap/jpeg_reader.h"
#include "swf/bitmap/pixel_image.h"

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
