#include "archive_input.h"

#include "core/files/archive.h"
#include "core/files/archive_writer.h"
#include "core/files/vfs.h"
#include "core/text/crc32.h"

namespace fuzz {

Bytes SampleArchive() {
  const std::string path = ScratchPath("sample.arc");
  const std::string repeated(3000, 'a');
  const unsigned char noise[] = {0x8f, 0x12, 0xe4, 0x07, 0x5b, 0xc1, 0x33, 0x9a};
  vfs::ArchiveWriter writer;
  writer.Open(path);
  writer.Add("scripts/packed.lua", reinterpret_cast<const unsigned char*>(repeated.data()),
             static_cast<uint32_t>(repeated.size()));
  writer.Add("ui_img/plain.bin", noise, sizeof noise);
  writer.Add("empty.txt", nullptr, 0);
  writer.Finish();
  Bytes bytes = ReadBytes(path);
  std::remove(path.c_str());
  return bytes;
}

void ReadWholeArchive(const std::string& path) {
  vfs::Archive archive;
  if (!archive.LoadArchive(path)) return;
  for (const vfs::ArchiveEntry* entry : archive.Entries()) {
    vfs::FileData file;
    archive.GetFile(num::NameKey(entry->name), file);
  }
}

}  // namespace fuzz
