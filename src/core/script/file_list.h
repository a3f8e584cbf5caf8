// Lists of the files of a folder that match a wildcard pattern, read straight
// from the operating system (not through the virtual file system).
#pragma once
#include <string>
#include <vector>

#include "platform/lua/luaplus.h"

namespace script {

struct FileEntry {
  // The folder part of the pattern followed by the found name.
  std::string path;
  int flags = 0;
};

class FileList {
 public:
  enum Flag { kDirectory = 1, kHidden = 2, kSystem = 4, kReadOnly = 8, kArchive = 16 };

  // Appends one entry per match ("." and ".." too when matched).
  void Build(const std::string& pattern);
  void Reset() { entries_.clear(); }

  int GetFileCount() const { return static_cast<int>(entries_.size()); }
  // Accessors answer "" or false for an index outside the list.
  std::string GetFileName(int index) const;
  // The name without folder and last extension.
  std::string GetBaseFileName(int index) const;
  // The text after the last "."; the whole path when it has no ".".
  std::string GetExtension(int index) const;
  bool IsDirectory(int index) const { return HasFlag(index, kDirectory); }
  bool IsHidden(int index) const { return HasFlag(index, kHidden); }
  bool IsSystem(int index) const { return HasFlag(index, kSystem); }
  bool IsArchive(int index) const { return HasFlag(index, kArchive); }
  bool IsReadOnly(int index) const { return HasFlag(index, kReadOnly); }

  // Stable sort by the first run of digits in each path; paths without a
  // digit go last.
  void SortNumber();

  // A new list over the pattern, kept until program exit.
  static FileList* SearchDir(const std::string& pattern);
  // The class "FileList" and the global "SearchDir".
  static void RegisterLua(LuaPlus::LuaState* state);

 private:
  const FileEntry* At(int index) const;
  bool HasFlag(int index, int flag) const;

  std::vector<FileEntry> entries_;
};

}  // namespace script
