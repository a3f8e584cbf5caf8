#include "fuzz_target.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/window/win32_testing.h"

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
bool MakeScratchFolder() {
  const char* named = std::getenv("VANTOR_FUZZ_WORK");
  std::error_code error;
  if (named && *named) {
    ScratchFolder() = std::filesystem::absolute(named, error);
    std::filesystem::create_directories(ScratchFolder(), error);
    return !error;
  }
  std::string pattern = (std::filesystem::temp_directory_path() / "vantor-fuzz-XXXXXX").string();
  if (!mkdtemp(pattern.data())) return false;
  ScratchFolder() = pattern;
  std::atexit(RemoveScratchFolder);
  return true;
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

std::string ScratchPath(const std::string& name) { return (ScratchFolder() / name).string(); }

std::string WriteInput(const std::string& name, const uint8_t* data, size_t size) {
  const std::string path = ScratchPath(name);
  WriteFile(path, data, size);
  return path;
}

Bytes ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace fuzz

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  std::error_code ignored;
  const char* seedFolder = std::getenv("VANTOR_FUZZ_SEEDS");
  if (!fuzz::MakeScratchFolder()) {
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
  if (seedFolder && *seedFolder) {
    std::filesystem::create_directories(seedFolder, ignored);
    fuzz::Seeds folder(seedFolder);
    if (WriteSeeds) WriteSeeds(folder);
    std::exit(0);
  }
  return 0;
}
