#include "swf_input.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>

#include "../../tests/swf/memory_file.h"
#include "platform/codecs/little_endian.h"
#include "swf/action/action_buffer.h"
#include "swf/movie/movie_library.h"

namespace fuzz {

namespace {
const uint8_t* g_data = nullptr;
size_t g_size = 0;
std::vector<std::unique_ptr<swf_test::MemoryFile>> g_files;

swf::file_object* OpenInput(const char* path) {
  if (std::strcmp(path, SwfInput::kPath) != 0) return nullptr;
  g_files.push_back(std::make_unique<swf_test::MemoryFile>(g_data, g_size));
  return g_files.back()->release();
}

constexpr int kTagDefineSprite = 39;
constexpr size_t kSpriteHeader = 4;  // id and frame count
constexpr size_t kFileHeader = 8;    // signature, version, file length
constexpr uint32_t kLongLength = 0x3f;

// Reads the tags of bytes [begin, end) into `tags`, going into sprites.
void ReadTags(const Bytes& bytes, size_t begin, size_t end, std::vector<SwfTag>& tags) {
  size_t at = begin;
  while (end - at >= 2) {
    const uint32_t code = platform::Load16(bytes.data() + at);
    at += 2;
    size_t length = code & kLongLength;
    if (length == kLongLength) {
      if (end - at < 4) return;
      length = platform::Load32(bytes.data() + at);
      at += 4;
    }
    if (length > end - at) return;
    SwfTag tag;
    tag.type = static_cast<int>(code >> 6);
    tag.body.assign(bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at + length));
    tags.push_back(tag);
    if (tag.type == kTagDefineSprite && length >= kSpriteHeader) ReadTags(bytes, at + kSpriteHeader, at + length, tags);
    at += length;
  }
}

}  // namespace

void LimitScripts() {
  swf::script_limits::max_call_depth = 64;
  swf::script_limits::max_actions_per_run = 100000;
}

SwfInput::SwfInput(const uint8_t* data, size_t size) {
  g_data = data;
  g_size = size;
  swf::register_file_opener_callback(OpenInput);
}

SwfInput::~SwfInput() {
  swf::clear_movie_library();
  g_files.clear();
}

std::vector<std::string> SwfFixtures(const std::string& suffix) {
  std::vector<std::string> paths;
  std::error_code error;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(VANTOR_SWF_FIXTURES, error)) {
    const std::string path = entry.path().string();
    if (path.size() >= suffix.size() && path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0)
      paths.push_back(path);
  }
  std::sort(paths.begin(), paths.end());
  return paths;
}

void AddSwfFixtures(Seeds& seeds, const std::string& suffix) {
  for (const std::string& path : SwfFixtures(suffix)) {
    std::string name = std::filesystem::relative(path, VANTOR_SWF_FIXTURES).string();
    std::replace(name.begin(), name.end(), '/', '_');
    seeds.Add(name, ReadBytes(path));
  }
}

std::vector<SwfTag> SwfTags(const Bytes& movie) {
  std::vector<SwfTag> tags;
  if (movie.size() <= kFileHeader || movie[0] != 'F' || movie[1] != 'W' || movie[2] != 'S') return tags;
  // The frame rectangle: five bits give the width of its four fields.
  const size_t rectangleBits = 5 + 4 * (movie[kFileHeader] >> 3);
  const size_t firstTag = kFileHeader + (rectangleBits + 7) / 8 + 4;  // then frame rate and count
  if (firstTag < movie.size()) ReadTags(movie, firstTag, movie.size(), tags);
  return tags;
}

std::vector<SwfTag> SwfFixtureTags() {
  std::vector<SwfTag> tags;
  for (const std::string& path : SwfFixtures(".swf")) {
    const std::vector<SwfTag> movieTags = SwfTags(ReadBytes(path));
    tags.insert(tags.end(), movieTags.begin(), movieTags.end());
  }
  return tags;
}

Bytes SwfTagBytes(const SwfTag& tag) {
  Bytes bytes(6);
  platform::Store16(bytes.data(), static_cast<uint16_t>(tag.type << 6 | kLongLength));
  platform::Store32(bytes.data() + 2, static_cast<uint32_t>(tag.body.size()));
  bytes.insert(bytes.end(), tag.body.begin(), tag.body.end());
  return bytes;
}

}  // namespace fuzz
