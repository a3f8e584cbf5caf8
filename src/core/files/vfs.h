// The virtual file system: whole-file reads from mounted archives, in the
// order they were mounted, else from loose files.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vfs {

class Archive;

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
  VFS();
  ~VFS();
  VFS(const VFS&) = delete;
  VFS& operator=(const VFS&) = delete;

  // Mounts the archive at `path` behind those already mounted; an archive
  // that does not load is left out (it logs why).
  void AddArchive(const std::string& path);
  // True when the file was found and read whole into `file`, whose name is
  // then `path` as given; otherwise logs and leaves `file` as it was. An
  // archive that holds the name decides: its entry or nothing.
  bool LoadFile(const std::string& path, FileData& file);
  // Reads a loose file; false, record untouched, when it cannot be read whole.
  bool LoadLocal(const std::string& path, FileData& file);
  // The path under which a file can be opened directly: the loose file that
  // matches `name` regardless of case and separator, else `name` unchanged.
  std::string GetFilePath(const std::string& name) const;

 private:
  std::vector<std::unique_ptr<Archive>> archives_;
};

VFS& GetVFS();

// The lower-cased, at most three characters after the last "." in the path.
std::string GetFileExtension(const std::string& path);

}  // namespace vfs
