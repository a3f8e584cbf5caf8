#include "swf/bitmap/bitmap_loaders.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "swf/base/file_object.h"
#include "swf/base/log.h"
#include "swf/bitmap/bitmap_character.h"
#include "swf/bitmap/inflate_wrapper.h"
#include "swf/bitmap/jpeg_reader.h"
#include "swf/bitmap/pixel_image.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/render/render_backend.h"
#include "swf/stream/bit_stream.h"

namespace swf {
namespace {
constexpr int kTagDefineBitsLossless2 = 36;

enum lossless_format { COLOR_MAPPED = 3, RGB15 = 4, RGB32 = 5 };

// zlib makes at most about 1032 bytes of one, plus a little for a stream's
// first literal.
constexpr int64_t kMaxInflateRatio = 1032;
constexpr int64_t kInflateSlack = 1024;

void define_bitmap(movie_definition_sub* m, int id, backend_bitmap* bitmap) {
  m->define_bitmap_character(id, new bitmap_character(bitmap));
}

void define_rgb(movie_definition_sub* m, int id, std::unique_ptr<rgb_image> image) {
  if (image) define_bitmap(m, id, render::new_rgb_bitmap(image.get()));
}

void define_rgba(movie_definition_sub* m, int id, std::unique_ptr<rgba_image> image) {
  if (image) define_bitmap(m, id, render::new_rgba_bitmap(image.get()));
}

// A zlib stream of the given size from the file; bytes that do not come stay 0.
std::unique_ptr<uint8_t[]> inflate_block(file_object* in, int64_t bytes) {
  std::unique_ptr<uint8_t[]> block(new uint8_t[static_cast<size_t>(bytes)]());
  inflate_wrapper(in, block.get(), static_cast<int>(bytes));
  return block;
}

int64_t padded_to_4(int64_t bytes) { return (bytes + 3) & ~int64_t{3}; }

// Colour-mapped pixels: an index byte per pixel into a table of `entry`-byte
// colours (red, green, blue and, for 4, alpha); an index past the table's
// end gives transparent black.
template <class Image>
void read_color_mapped(file_object* in, int colors, Image* image, int entry) {
  const int64_t pitch = padded_to_4(image->width);
  const int64_t table_bytes = static_cast<int64_t>(colors) * entry;
  std::unique_ptr<uint8_t[]> block = inflate_block(in, table_bytes + pitch * image->height);
  const uint8_t* table = block.get();
  const uint8_t black[4] = {0, 0, 0, 0};
  const int out_bytes = entry;
  for (int y = 0; y < image->height; ++y) {
    const uint8_t* indexes = block.get() + table_bytes + pitch * y;
    uint8_t* out = image_row(image, y);
    for (int x = 0; x < image->width; ++x, out += out_bytes) {
      const uint8_t* color = indexes[x] < colors ? table + indexes[x] * entry : black;
      std::memcpy(out, color, static_cast<size_t>(out_bytes));
    }
  }
}

// 15-bit pixels, two bytes each, most significant first: a reserved bit and
// 5 bits each of red, green and blue.
template <class Image>
void read_rgb15(file_object* in, Image* image, int out_bytes) {
  const int64_t pitch = padded_to_4(static_cast<int64_t>(image->width) * 2);
  std::unique_ptr<uint8_t[]> block = inflate_block(in, pitch * image->height);
  for (int y = 0; y < image->height; ++y) {
    const uint8_t* pixels = block.get() + pitch * y;
    uint8_t* out = image_row(image, y);
    for (int x = 0; x < image->width; ++x, out += out_bytes) {
      const int word = pixels[2 * x] << 8 | pixels[2 * x + 1];
      out[0] = static_cast<uint8_t>((word >> 10 & 0x1F) << 3);
      out[1] = static_cast<uint8_t>((word >> 5 & 0x1F) << 3);
      out[2] = static_cast<uint8_t>((word & 0x1F) << 3);
      if (out_bytes == 4) out[3] = 255;
    }
  }
}

// The bytes a lossless bitmap's pixels inflate to (the colour table aside);
// -1 for a format that has none.
int64_t lossless_pixel_bytes(int format, int width, int height) {
  switch (format) {
    case COLOR_MAPPED: return padded_to_4(width) * height;
    case RGB15: return padded_to_4(static_cast<int64_t>(width) * 2) * height;
    case RGB32: return static_cast<int64_t>(width) * height * 4;
    default: return -1;
  }
}

// A lossless bitmap's zlib data with its first bytes read ahead: as many as
// its pixels need at the least. A header whose pixels cannot come out of the
// bytes the tag really holds is refused before anything is made for them;
// data that is merely short still makes its image.
class lossless_data {
 public:
  bool open(bit_stream& in, int id, int format, int width, int height) {
    const int64_t needed = lossless_pixel_bytes(format, width, height);
    if (needed < 0) {
      log_error("define_bits_lossless_loader: bitmap %d has unknown format %d; skipping it\n", id, format);
      return false;
    }
    const int64_t least = needed > kInflateSlack ? (needed - kInflateSlack) / kMaxInflateRatio + 1 : 0;
    head_.reset(new uint8_t[static_cast<size_t>(least)]);
    head_size_ = in.read_bytes(head_.get(), static_cast<int>(least));
    if (head_size_ < least) {
      log_error("define_bits_lossless_loader: bitmap %d of %d x %d pixels cannot come out of %d bytes; skipping it\n",
                id, width, height, head_size_);
      return false;
    }
    rest_ = in.file();
    file_.reset(file_object::from_callbacks(this, read, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    return true;
  }
  file_object* file() { return file_.get(); }

 private:
  static int read(void* buffer, int bytes, void* handle) {
    lossless_data* data = static_cast<lossless_data*>(handle);
    const int from_head = std::min(bytes, data->head_size_ - data->head_used_);
    std::memcpy(buffer, data->head_.get() + data->head_used_, static_cast<size_t>(from_head));
    data->head_used_ += from_head;
    return from_head + data->rest_->read(static_cast<uint8_t*>(buffer) + from_head, bytes - from_head);
  }

  std::unique_ptr<uint8_t[]> head_;
  int head_size_ = 0;
  int head_used_ = 0;
  file_object* rest_ = nullptr;
  std::unique_ptr<file_object> file_;
};

std::unique_ptr<rgb_image> read_lossless_rgb(file_object* in, int format, int colors, int width, int height) {
  std::unique_ptr<rgb_image> image(make_rgb_image(width, height));
  if (format == COLOR_MAPPED) {
    read_color_mapped(in, colors, image.get(), 3);
  } else if (format == RGB15) {
    read_rgb15(in, image.get(), 3);
  } else if (format == RGB32) {
    std::unique_ptr<uint8_t[]> block = inflate_block(in, static_cast<int64_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
      const uint8_t* pixels = block.get() + static_cast<int64_t>(width) * 4 * y;
      uint8_t* out = image_row(image.get(), y);
      for (int x = 0; x < width; ++x) std::memcpy(out + 3 * x, pixels + 4 * x + 1, 3);  // skip the first byte
    }
  }
  return image;
}

std::unique_ptr<rgba_image> read_lossless_rgba(file_object* in, int format, int colors, int width, int height) {
  std::unique_ptr<rgba_image> image(make_rgba_image(width, height));
  if (format == COLOR_MAPPED) {
    read_color_mapped(in, colors, image.get(), 4);
  } else if (format == RGB15) {
    read_rgb15(in, image.get(), 4);
  } else if (format == RGB32) {
    inflate_wrapper(in, image->data, image->pitch * height);
    // Stored alpha, red, green, blue: rotate to red, green, blue, alpha.
    for (int y = 0; y < height; ++y) {
      uint8_t* p = image_row(image.get(), y);
      for (int x = 0; x < width; ++x, p += 4) {
        const uint8_t alpha = p[0];
        p[0] = p[1];
        p[1] = p[2];
        p[2] = p[3];
        p[3] = alpha;
      }
    }
  }
  return image;
}
}  // namespace

void jpeg_tables_loader(bit_stream& in, int tag_type, movie_definition_sub* m) {
  (void)tag_type;
  if (jpeg_reader* reader = open_jpeg_reader(in.file())) m->set_jpeg_tables(reader);
}

void define_bits_loader(bit_stream& in, int tag_type, movie_definition_sub* m) {
  (void)tag_type;
  const int id = in.read_uint16();
  jpeg_reader* tables = m->get_jpeg_tables();
  if (!tables) {
    log_error("define_bits_loader: no JPEG tables for bitmap %d; skipping it\n", id);
    return;
  }
  tables->discard_buffered();
  define_rgb(m, id, std::unique_ptr<rgb_image>(decode_jpeg_rgb_with_reader(tables)));
}

void define_bits_jpeg2_loader(bit_stream& in, int tag_type, movie_definition_sub* m) {
  (void)tag_type;
  const int id = in.read_uint16();
  define_rgb(m, id, std::unique_ptr<rgb_image>(decode_jpeg_rgb(in.file())));
}

void define_bits_jpeg3_loader(bit_stream& in, int tag_type, movie_definition_sub* m) {
  (void)tag_type;
  const int id = in.read_uint16();
  const uint32_t jpeg_size = in.read_uint32();
  const int64_t alpha_offset = in.tell_offset() + jpeg_size;
  std::unique_ptr<rgba_image> image(decode_jpeg_rgba(in.file()));
  if (!image) return;
  in.seek_offset(alpha_offset);
  std::unique_ptr<uint8_t[]> alpha = inflate_block(in.file(), static_cast<int64_t>(image->width) * image->height);
  for (int y = 0; y < image->height; ++y) {
    uint8_t* p = image_row(image.get(), y);
    for (int x = 0; x < image->width; ++x) p[4 * x + 3] = alpha[static_cast<size_t>(y) * image->width + x];
  }
  define_rgba(m, id, std::move(image));
}

void define_bits_lossless_loader(bit_stream& in, int tag_type, movie_definition_sub* m) {
  const int id = in.read_uint16();
  const int format = in.read_uint8();
  const int width = in.read_uint16();
  const int height = in.read_uint16();
  if (!image_size_allowed(width, height)) return;
  const int colors = format == COLOR_MAPPED ? in.read_uint8() + 1 : 0;
  lossless_data data;
  if (!data.open(in, id, format, width, height)) return;
  if (tag_type == kTagDefineBitsLossless2) {
    define_rgba(m, id, read_lossless_rgba(data.file(), format, colors, width, height));
  } else {
    define_rgb(m, id, read_lossless_rgb(data.file(), format, colors, width, height));
  }
}

}  // namespace swf
