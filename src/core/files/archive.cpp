#include "core/files/archive.h"

#include <sys/stat.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "core/log.h"
#include "core/memory/mem_tracker.h"
#include "core/files/vfs.h"
#include "platform/codecs/little_endian.h"

namespace vfs {

void Archive::FreeBuffer::operator()(unsigned char* p) const { TRACKED_FREE(p); }

// malloc(0) may answer null; a zero-length buffer still gets one byte.
Archive::Buffer Archive::Allocate(uint64_t size) {
  return Buffer(static_cast<unsigned char*>(TRACKED_MALLOC(size ? size : 1)));
}

ArchiveEntry::~ArchiveEntry() { TRACKED_FREE(cache); }

Archive::~Archive() {
  if (file_) std::fclose(file_);
}

bool Archive::Refuse(const std::string& reason) {
  LOG_LINE(MSG_ERROR, "Unable to load archive " + path_ + reason);
  return false;
}

bool Archive::LoadArchive(const std::string& path) {
  path_ = path;
  file_ = std::fopen(path.c_str(), "rb");
  if (!file_) return Refuse("");
  struct stat info;
  if (::fstat(::fileno(file_), &info) != 0 || !S_ISREG(info.st_mode)) return Refuse(" : not a file");
  fileSize_ = static_cast<uint64_t>(info.st_size);

  unsigned char header[arc::kHeaderSize];
  if (!ReadAt(0, header, sizeof header)) return Refuse(" : short header");
  if (platform::Load32(header + 4) != arc::kVersion) return Refuse(" : illegal version number");
  if (platform::Load32(header) != arc::kMagic) return Refuse(" : illegal magic number");
  return ReadDirectory(header);
}

bool Archive::ReadDirectory(const unsigned char* header) {
  const uint64_t count = platform::Load32(header + 8);
  const uint64_t offset = platform::Load32(header + 12);
  const uint64_t stored = platform::Load32(header + 16);
  const uint64_t unpacked = count * arc::kEntrySize;
  if (platform::Load32(header + 20) != unpacked) return Refuse(" : directory size disagrees with entry count");
  if (offset + stored > fileSize_) return Refuse(" : directory runs past the end of the file");
  if (count == 0 && stored == 0) return true;
  if (unpacked > stored * arc::kMaxInflateRatio) return Refuse(" : directory does not inflate");

  Buffer packed = Allocate(stored);
  Buffer entries = Allocate(unpacked);
  if (!packed || !entries) return Refuse(" : out of memory");
  if (!ReadAt(offset, packed.get(), static_cast<uint32_t>(stored))) return Refuse(" : directory read failed");
  uLongf produced = static_cast<uLongf>(unpacked);
  if (::uncompress(entries.get(), &produced, packed.get(), static_cast<uLong>(stored)) != Z_OK ||
      produced != unpacked)
    return Refuse(" : directory does not inflate");

  for (uint64_t i = 0; i < count; ++i) {
    const unsigned char* raw = entries.get() + i * arc::kEntrySize;
    const void* end = std::memchr(raw, 0, arc::kNameSize);
    if (!end) {
      directory_.Clear();  // a refused archive serves nothing
      return Refuse(" : entry name without terminator");
    }
    const std::string name(reinterpret_cast<const char*>(raw), static_cast<const unsigned char*>(end) - raw);
    // The first entry of a name wins; a later case variant is unreachable.
    if (directory_.Find(name)) continue;
    auto entry = std::make_unique<ArchiveEntry>();
    entry->name = name;
    entry->dataOffset = platform::Load32(raw + arc::kOffsetField);
    entry->storedSize = platform::Load32(raw + arc::kStoredSizeField);
    entry->size = platform::Load32(raw + arc::kSizeField);
    entry->flags = raw[arc::kFlagsField];
    directory_.Add(name, entry.release());
  }
  return true;
}

bool Archive::Contains(uint32_t key) const { return directory_.Entries().count(key) != 0; }

bool Archive::GetFile(uint32_t key, FileData& file) {
  auto found = directory_.Entries().find(key);
  if (found == directory_.Entries().end()) return false;
  ArchiveEntry& entry = *found->second;
  Buffer bytes;
  if (!entry.cache) {
    bytes = ReadEntry(entry);
    if (!bytes) return false;
  }
  // A small entry keeps what was read as its cache and hands out a copy; a
  // large one hands out what was read, as it would a copy of a cache freed
  // at once.
  if (entry.size <= arc::kCacheLimit) {
    if (!entry.cache) entry.cache = bytes.release();
    bytes = Allocate(entry.size);
    if (!bytes) {
      FailEntry(entry, " : out of memory");
      return false;
    }
    std::memcpy(bytes.get(), entry.cache, entry.size);
  }
  file.Release();
  file.size = entry.size;
  file.data = bytes.release();
  return true;
}

Archive::Buffer Archive::ReadEntry(ArchiveEntry& entry) {
  if (!entry.IsPacked()) {
    if (uint64_t{entry.dataOffset} + entry.size > fileSize_)
      return FailEntry(entry, " : data runs past the end of the archive");
    Buffer data = Allocate(entry.size);
    if (!data) return FailEntry(entry, " : out of memory");
    if (!ReadAt(entry.dataOffset, data.get(), entry.size)) return FailEntry(entry, " : read failed");
    return data;
  }

  if (uint64_t{entry.dataOffset} + entry.storedSize > fileSize_)
    return FailEntry(entry, " : data runs past the end of the archive");
  // The stream cannot yield more than the ratio allows, so a larger size
  // field needs no larger buffer.
  const uint64_t capacity = std::min<uint64_t>(entry.size, entry.storedSize * arc::kMaxInflateRatio);
  Buffer packed = Allocate(entry.storedSize);
  Buffer data = Allocate(capacity);
  if (!packed || !data) return FailEntry(entry, " : out of memory");
  if (!ReadAt(entry.dataOffset, packed.get(), entry.storedSize)) return FailEntry(entry, " : read failed");
  uLongf produced = static_cast<uLongf>(capacity);
  if (::uncompress(data.get(), &produced, packed.get(), entry.storedSize) != Z_OK)
    return FailEntry(entry, " : data does not inflate");
  // A stream shorter than the size field is served at the length it has.
  entry.size = static_cast<uint32_t>(produced);
  return data;
}

Archive::Buffer Archive::FailEntry(const ArchiveEntry& entry, const std::string& reason) {
  LOG_LINE(MSG_ERROR, "Unable to read " + entry.name + " from archive " + path_ + reason);
  return nullptr;
}

bool Archive::ReadAt(uint64_t offset, void* buffer, uint32_t length) {
  if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return false;
  return std::fread(buffer, 1, length, file_) == length;
}

std::vector<const ArchiveEntry*> Archive::Entries() const {
  std::vector<const ArchiveEntry*> entries;
  entries.reserve(directory_.Entries().size());
  for (const auto& item : directory_.Entries()) entries.push_back(item.second);
  return entries;
}

}  // namespace vfs
