// The resource archive with its directory kept plain in the input, so that
// mutations reach the directory's entries rather than break its zlib stream.
// The target packs the directory (the bytes the header's directory offset and
// stored size point at), appends it and points the header there before the
// archive is mounted.
#include <zlib.h>

#include <algorithm>

#include "archive_input.h"
#include "core/files/archive.h"
#include "platform/codecs/little_endian.h"

namespace {

constexpr size_t kDirectoryOffsetField = 12;
constexpr size_t kStoredSizeField = 16;
constexpr size_t kUnpackedSizeField = 20;

fuzz::Bytes Pack(const uint8_t* bytes, size_t size) {
  uLongf packedSize = compressBound(static_cast<uLong>(size));
  fuzz::Bytes packed(packedSize);
  if (compress(packed.data(), &packedSize, bytes, static_cast<uLong>(size)) != Z_OK) return {};
  packed.resize(packedSize);
  return packed;
}

fuzz::Bytes Unpack(const fuzz::Bytes& archive) {
  const uint8_t* header = archive.data();
  uLongf size = platform::Load32(header + kUnpackedSizeField);
  fuzz::Bytes directory(size);
  uLong stored = platform::Load32(header + kStoredSizeField);
  if (uncompress(directory.data(), &size, header + platform::Load32(header + kDirectoryOffsetField), stored) != Z_OK)
    return {};
  return directory;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < vfs::arc::kHeaderSize) return 0;
  fuzz::Bytes file(data, data + size);
  const uint64_t offset = std::min<uint64_t>(platform::Load32(data + kDirectoryOffsetField), size);
  const uint64_t length = std::min<uint64_t>(platform::Load32(data + kStoredSizeField), size - offset);
  const fuzz::Bytes packed = Pack(data + offset, length);
  platform::Store32(file.data() + kDirectoryOffsetField, static_cast<uint32_t>(file.size()));
  platform::Store32(file.data() + kStoredSizeField, static_cast<uint32_t>(packed.size()));
  file.insert(file.end(), packed.begin(), packed.end());
  fuzz::ReadWholeArchive(fuzz::WriteInput("input.arc", file.data(), file.size()));
  return 0;
}

// The writer's archive with its directory unpacked in place of the packed one.
void WriteSeeds(fuzz::Seeds& seeds) {
  fuzz::Bytes archive = fuzz::SampleArchive();
  const fuzz::Bytes directory = Unpack(archive);
  archive.resize(platform::Load32(archive.data() + kDirectoryOffsetField));
  platform::Store32(archive.data() + kStoredSizeField, static_cast<uint32_t>(directory.size()));
  archive.insert(archive.end(), directory.begin(), directory.end());
  seeds.Add("sample_plain_directory.arc", archive);
}
