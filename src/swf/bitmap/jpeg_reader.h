// A JPEG decoder over a player file. A reader opened on JPEG tables alone
// keeps them and decodes the images that follow later in the same file.
// Every failure (bad data, no data, an unsupported colour space, a picture
// too large) is logged and answered with false or null; the process goes on.
#pragma once
#include <cstdint>

namespace swf {

class file_object;
struct rgb_image;
struct rgba_image;

class jpeg_reader {
 public:
  virtual ~jpeg_reader() = default;
  // Drops the bytes read ahead, so that the next image starts at the file's
  // current offset.
  virtual void discard_buffered() = 0;
  virtual bool start_image() = 0;
  virtual bool finish_image() = 0;
  virtual int get_height() const = 0;
  virtual int get_width() const = 0;
  // Decodes the next row: 3 bytes (red, green, blue) per pixel.
  virtual bool read_row(uint8_t* row) = 0;
};

// Reads the tables (or the header of a whole image) at the file's offset;
// null when that fails.
jpeg_reader* open_jpeg_reader(file_object* in);

rgb_image* decode_jpeg_rgb_with_reader(jpeg_reader* reader);
rgb_image* decode_jpeg_rgb(file_object* in);
// Alpha 255 throughout.
rgba_image* decode_jpeg_rgba(file_object* in);

}  // namespace swf
