// Shared by the script-host tests: log capture, scratch folders and the stock
// Lua interpreter as an independent reader of written files.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "log_capture.h"
#include "read_file.h"
#include "temp_folder.h"

namespace testsupport {

using ::LogCapture;

// A fresh folder for one test, removed afterwards, with file helpers.
class ScratchDir {
 public:
  // With `enter`, the folder is also the current folder meanwhile.
  explicit ScratchDir(bool enter = false) : folder_(enter) {}

  std::string Path(const std::string& name) const { return (folder_.Path() / name).string(); }
  // Writes the file (and its folders); returns its path.
  std::string Write(const std::string& name, const std::string& text) const {
    std::string full = Path(name);
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    std::ofstream(full, std::ios::binary) << text;
    return full;
  }

 private:
  TempFolder folder_;
};

// Runs `script` in the stock lua5.2 interpreter after loading `file` (the
// probe is written beside it); returns what it printed, prefixed by
// "<failed>" when the interpreter reported an error.
inline std::string RunStockLua(const std::string& file, const std::string& script) {
  std::string program = file + ".probe.lua";
  std::ofstream(program, std::ios::binary) << "dofile([==[" << file << "]==])\n" << script;
  std::string command = "lua5.2 '" + program + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return "<failed>";
  std::string out;
  char buffer[256];
  while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
  return pclose(pipe) == 0 ? out : "<failed>" + out;
}

}  // namespace testsupport
