// Packs a folder into a resource archive, and lists or extracts an archive
// through the engine's own reader.
//   vantor-arc pack DIR OUT.arc
//   vantor-arc list ARC
//   vantor-arc extract ARC DIR
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "core/files/archive.h"
#include "core/files/archive_writer.h"
#include "core/text/crc32.h"
#include "core/files/vfs.h"

namespace fs = std::filesystem;

namespace {

int Usage() {
  std::fputs(
      "usage: vantor-arc pack DIR OUT.arc\n"
      "       vantor-arc list ARC\n"
      "       vantor-arc extract ARC DIR\n",
      stderr);
  return 2;
}

int Error(const std::string& message) {
  std::fprintf(stderr, "vantor-arc: %s\n", message.c_str());
  return 1;
}

bool StartsAndEndsWith(const std::string& name, const std::string& start, const std::string& end) {
  return name.size() >= start.size() + end.size() && name.compare(0, start.size(), start) == 0 &&
         name.compare(name.size() - end.size(), end.size(), end) == 0;
}

// The game runs in the content folder and writes there: screenshots (F2,
// F3), the profiler's records and the memory tracker's old report. None of
// it is content.
bool IsWrittenAtRunTime(const std::string& name) {
  return StartsAndEndsWith(name, "screenshot_", ".bmp") || StartsAndEndsWith(name, "mini_screenshot_", ".bmp") ||
         name == "memory.log" || name == "profile.bin" || name == "profile.csv";
}

// Every regular file below `root` except `skip` and what the game writes at
// run time, as "/"-separated relative names in byte order, so the same
// folder always packs the same way.
bool CollectFiles(const fs::path& root, const fs::path& skip, std::vector<std::string>& names) {
  std::error_code error;
  fs::recursive_directory_iterator it(root, error), end;
  for (; !error && it != end; it.increment(error)) {
    if (!it->is_regular_file(error)) continue;
    std::error_code unrelated;  // `skip` need not exist yet
    if (fs::equivalent(it->path(), skip, unrelated)) continue;
    std::string name = it->path().lexically_relative(root).generic_string();
    if (IsWrittenAtRunTime(name)) continue;
    names.push_back(std::move(name));
  }
  if (error) return false;
  std::sort(names.begin(), names.end());
  return true;
}

int Pack(const std::string& folder, const std::string& out) {
  std::vector<std::string> names;
  if (!fs::is_directory(folder) || !CollectFiles(folder, out, names))
    return Error("cannot read the folder " + folder);
  vfs::ArchiveWriter writer;
  if (!writer.Open(out)) return Error("cannot create " + out);
  vfs::FileData file;
  for (const std::string& name : names) {
    if (!vfs::GetVFS().LoadLocal((fs::path(folder) / name).string(), file))
      return Error("cannot read " + name);
    if (!writer.Add(name, file.data, file.size)) return Error("cannot add " + name);
  }
  if (!writer.Finish()) return Error("cannot finish " + out);
  std::printf("%zu files packed into %s\n", names.size(), out.c_str());
  return 0;
}

int List(const std::string& path) {
  vfs::Archive archive;
  if (!archive.LoadArchive(path)) return Error("cannot read " + path);
  for (const vfs::ArchiveEntry* entry : archive.Entries())
    std::printf("%10u %10u %s %s\n", entry->size, entry->storedSize, entry->IsPacked() ? "packed" : "plain ",
                entry->name.c_str());
  return 0;
}

// Names come from the archive: none may climb out of the target folder.
bool IsSafeName(const std::string& name) {
  const fs::path path = fs::path(name).lexically_normal();
  if (path.empty() || path.is_absolute() || name.find('\\') != std::string::npos) return false;
  return std::none_of(path.begin(), path.end(), [](const fs::path& part) { return part == ".."; });
}

int Extract(const std::string& path, const std::string& folder) {
  vfs::Archive archive;
  if (!archive.LoadArchive(path)) return Error("cannot read " + path);
  vfs::FileData file;
  int failures = 0;
  for (const vfs::ArchiveEntry* entry : archive.Entries()) {
    const std::string name = entry->name;
    if (!IsSafeName(name)) {
      failures += Error("refusing the entry name " + name);
      continue;
    }
    const fs::path target = fs::path(folder) / name;
    std::error_code error;
    fs::create_directories(target.parent_path(), error);
    if (!archive.GetFile(num::NameKey(name), file)) {
      failures += Error("cannot read " + name);
      continue;
    }
    FILE* out = std::fopen(target.string().c_str(), "wb");
    bool written = out && std::fwrite(file.data, 1, file.size, out) == file.size;
    if (out && std::fclose(out) != 0) written = false;
    if (!written) failures += Error("cannot write " + target.string());
  }
  return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 3 && args[0] == "pack") return Pack(args[1], args[2]);
  if (args.size() == 2 && args[0] == "list") return List(args[1]);
  if (args.size() == 3 && args[0] == "extract") return Extract(args[1], args[2]);
  return Usage();
}
