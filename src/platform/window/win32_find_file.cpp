#include "platform/window/win32.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Match {
  std::string name;
  DWORD attributes;
};

struct FindState {
  std::vector<Match> matches;
  size_t next = 0;
};

bool SameLetter(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

// Greedy matching with one backtrack point: linear in practice, never
// exponential however many stars the pattern holds.
bool Glob(const char* name, const char* pattern) {
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*name) {
    if (*pattern == '*') {
      star = pattern++;
      resume = name;
    } else if (*pattern == '?' || (*pattern && SameLetter(*pattern, *name))) {
      ++pattern;
      ++name;
    } else if (star) {
      pattern = star + 1;
      name = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == 0;
}

DWORD AttributesOf(const std::string& folder, const std::string& name) {
  struct stat info;
  if (stat((folder + name).c_str(), &info) != 0) return 0;
  DWORD attributes = 0;
  if (S_ISDIR(info.st_mode))
    attributes |= FILE_ATTRIBUTE_DIRECTORY;
  else
    attributes |= FILE_ATTRIBUTE_ARCHIVE;
  if (!(info.st_mode & S_IWUSR)) attributes |= FILE_ATTRIBUTE_READONLY;
  if (name[0] == '.' && name != "." && name != "..") attributes |= FILE_ATTRIBUTE_HIDDEN;
  return attributes;
}

void Fill(const Match& match, WIN32_FIND_DATAA* data) {
  data->dwFileAttributes = match.attributes;
  std::snprintf(data->cFileName, sizeof data->cFileName, "%s", match.name.c_str());
}

}  // namespace

namespace platform {

bool MatchesWildcard(const char* name, const char* pattern) {
  if (Glob(name, pattern)) return true;
  // "*.*" and "name.*" also take names without any dot.
  size_t length = std::strlen(pattern);
  if (length < 2 || std::strcmp(pattern + length - 2, ".*") != 0 || std::strchr(name, '.'))
    return false;
  return Glob(name, std::string(pattern, length - 2).c_str());
}

}  // namespace platform

HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data) {
  std::string path(pattern ? pattern : "");
  std::replace(path.begin(), path.end(), '\\', '/');
  size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  std::string wildcard = slash == std::string::npos ? path : path.substr(slash + 1);

  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return INVALID_HANDLE_VALUE;
  auto* state = new FindState;
  while (dirent* entry = readdir(dir)) {
    // Longer names could not be handed back whole.
    if (std::strlen(entry->d_name) >= MAX_PATH) continue;
    if (platform::MatchesWildcard(entry->d_name, wildcard.c_str()))
      state->matches.push_back({entry->d_name, AttributesOf(folder, entry->d_name)});
  }
  closedir(dir);
  if (state->matches.empty()) {
    delete state;
    return INVALID_HANDLE_VALUE;
  }
  std::sort(state->matches.begin(), state->matches.end(),
            [](const Match& a, const Match& b) { return a.name < b.name; });
  Fill(state->matches[0], data);
  state->next = 1;
  return state;
}

BOOL FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data) {
  if (!find || find == INVALID_HANDLE_VALUE) return FALSE;
  auto* state = static_cast<FindState*>(find);
  if (state->next >= state->matches.size()) return FALSE;
  Fill(state->matches[state->next++], data);
  return TRUE;
}

BOOL FindClose(HANDLE find) {
  if (!find || find == INVALID_HANDLE_VALUE) return FALSE;
  delete static_cast<FindState*>(find);
  return TRUE;
}
