// Small image files written by the tests themselves: 16 x 16, top half one
// colour, bottom half another, in each type the renderer reads.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace image_files {

// A fresh folder under the build tree for one test's files.
std::string Folder(const std::string& name);

// Pixels are 0xAARRGGBB, rows from the top.
bool WritePng(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint32_t>& pixels);
bool WriteJpg(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint32_t>& pixels);
bool WriteBmp(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint32_t>& pixels);
bool WriteTga(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint32_t>& pixels);
// A8R8G8B8 DDS; `cube` repeats the pixels on all six faces.
bool WriteDds(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint32_t>& pixels,
              bool cube);
// DXT1 DDS of whole 4 x 4 blocks, each one RGB565 colour: top half, bottom half.
bool WriteDxt1(const std::string& path, uint32_t width, uint32_t height, uint16_t top, uint16_t bottom);
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

std::vector<uint32_t> TwoBands(uint32_t width, uint32_t height, uint32_t top, uint32_t bottom);

}  // namespace image_files
