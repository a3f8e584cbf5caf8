// Image files the image loader reads through SDL2_image (PNG, JPEG, BMP, TGA),
// decoded to pixels and box-filtered to another size as a texture load does.
#include "fuzz_target.h"
#include "platform/codecs/bmp_writer.h"
#include "platform/codecs/image_decoder.h"
#include "render/image_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::DecodedImage image;
  if (!platform::DecodeImage(data, size, image)) return 0;
  platform::Resample(image.pixels, image.width, image.height, 16, 16);
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) {
  const std::string folder = image_files::Folder("fuzz_image");
  const std::vector<uint32_t> pixels = image_files::TwoBands(8, 8, 0x80FF0000u, 0xFF0000FFu);
  image_files::WritePng(folder + "bands.png", 8, 8, pixels);
  image_files::WriteJpg(folder + "bands.jpg", 8, 8, pixels);
  image_files::WriteBmp(folder + "bands.bmp", 8, 8, pixels);
  image_files::WriteTga(folder + "bands.tga", 8, 8, pixels);
  // The screenshot writer's own bitmaps.
  platform::WriteBmp(folder + "screenshot.bmp", 8, 8, pixels.data());
  for (const char* name : {"bands.png", "bands.jpg", "bands.bmp", "bands.tga", "screenshot.bmp"})
    seeds.Add(name, fuzz::ReadBytes(folder + name));
}
