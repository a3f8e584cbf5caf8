// The JPEG reader over libjpeg, with a source manager over a player file and
// an error exit that abandons the current picture instead of the process.
// Each call into libjpeg sits behind a setjmp of its own, in a function that
// keeps no object with a destructor alive across the call.
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>

#include <jpeglib.h>  // needs size_t and FILE first

#include "swf/base/file_object.h"
#include "swf/base/log.h"
#include "swf/bitmap/jpeg_reader.h"
#include "swf/bitmap/pixel_image.h"

namespace swf {
namespace {
constexpr int kInputBufferSize = 4096;
constexpr JOCTET kStartOfImage = 0xD8;

struct jpeg_file_source {
  jpeg_source_mgr pub;  // first, so libjpeg's pointer is ours
  file_object* file;
  bool start_of_file;
  JOCTET buffer[kInputBufferSize];
};

struct jpeg_error_exit {
  jpeg_error_mgr pub;  // first, so libjpeg's pointer is ours
  jmp_buf jump;
};

[[noreturn]] void abandon(j_common_ptr info, const char* message) {
  log_error("jpeg error: %s\n", message);
  std::longjmp(reinterpret_cast<jpeg_error_exit*>(info->err)->jump, 1);
}

[[noreturn]] void on_error_exit(j_common_ptr info) {
  char message[JMSG_LENGTH_MAX];
  info->err->format_message(info, message);
  abandon(info, message);
}

void on_output_message(j_common_ptr info) {
  char message[JMSG_LENGTH_MAX];
  info->err->format_message(info, message);
  log_message("jpeg: %s\n", message);
}

jpeg_file_source* source_of(j_decompress_ptr info) { return reinterpret_cast<jpeg_file_source*>(info->src); }

void init_source(j_decompress_ptr info) { source_of(info)->start_of_file = true; }

boolean fill_input_buffer(j_decompress_ptr info) {
  jpeg_file_source* src = source_of(info);
  int got = src->file->read(src->buffer, kInputBufferSize);
  if (got <= 0) {
    if (src->start_of_file) abandon(reinterpret_cast<j_common_ptr>(info), "empty jpeg source stream.");
    // Data that stops early ends as if an end-of-image marker came.
    src->buffer[0] = 0xFF;
    src->buffer[1] = JPEG_EOI;
    got = 2;
  }
  // Data that opens with an end-of-image, start-of-image pair reads as a
  // start-of-image, end-of-image pair: empty tables before the picture.
  if (src->start_of_file && got >= 4 && src->buffer[0] == 0xFF && src->buffer[1] == JPEG_EOI &&
      src->buffer[2] == 0xFF && src->buffer[3] == kStartOfImage) {
    src->buffer[1] = kStartOfImage;
    src->buffer[3] = JPEG_EOI;
  }
  src->start_of_file = false;
  src->pub.next_input_byte = src->buffer;
  src->pub.bytes_in_buffer = static_cast<size_t>(got);
  return TRUE;
}

void skip_input_data(j_decompress_ptr info, long count) {
  jpeg_file_source* src = source_of(info);
  if (count <= 0) return;
  while (count > static_cast<long>(src->pub.bytes_in_buffer)) {
    count -= static_cast<long>(src->pub.bytes_in_buffer);
    fill_input_buffer(info);
  }
  src->pub.next_input_byte += count;
  src->pub.bytes_in_buffer -= static_cast<size_t>(count);
}

void term_source(j_decompress_ptr) {}

class libjpeg_reader : public jpeg_reader {
 public:
  explicit libjpeg_reader(file_object* in) {
    std::memset(&info_, 0, sizeof info_);
    source_.file = in;
    source_.start_of_file = true;
    source_.pub.init_source = init_source;
    source_.pub.fill_input_buffer = fill_input_buffer;
    source_.pub.skip_input_data = skip_input_data;
    source_.pub.resync_to_restart = jpeg_resync_to_restart;
    source_.pub.term_source = term_source;
    source_.pub.next_input_byte = nullptr;
    source_.pub.bytes_in_buffer = 0;
  }

  ~libjpeg_reader() override {
    if (created_) jpeg_destroy_decompress(&info_);
  }

