#include "swf/bitmap/inflate_wrapper.h"

#include <zlib.h>

#include <cstring>

#include "swf/base/file_object.h"
#include "swf/base/log.h"

namespace swf {

void inflate_wrapper(file_object* in, void* buffer, int buffer_bytes) {
  z_stream zstream;
  std::memset(&zstream, 0, sizeof zstream);
  zstream.next_out = static_cast<Bytef*>(buffer);
  zstream.avail_out = static_cast<uInt>(buffer_bytes);
  int result = inflateInit(&zstream);
  if (result != Z_OK) {
    log_error("error: inflate_wrapper() inflateInit() returned %d\n", result);
    return;
  }
  for (;;) {
    Bytef byte;
    if (in->read(&byte, 1) != 1) break;
    zstream.next_in = &byte;
    zstream.avail_in = 1;
    result = inflate(&zstream, Z_SYNC_FLUSH);
    if (result == Z_STREAM_END) break;
    if (result != Z_OK) {
      log_error("error: inflate_wrapper() inflate() returned %d\n", result);
      break;
    }
  }
  result = inflateEnd(&zstream);
  if (result != Z_OK) log_error("error: inflate_wrapper() inflateEnd() return %d\n", result);
}

}  // namespace swf
