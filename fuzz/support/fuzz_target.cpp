#include "fuzz_target.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/win32_testing.h"

namespace fuzz {

namespace {

std::filesystem::path& ScratchFolder() {
  static std::filesystem::path folder;
  return folder;
}

void RemoveScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(ScratchFolder(), ignored);
}

// The folder named by VANTOR_FUZZ_WORK (./fuzz.sh gives one per target), else
// a fresh temporary one removed at exit.
bool EnterScratchFolder() {
  const char* named = std::getenv("VANTOR_FUZZ_WORK");
  std::error_code error;
  if (named && *named) {
    ScratchFolder() = std::filesystem::absolute(named);
    std::filesystem::create_directories(ScratchFolder(), error);
  } else {
    std::string pattern = (std::filesystem::temp_directory_path() / "vantor-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return false;
    ScratchFolder() = pattern;
    std::atexit(RemoveScratchFolder);
  }
  std::filesystem::current_path(ScratchFolder(), error);
  return !error;
}

void WriteFile(const std::filesystem::path& path, const void* data, size_t size) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace

void Seeds::Add(const std::string& name, const Bytes& bytes) {
  WriteFile(std::filesystem::path(folder_) / name, bytes.data(), bytes.size());
}

void Seeds::AddText(const std::string& name, const std::string& text) {
  WriteFile(std::filesystem::path(folder_) / name, text.data(), text.size());
}

void Seeds::AddSourceFile(const std::string& path) {
  Add(std::filesystem::path(path).filename().string(), ReadBytes(std::string(VANTOR_SOURCE_DIR) + "/" + path));
}

std::string WriteInput(const std::string& name, const uint8_t* data, size_t size) {
  WriteFile(name, data, size);
  return name;
}

Bytes ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace fuzz

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  std::error_code ignored;
  const char* seeds = std::getenv("VANTOR_FUZZ_SEEDS");
  const std::string seedFolder = seeds ? std::filesystem::absolute(seeds, ignored).string() : std::string();
  if (!fuzz::EnterScratchFolder()) {
    std::fprintf(stderr, "No scratch folder for the fuzz target\n");
    std::exit(1);
  }
  // Nothing the target does may reach the user's own folders or a display.
  const std::string scratch = fuzz::ScratchFolder().string();
  setenv("XDG_DATA_HOME", scratch.c_str(), 1);
  setenv("XDG_RUNTIME_DIR", scratch.c_str(), 1);
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  if (!std::getenv("VANTOR_FUZZ_VERBOSE")) platform::testing::SetDebugOutputSink([](const char*) {});
  if (!seedFolder.empty()) {
    std::filesystem::create_directories(seedFolder, ignored);
    fuzz::Seeds folder(seedFolder);
    WriteSeeds(folder);
    std::exit(0);
  }
  return 0;
}
