#include "swf_input.h"

#include <cstring>
#include <memory>
#include <vector>

#include "../../tests/swf/memory_file.h"
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
}  // namespace

SwfInput::SwfInput(const uint8_t* data, size_t size) {
  g_data = data;
  g_size = size;
  swf::register_file_opener_callback(OpenInput);
}

SwfInput::~SwfInput() {
  swf::clear_movie_library();
  g_files.clear();
}

}  // namespace fuzz
