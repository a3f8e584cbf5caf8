// What every fuzz target shares. A target is one file below fuzz/, in the
// folder of the layer whose reader it feeds, that defines
//   extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
//     feeds one input to a reader, as the game would meet it;
//   void WriteSeeds(fuzz::Seeds& seeds);
//     the starting inputs, made by our own writers and test fixtures
//     (optional: a target without it starts from nothing).
// The shared start-up runs each target headless with a scratch folder of its
// own for the files it writes, with the log silenced (VANTOR_FUZZ_VERBOSE=1
// shows it), and writes the seeds instead of fuzzing when VANTOR_FUZZ_SEEDS
// names a folder.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

using Bytes = std::vector<uint8_t>;

class Seeds {
 public:
  explicit Seeds(std::string folder) : folder_(std::move(folder)) {}
  void Add(const std::string& name, const Bytes& bytes);
  void AddText(const std::string& name, const std::string& text);
  // A file of the source tree (game content), by its path from the root.
  void AddSourceFile(const std::string& path);

 private:
  std::string folder_;
};

// The full path of a file of that name in the scratch folder.
std::string ScratchPath(const std::string& name);
// Writes the input into the scratch folder under the name; its full path.
std::string WriteInput(const std::string& name, const uint8_t* data, size_t size);
// The bytes of a file a fixture wrote; empty when it cannot be read.
Bytes ReadBytes(const std::string& path);

}  // namespace fuzz

// Weak: a target without seeds starts from nothing.
void WriteSeeds(fuzz::Seeds& seeds) __attribute__((weak));
