#include "swf/sound/adpcm_decoder.h"

#include <algorithm>

namespace swf {
namespace {

constexpr int kStepTable[89] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,    28,
    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,   118,
    130,   143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,   494,
    544,   598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,
    2272,  2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,
    9493,  10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

// Index moves by code magnitude, for code sizes 2 to 5.
constexpr int kIndexTable2[] = {-1, 2};
constexpr int kIndexTable3[] = {-1, -1, 2, 4};
constexpr int kIndexTable4[] = {-1, -1, -1, -1, 2, 4, 6, 8};
constexpr int kIndexTable5[] = {-1, -1, -1, -1, -1, -1, -1, -1, 1, 2, 4, 6, 8, 10, 13, 16};
constexpr const int* kIndexTables[] = {kIndexTable2, kIndexTable3, kIndexTable4, kIndexTable5};

class bit_reader {
 public:
  bit_reader(const uint8_t* data, size_t size) : data_(data), bits_left_(size * 8) {}

  bool has(size_t n) const { return bits_left_ >= n; }
  // Most significant bit first; the caller checks has() before.
  uint32_t read(int n) {
    uint32_t value = 0;
    for (int i = 0; i < n; ++i, ++position_, --bits_left_)
      value = (value << 1) | ((data_[position_ >> 3] >> (7 - (position_ & 7))) & 1);
    return value;
  }

 private:
  const uint8_t* data_;
  size_t position_ = 0;
  size_t bits_left_;
};

struct channel_state {
  int sample = 0;
  int index = 0;

  void apply(uint32_t code, int bits) {
    const uint32_t sign = 1u << (bits - 1);
    const int magnitude = static_cast<int>(code & (sign - 1));
    int difference = (kStepTable[index] * (2 * magnitude + 1)) >> (bits - 1);
    if (code & sign) difference = -difference;
    sample = std::clamp(sample + difference, -32768, 32767);
    index = std::clamp(index + kIndexTables[bits - 2][magnitude], 0, 88);
  }
};

}  // namespace

std::vector<int16_t> decode_adpcm(const uint8_t* data, size_t size, uint32_t sample_count, bool stereo) {
  std::vector<int16_t> out;
  if (!data || size == 0) return out;
  const int channels = stereo ? 2 : 1;
  bit_reader in(data, size);
  const int bits = static_cast<int>(in.read(2)) + 2;
  // Never reserve more than the data can hold, whatever the count claims.
  const size_t most = std::min<size_t>(sample_count, size * 8 / bits + 1) * channels;
  out.reserve(most);
  channel_state state[2];
  uint32_t done = 0;
  while (done < sample_count) {
    if (!in.has(static_cast<size_t>(22 * channels))) break;
    for (int c = 0; c < channels; ++c) {
      state[c].sample = static_cast<int16_t>(in.read(16));
      state[c].index = static_cast<int>(in.read(6));
      out.push_back(static_cast<int16_t>(state[c].sample));
    }
    ++done;
    const uint32_t block_end = done - 1 + std::min<uint32_t>(kAdpcmBlockSamples, sample_count - (done - 1));
    for (; done < block_end; ++done) {
      if (!in.has(static_cast<size_t>(bits * channels))) return out;
      for (int c = 0; c < channels; ++c) {
        state[c].apply(in.read(bits), bits);
        out.push_back(static_cast<int16_t>(state[c].sample));
      }
    }
  }
  return out;
}

}  // namespace swf
