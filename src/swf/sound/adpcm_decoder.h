// The SWF ADPCM codec: blocks of up to 4096 samples per channel, each opening
// with a raw sample and a step index per channel, then one 2..5-bit code per
// sample and channel.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace swf {

constexpr int kAdpcmBlockSamples = 4096;

// Decodes at most `sample_count` samples per channel from `size` bytes into
// interleaved 16-bit samples (left, right for stereo); the output stops where
// the data runs out, so it never holds more than the data describes.
std::vector<int16_t> decode_adpcm(const uint8_t* data, size_t size, uint32_t sample_count, bool stereo);

}  // namespace swf
