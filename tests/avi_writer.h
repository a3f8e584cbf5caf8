// Small AVI files written by the tests themselves: one stream of
// uncompressed 24-bit frames (bottom-up rows, each padded to four bytes) at
// any count and rate, with an index. On request one frame's chunk is cut
// short, the codec is one no decoder knows, or the stream carries sound
// instead of pictures.
#pragma once
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "platform/codecs/little_endian.h"

namespace avi_writer {

struct Clip {
  uint32_t width = 16;
  uint32_t height = 16;
  uint32_t rate = 10;  // frames per second = rate / scale
  uint32_t scale = 1;
  std::vector<std::vector<uint32_t>> frames;  // 0x00RRGGBB, rows from the top
  int damagedFrame = -1;                      // this frame's chunk holds a few bytes only
  uint32_t compression = 0;                   // BI_RGB; any other code names a codec
  bool video = true;                          // false: one stream of 8-bit sound instead
};

// `count` frames, frame i filled with colours[i % colours.size()].
inline Clip SolidFrames(uint32_t width, uint32_t height, uint32_t count, const std::vector<uint32_t>& colours) {
  Clip clip;
  clip.width = width;
  clip.height = height;
  for (uint32_t i = 0; i < count; ++i) {
    clip.frames.emplace_back(static_cast<size_t>(width) * height, colours[i % colours.size()]);
  }
  return clip;
}

namespace detail {

inline uint32_t FourCC(const char* code) {
  return static_cast<uint32_t>(code[0]) | (static_cast<uint32_t>(code[1]) << 8) |
         (static_cast<uint32_t>(code[2]) << 16) | (static_cast<uint32_t>(code[3]) << 24);
}

inline void Tag(std::vector<uint8_t>& out, const char* code) { platform::Append32(out, FourCC(code)); }

// Writes a chunk or list header with a size to be patched; returns where the size is.
inline size_t Open(std::vector<uint8_t>& out, const char* id, const char* listType = nullptr) {
  Tag(out, id);
  size_t at = out.size();
  platform::Append32(out, 0);
  if (listType) Tag(out, listType);
  return at;
}

inline void Close(std::vector<uint8_t>& out, size_t at) {
  platform::Store32(&out[at], static_cast<uint32_t>(out.size() - at - 4));
  if (out.size() & 1) out.push_back(0);
}

inline uint32_t RowBytes(const Clip& clip) { return (clip.width * 3 + 3) & ~3u; }

inline std::vector<uint8_t> FrameBytes(const Clip& clip, const std::vector<uint32_t>& pixels) {
  const uint32_t stride = RowBytes(clip);
  std::vector<uint8_t> bytes(static_cast<size_t>(stride) * clip.height, 0);
  for (uint32_t y = 0; y < clip.height; ++y) {
    uint8_t* row = &bytes[static_cast<size_t>(clip.height - 1 - y) * stride];
    for (uint32_t x = 0; x < clip.width; ++x) {
      uint32_t p = pixels[static_cast<size_t>(y) * clip.width + x];
      row[x * 3] = static_cast<uint8_t>(p);
      row[x * 3 + 1] = static_cast<uint8_t>(p >> 8);
      row[x * 3 + 2] = static_cast<uint8_t>(p >> 16);
    }
  }
  return bytes;
}

inline void StreamFormat(std::vector<uint8_t>& out, const Clip& clip) {
  using platform::Append16;
  using platform::Append32;
  size_t strf = Open(out, "strf");
  if (clip.video) {
    Append32(out, 40);
    Append32(out, clip.width);
    Append32(out, clip.height);
    Append16(out, 1);
    Append16(out, 24);
    Append32(out, clip.compression);
    Append32(out, RowBytes(clip) * clip.height);
    for (int i = 0; i < 4; ++i) Append32(out, 0);
  } else {
    Append16(out, 1);  // PCM
    Append16(out, 1);
    Append32(out, 8000);
    Append32(out, 8000);
    Append16(out, 1);
    Append16(out, 8);
    Append16(out, 0);
  }
  Close(out, strf);
}

}  // namespace detail

inline std::vector<uint8_t> Write(const Clip& clip) {
  using namespace detail;
  using platform::Append16;
  using platform::Append32;
  std::vector<std::vector<uint8_t>> chunks;
  for (size_t i = 0; i < clip.frames.size(); ++i) {
    std::vector<uint8_t> bytes = clip.video ? FrameBytes(clip, clip.frames[i]) : std::vector<uint8_t>(800, 0x80);
    if (static_cast<int>(i) == clip.damagedFrame) bytes.resize(6);
    chunks.push_back(std::move(bytes));
  }
  const uint32_t count = static_cast<uint32_t>(chunks.size());
  const uint32_t frameBytes = clip.video ? RowBytes(clip) * clip.height : 800;

  std::vector<uint8_t> out;
  size_t riff = Open(out, "RIFF", "AVI ");
  size_t hdrl = Open(out, "LIST", "hdrl");
  size_t avih = Open(out, "avih");
  Append32(out, clip.rate ? static_cast<uint32_t>(1000000ull * clip.scale / clip.rate) : 0);
  Append32(out, 0);
  Append32(out, 0);
  Append32(out, 0x10);  // has an index
  Append32(out, count);
  Append32(out, 0);
  Append32(out, 1);
  Append32(out, frameBytes);
  Append32(out, clip.width);
  Append32(out, clip.height);
  for (int i = 0; i < 4; ++i) Append32(out, 0);
  Close(out, avih);
  size_t strl = Open(out, "LIST", "strl");
  size_t strh = Open(out, "strh");
  Tag(out, clip.video ? "vids" : "auds");
  Append32(out, clip.video ? clip.compression : 0);
  Append32(out, 0);
  Append32(out, 0);
  Append32(out, 0);
  Append32(out, clip.video ? clip.scale : 1);
  Append32(out, clip.video ? clip.rate : 8000);
  Append32(out, 0);
  Append32(out, clip.video ? count : count * 800);
  Append32(out, frameBytes);
  Append32(out, 0xFFFFFFFFu);
  Append32(out, clip.video ? 0 : 1);
  Append16(out, 0);
  Append16(out, 0);
  Append16(out, static_cast<uint16_t>(clip.width));
  Append16(out, static_cast<uint16_t>(clip.height));
  Close(out, strh);
  StreamFormat(out, clip);
  Close(out, strl);
  Close(out, hdrl);

  size_t movi = Open(out, "LIST", "movi");
  const size_t moviType = movi + 4;  // index offsets count from the list type
  std::vector<uint32_t> offsets;
  for (const std::vector<uint8_t>& bytes : chunks) {
    offsets.push_back(static_cast<uint32_t>(out.size() - moviType));
    size_t chunk = Open(out, clip.video ? "00db" : "00wb");
    out.insert(out.end(), bytes.begin(), bytes.end());
    Close(out, chunk);
  }
  Close(out, movi);
  size_t idx1 = Open(out, "idx1");
  for (uint32_t i = 0; i < count; ++i) {
    Tag(out, clip.video ? "00db" : "00wb");
    Append32(out, 0x10);  // key frame
    Append32(out, offsets[i]);
    Append32(out, static_cast<uint32_t>(chunks[i].size()));
  }
  Close(out, idx1);
  Close(out, riff);
  return out;
}

inline bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

inline bool WriteFile(const std::string& path, const Clip& clip) { return WriteFile(path, Write(clip)); }

}  // namespace avi_writer
