// Shared helpers of the file-system tests: log capture, a scratch folder and
// crafted archives whose every field a test may spoil.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "log_capture.h"
#include "temp_folder.h"

namespace vfs_test {

using Bytes = std::vector<unsigned char>;

using ::LogCapture;

// A fresh folder, removed with everything in it at the end.
class ScratchDir {
 public:
  ScratchDir() : path_(folder_.Path().string()) {}
  const std::string& Path() const { return path_; }
  // Writes `bytes` to the relative `name`, creating folders; returns the path.
  std::string Write(const std::string& name, const Bytes& bytes) const;

 private:
  TempFolder folder_;
  std::string path_;
};

Bytes Text(const std::string& text);
Bytes Noise(size_t size, uint32_t seed);
Bytes ReadWhole(const std::string& path);
Bytes Deflate(const Bytes& bytes);

struct CraftedEntry {
  std::string name;  // copied into the 256-byte field, cut at 256 bytes
  Bytes stored;      // the bytes placed in the file
  uint32_t size;     // the size field
  bool packed;
  // Field values to write instead of the true ones.
  std::optional<uint32_t> offsetField = std::nullopt;
  std::optional<uint32_t> storedSizeField = std::nullopt;
};
CraftedEntry Plain(const std::string& name, const Bytes& bytes);
CraftedEntry Packed(const std::string& name, const Bytes& bytes);

// Header, the entries' data back to back, then the packed directory.
struct CraftedArchive {
  static constexpr size_t kCountField = 8;
  static constexpr size_t kDirOffsetField = 12;
  static constexpr size_t kDirStoredField = 16;
  static constexpr size_t kDirSizeField = 20;

  std::vector<CraftedEntry> entries;
  Bytes Build() const;
  // The offset of entry i's data in Build()'s bytes.
  uint32_t DataOffset(size_t i) const;
};

void PutU32(Bytes& bytes, size_t offset, uint32_t value);
uint32_t GetU32(const Bytes& bytes, size_t offset);

}  // namespace vfs_test