  // Creates the decompressor and reads the tables, or the header of a whole
  // image, at the file's offset.
  bool open() {
    info_.err = jpeg_std_error(&error_.pub);
    error_.pub.error_exit = on_error_exit;
    error_.pub.output_message = on_output_message;
    if (setjmp(error_.jump)) return false;
    jpeg_create_decompress(&info_);
    created_ = true;
    info_.src = &source_.pub;
    header_read_ = jpeg_read_header(&info_, FALSE) == JPEG_HEADER_OK;
    return true;
  }

  void discard_buffered() override {
    source_.pub.next_input_byte = nullptr;
    source_.pub.bytes_in_buffer = 0;
  }

  bool start_image() override {
    if (setjmp(error_.jump)) return abandon_image();
    // A reader opened on a whole image has read its header already.
    if (!header_read_) jpeg_read_header(&info_, TRUE);
    header_read_ = false;
    if (!choose_output()) return abandon_image();
    jpeg_start_decompress(&info_);
    started_ = true;
    return true;
  }

  bool finish_image() override {
    if (!started_) return true;
    if (setjmp(error_.jump)) return abandon_image();
    jpeg_finish_decompress(&info_);
    started_ = false;
    return true;
  }

  int get_height() const override { return static_cast<int>(info_.output_height); }
  int get_width() const override { return static_cast<int>(info_.output_width); }

  bool read_row(uint8_t* row) override {
    if (!started_ || info_.output_scanline >= info_.output_height) return false;
    if (setjmp(error_.jump)) return abandon_image();
    JSAMPROW rows[1] = {row};
    jpeg_read_scanlines(&info_, rows, 1);
    return true;
  }

 private:
  // Grey and colour pictures decode to RGB; other colour spaces and pictures
  // too large for the player are refused.
  bool choose_output() {
    const J_COLOR_SPACE space = info_.jpeg_color_space;
    if (space != JCS_GRAYSCALE && space != JCS_YCbCr && space != JCS_RGB) {
      log_error("jpeg error: colour space %d is not supported\n", static_cast<int>(space));
      return false;
    }
    if (!image_size_allowed(info_.image_width, info_.image_height)) return false;
    info_.out_color_space = JCS_RGB;
    info_.scale_num = info_.scale_denom = 1;
    return true;
  }

  // Leaves the decompressor ready for a next image and its tables kept.
  bool abandon_image() {
    jpeg_abort_decompress(&info_);
    started_ = false;
    header_read_ = false;
    return false;
  }

  jpeg_decompress_struct info_;
  jpeg_error_exit error_;
  jpeg_file_source source_;
  bool created_ = false;
  bool started_ = false;
  bool header_read_ = false;
};

}  // namespace

jpeg_reader* open_jpeg_reader(file_object* in) {
  std::unique_ptr<libjpeg_reader> reader(new libjpeg_reader(in));
  if (!reader->open()) return nullptr;
  return reader.release();
}

rgb_image* decode_jpeg_rgb_with_reader(jpeg_reader* reader) {
  if (!reader->start_image()) return nullptr;
  std::unique_ptr<rgb_image> image(make_rgb_image(reader->get_width(), reader->get_height()));
  for (int y = 0; y < image->height; ++y)
    if (!reader->read_row(image_row(image.get(), y))) return nullptr;
  if (!reader->finish_image()) return nullptr;
  return image.release();
}

rgb_image* decode_jpeg_rgb(file_object* in) {
  std::unique_ptr<jpeg_reader> reader(open_jpeg_reader(in));
  return reader ? decode_jpeg_rgb_with_reader(reader.get()) : nullptr;
}

rgba_image* decode_jpeg_rgba(file_object* in) {
  std::unique_ptr<jpeg_reader> reader(open_jpeg_reader(in));
  if (!reader || !reader->start_image()) return nullptr;
  std::unique_ptr<rgba_image> image(make_rgba_image(reader->get_width(), reader->get_height()));
  std::unique_ptr<uint8_t[]> row(new uint8_t[static_cast<size_t>(image->width) * 3]);
  for (int y = 0; y < image->height; ++y) {
    if (!reader->read_row(row.get())) return nullptr;
    for (int x = 0; x < image->width; ++x) image->set_pixel(x, y, row[3 * x], row[3 * x + 1], row[3 * x + 2], 255);
  }
  if (!reader->finish_image()) return nullptr;
  return image.release();
}

}  // namespace swf
