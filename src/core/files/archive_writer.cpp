#include "core/files/archive_writer.h"

#include <zlib.h>

#include <cstring>

#include "core/files/archive.h"
#include "core/text/crc32.h"
#include "core/log.h"
#include "platform/codecs/little_endian.h"

namespace vfs {

namespace {
constexpr uint64_t kOffsetLimit = 0xFFFFFFFFull;

// The zlib stream of `bytes`, empty when zlib fails.
std::vector<unsigned char> Pack(const unsigned char* bytes, uint64_t size) {
  std::vector<unsigned char> packed(::compressBound(static_cast<uLong>(size)));
  uLongf length = static_cast<uLongf>(packed.size());
  if (::compress2(packed.data(), &length, bytes, static_cast<uLong>(size), Z_BEST_COMPRESSION) != Z_OK)
    return {};
  packed.resize(length);
  return packed;
}
}  // namespace

ArchiveWriter::~ArchiveWriter() {
  if (file_) std::fclose(file_);
}

bool ArchiveWriter::Fail(const std::string& reason) {
  LOG_LINE(MSG_ERROR, "Unable to write archive " + path_ + " : " + reason);
  return false;
}

bool ArchiveWriter::Open(const std::string& path) {
  path_ = path;
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) return Fail("cannot create the file");
  end_ = arc::kHeaderSize;
  return true;
}

bool ArchiveWriter::WriteAt(uint64_t offset, const void* bytes, size_t size) {
  // An empty entry may come without a buffer at all: nothing to hand fwrite.
  return size == 0 || (std::fseek(file_, static_cast<long>(offset), SEEK_SET) == 0 &&
                       std::fwrite(bytes, 1, size, file_) == size);
}

bool ArchiveWriter::Add(const std::string& name, const unsigned char* bytes, uint32_t size) {
  if (!file_) return Fail("not open");
  if (name.empty() || name.size() >= arc::kNameSize || name.find('\0') != std::string::npos)
    return Fail("unusable entry name " + name);
  const uint32_t key = num::NameKey(name);
  if (keys_.count(key)) return Fail("name " + name + " clashes with an earlier one");

  std::vector<unsigned char> packed = Pack(bytes, size);
  const bool usePacked = !packed.empty() && packed.size() < size;
  const unsigned char* stored = usePacked ? packed.data() : bytes;
  const uint64_t storedSize = usePacked ? packed.size() : size;
  if (end_ + storedSize > kOffsetLimit) return Fail("too large at " + name);
  if (!WriteAt(end_, stored, storedSize)) return Fail("write failed at " + name);
  // Only a written entry takes its name: the header counts the names.
  keys_.insert(key);

  unsigned char entry[arc::kEntrySize] = {};
  std::memcpy(entry, name.data(), name.size());
  platform::Store32(entry + arc::kOffsetField, static_cast<uint32_t>(end_));
  platform::Store32(entry + arc::kStoredSizeField, static_cast<uint32_t>(storedSize));
  platform::Store32(entry + arc::kSizeField, size);
  entry[arc::kFlagsField] = usePacked ? arc::kPacked : 0;
  directory_.insert(directory_.end(), entry, entry + sizeof entry);
  end_ += storedSize;
  return true;
}

bool ArchiveWriter::Finish() {
  if (!file_) return Fail("not open");
  std::vector<unsigned char> packed = Pack(directory_.data(), directory_.size());
  if (packed.empty()) return Fail("directory does not pack");
  if (directory_.size() > kOffsetLimit || end_ + packed.size() > kOffsetLimit)
    return Fail("too large for its directory");

  unsigned char header[arc::kHeaderSize] = {};
  platform::Store32(header, arc::kMagic);
  platform::Store32(header + 4, arc::kVersion);
  platform::Store32(header + 8, static_cast<uint32_t>(keys_.size()));
  platform::Store32(header + 12, static_cast<uint32_t>(end_));
  platform::Store32(header + 16, static_cast<uint32_t>(packed.size()));
  platform::Store32(header + 20, static_cast<uint32_t>(directory_.size()));
  const bool written = WriteAt(end_, packed.data(), packed.size()) && WriteAt(0, header, sizeof header);
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!written || !closed) return Fail("write failed");
  return true;
}

}  // namespace vfs
