// Writes a resource archive the reader accepts: entries are streamed to the
// file as they are added, then the packed directory and the header.
#pragma once
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace vfs {

class ArchiveWriter {
 public:
  ArchiveWriter() = default;
  ~ArchiveWriter();
  ArchiveWriter(const ArchiveWriter&) = delete;
  ArchiveWriter& operator=(const ArchiveWriter&) = delete;

  // Creates the file; false, with a logged line, when it cannot.
  bool Open(const std::string& path);
  // Appends one entry, zlib-packed when that makes it smaller. False, with a
  // logged line and nothing written, for a name the reader could not serve
  // (empty, over 255 bytes, or a case variant of an earlier name), or when
  // the archive would outgrow 32-bit offsets or the write fails.
  bool Add(const std::string& name, const unsigned char* bytes, uint32_t size);
  // Writes the directory and the header and closes the file.
  bool Finish();

 private:
  bool Fail(const std::string& reason);
  bool WriteAt(uint64_t offset, const void* bytes, size_t size);

  std::string path_;
  FILE* file_ = nullptr;
  uint64_t end_ = 0;
  std::vector<unsigned char> directory_;
  std::set<uint32_t> keys_;
};

}  // namespace vfs
