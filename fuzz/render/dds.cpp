// DDS files: the header and every face and level the reader hands out (each
// byte of them read, so that any level reaching past the file is caught),
// then the plain formats decoded to pixels as the image loader does.
#include "fuzz_target.h"
#include "platform/codecs/dds_reader.h"
#include "platform/codecs/image_decoder.h"
#include "render/image_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  platform::DdsImage dds;
  if (!platform::ReadDds(data, size, dds)) return 0;
  volatile uint8_t sum = 0;
  for (const platform::DdsImage::Level& level : dds.data)
    for (uint32_t i = 0; i < level.size; ++i) sum = static_cast<uint8_t>(sum + level.bytes[i]);
  platform::DecodedImage image;
  platform::DecodeImage(data, size, image);
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) {
  const std::string folder = image_files::Folder("fuzz_dds");
  const std::vector<uint32_t> pixels = image_files::TwoBands(8, 8, 0x80FF0000u, 0xFF0000FFu);
  image_files::WriteDds(folder + "plain.dds", 8, 8, pixels, false);
  image_files::WriteDds(folder + "cube.dds", 8, 8, pixels, true);
  image_files::WriteDxt1(folder + "dxt1.dds", 8, 8, 0xF800, 0x001F);
  for (const char* name : {"plain.dds", "cube.dds", "dxt1.dds"}) seeds.Add(name, fuzz::ReadBytes(folder + name));
}
