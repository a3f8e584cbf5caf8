#include "core/files/loose_path.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>

namespace vfs {
namespace {

bool Exists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

// The entry of `folder` whose name equals `name` without regard to ASCII
// case; among several, the smallest by bytes, so the choice does not depend
// on the order in which the folder lists them.
bool FindFolded(const std::string& folder, const std::string& name, std::string& found) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return false;
  bool any = false;
  while (const dirent* entry = ::readdir(dir)) {
    if (::strcasecmp(entry->d_name, name.c_str()) != 0) continue;
    if (!any || found > entry->d_name) found = entry->d_name;
    any = true;
  }
  ::closedir(dir);
  return any;
}

}  // namespace

std::string ResolveLoosePath(const std::string& path) {
  if (path.empty() || Exists(path)) return path;
  std::string slashed = path;
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  if (Exists(slashed)) return slashed;

  std::string resolved = slashed[0] == '/' ? "/" : "";
  size_t start = 0;
  while (start <= slashed.size()) {
    size_t end = slashed.find('/', start);
    if (end == std::string::npos) end = slashed.size();
    std::string part = slashed.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") continue;
    std::string folder = resolved;
    std::string next = folder + part;
    if (!Exists(next)) {
      std::string found;
      if (part == ".." || !FindFolded(folder, part, found)) return path;
      next = folder + found;
    }
    resolved = end < slashed.size() ? next + "/" : next;
  }
  return resolved;
}

}  // namespace vfs
