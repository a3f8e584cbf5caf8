// The virtual file system: whole-file reads from mounted archives, else from
// loose files.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vfs {

// One file read whole. The buffer holds exactly `size` bytes; no terminator
// may be relied on.
struct FileData {
  FileData() = default;
  ~FileData();
  FileData(const FileData&) = delete;
  FileData& operator=(const FileData&) = delete;

  // Releases the buffer and the name.
  void Release();

  std::string name;
  uint32_t size = 0;
  unsigned char* data = nullptr;
};

class VFS {
 public:
  // True when the file was found and read whole into `file`; otherwise logs
  // and leaves `file` as it was.
  bool LoadFile(const std::string& path, FileData& file);
  // Reads a loose file; false, record untouched, when it cannot be read.
  bool LoadLocal(const std::string& path, FileData& file);
  // The path under which a file can be opened directly.
  std::string GetFilePath(const std::string& name) const { return name; }
};

VFS& GetVFS();

// The lower-cased, at most three characters after the last "." in the path.
std::string GetFileExtension(const std::string& path);

}  // namespace vfs
