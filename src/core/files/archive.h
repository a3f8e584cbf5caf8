// A mounted resource archive: header and directory read once, the file kept
// open, whole entries handed out by name key.
//
// File layout (integers unsigned 32-bit little-endian, offsets from byte 0):
//   header, 36 bytes: magic "CRAS", version 1, entry count N, directory
//     offset, directory stored size, directory unpacked size (N x 276),
//     12 reserved bytes;
//   directory: a zlib stream inflating to N entries of 276 bytes: name (256,
//     NUL-terminated), data offset, stored size, reserved, size, flags (bit 0:
//     data is a zlib stream), 3 reserved bytes;
//   entry data anywhere in the file.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/text/named_registry.h"

namespace vfs {

struct FileData;

namespace arc {
constexpr uint32_t kMagic = 0x53415243;  // "CRAS" read little-endian
constexpr uint32_t kVersion = 1;
constexpr size_t kHeaderSize = 36;
constexpr size_t kEntrySize = 276;
constexpr size_t kNameSize = 256;
constexpr size_t kOffsetField = 256;
constexpr size_t kStoredSizeField = 260;
constexpr size_t kSizeField = 268;
constexpr size_t kFlagsField = 272;
constexpr uint8_t kPacked = 1;
// Entries up to this size stay in memory after their first read.
constexpr uint32_t kCacheLimit = 16384;
// Deflate emits at most 258 bytes per two bits, so a zlib stream of n bytes
// never inflates to more than n x 1032: a larger claim cannot be met.
constexpr uint64_t kMaxInflateRatio = 1032;
}  // namespace arc

// One directory entry; owns the unpacked data once cached.
struct ArchiveEntry {
  ArchiveEntry() = default;
  ~ArchiveEntry();
  ArchiveEntry(const ArchiveEntry&) = delete;
  ArchiveEntry& operator=(const ArchiveEntry&) = delete;

  bool IsPacked() const { return (flags & arc::kPacked) != 0; }

  std::string name;
  uint32_t dataOffset = 0;
  uint32_t storedSize = 0;
  uint32_t size = 0;
  uint8_t flags = 0;
  unsigned char* cache = nullptr;
};

class Archive {
 public:
  Archive() = default;
  ~Archive();
  Archive(const Archive&) = delete;
  Archive& operator=(const Archive&) = delete;

  // Opens the file and reads its directory; false, with a logged line, when
  // the file is missing or malformed.
  bool LoadArchive(const std::string& path);
  // True when the directory has an entry under the name key.
  bool Contains(uint32_t key) const;
  // Fills `file` (all but its name) with the entry's unpacked bytes. False,
  // `file` untouched, when there is no such entry or its data cannot be read
  // (then with a logged line).
  bool GetFile(uint32_t key, FileData& file);
  // Every reachable entry, in ascending key order.
  std::vector<const ArchiveEntry*> Entries() const;

 private:
  bool Refuse(const std::string& reason);
  bool ReadDirectory(const unsigned char* header);
  struct FreeBuffer {
    void operator()(unsigned char* p) const;
  };
  using Buffer = std::unique_ptr<unsigned char, FreeBuffer>;

  static Buffer Allocate(uint64_t size);
  // The entry's unpacked bytes, read from the file; null, with a logged
  // line, when they cannot be read.
  Buffer ReadEntry(ArchiveEntry& entry);
  // Logs why an entry cannot be read; null.
  Buffer FailEntry(const ArchiveEntry& entry, const std::string& reason);
  bool ReadAt(uint64_t offset, void* buffer, uint32_t length);

  std::string path_;
  FILE* file_ = nullptr;
  uint64_t fileSize_ = 0;
  NamedRegistry<ArchiveEntry> directory_;
};

}  // namespace vfs
