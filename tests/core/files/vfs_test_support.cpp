#include "core/files/vfs_test_support.h"

#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "core/files/archive.h"
#include "platform/codecs/little_endian.h"
#include "read_file.h"

namespace vfs_test {
std::string ScratchDir::Write(const std::string& name, const Bytes& bytes) const {
  const std::filesystem::path path = std::filesystem::path(path_) / name;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return path.string();
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes Noise(size_t size, uint32_t seed) {
  Bytes bytes(size);
  for (unsigned char& b : bytes) {
    seed = seed * 1664525u + 1013904223u;
    b = static_cast<unsigned char>(seed >> 24);
  }
  return bytes;
}

Bytes ReadWhole(const std::string& path) { return Text(ReadFile(path)); }

Bytes Deflate(const Bytes& bytes) {
  Bytes packed(::compressBound(bytes.size()));
  uLongf length = packed.size();
  ::compress(packed.data(), &length, bytes.data(), bytes.size());
  packed.resize(length);
  return packed;
}

CraftedEntry Plain(const std::string& name, const Bytes& bytes) {
  return {name, bytes, static_cast<uint32_t>(bytes.size()), false};
}

CraftedEntry Packed(const std::string& name, const Bytes& bytes) {
  return {name, Deflate(bytes), static_cast<uint32_t>(bytes.size()), true};
}

void PutU32(Bytes& bytes, size_t offset, uint32_t value) { platform::Store32(bytes.data() + offset, value); }

uint32_t GetU32(const Bytes& bytes, size_t offset) { return platform::Load32(bytes.data() + offset); }

uint32_t CraftedArchive::DataOffset(size_t i) const {
  size_t offset = vfs::arc::kHeaderSize;
  for (size_t j = 0; j < i; ++j) offset += entries[j].stored.size();
  return static_cast<uint32_t>(offset);
}

Bytes CraftedArchive::Build() const {
  Bytes file(vfs::arc::kHeaderSize);
  Bytes directory;
  for (size_t i = 0; i < entries.size(); ++i) {
    const CraftedEntry& e = entries[i];
    Bytes raw(vfs::arc::kEntrySize);
    std::memcpy(raw.data(), e.name.data(), std::min(e.name.size(), vfs::arc::kNameSize));
    PutU32(raw, vfs::arc::kOffsetField, e.offsetField.value_or(DataOffset(i)));
    PutU32(raw, vfs::arc::kStoredSizeField, e.storedSizeField.value_or(static_cast<uint32_t>(e.stored.size())));
    PutU32(raw, vfs::arc::kSizeField, e.size);
    raw[vfs::arc::kFlagsField] = e.packed ? vfs::arc::kPacked : 0;
    directory.insert(directory.end(), raw.begin(), raw.end());
    file.insert(file.end(), e.stored.begin(), e.stored.end());
  }
  const Bytes packed = Deflate(directory);
  PutU32(file, 0, vfs::arc::kMagic);
  PutU32(file, 4, vfs::arc::kVersion);
  PutU32(file, kCountField, static_cast<uint32_t>(entries.size()));
  PutU32(file, kDirOffsetField, static_cast<uint32_t>(file.size()));
  PutU32(file, kDirStoredField, static_cast<uint32_t>(packed.size()));
  PutU32(file, kDirSizeField, static_cast<uint32_t>(directory.size()));
  file.insert(file.end(), packed.begin(), packed.end());
  return file;
}

}  // namespace vfs_test
