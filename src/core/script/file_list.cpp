#include "core/script/file_list.h"

#include <algorithm>
#include <memory>

#include "core/files/loose_path.h"
#include "platform/window/win32.h"

namespace script {

namespace {

// Owns every list made by SearchDir; they live until program exit.
class FileListContainer {
 public:
  FileList* Add(std::unique_ptr<FileList> list) {
    lists_.push_back(std::move(list));
    return lists_.back().get();
  }

 private:
  std::vector<std::unique_ptr<FileList>> lists_;
};

FileListContainer& GetContainer() {
  static FileListContainer container;
  return container;
}

int FlagsOf(DWORD attributes) {
  int flags = 0;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) flags |= FileList::kDirectory;
  if (attributes & FILE_ATTRIBUTE_HIDDEN) flags |= FileList::kHidden;
  if (attributes & FILE_ATTRIBUTE_SYSTEM) flags |= FileList::kSystem;
  if (attributes & FILE_ATTRIBUTE_READONLY) flags |= FileList::kReadOnly;
  if (attributes & FILE_ATTRIBUTE_ARCHIVE) flags |= FileList::kArchive;
  return flags;
}

// The first run of decimal digits in the path, without leading zeros; empty
// when the path has no digit (`found` tells the two apart).
std::string FirstNumber(const std::string& path, bool& found) {
  size_t start = path.find_first_of("0123456789");
  found = start != std::string::npos;
  if (!found) return "";
  size_t end = path.find_first_not_of("0123456789", start);
  std::string digits = path.substr(start, end == std::string::npos ? end : end - start);
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
  return digits;
}

}  // namespace

void FileList::Build(const std::string& pattern) {
  size_t separator = pattern.find_last_of("/\\");
  std::string folder = separator == std::string::npos ? "" : pattern.substr(0, separator + 1);
  // Entries keep the folder as written; the search finds it whatever its case.
  std::string search = vfs::ResolveLoosePath(folder) + pattern.substr(folder.size());
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(search.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    entries_.push_back({folder + data.cFileName, FlagsOf(data.dwFileAttributes)});
  } while (FindNextFileA(find, &data));
  FindClose(find);
}

const FileEntry* FileList::At(int index) const {
  if (index < 0 || index >= GetFileCount()) return nullptr;
  return &entries_[static_cast<size_t>(index)];
}

bool FileList::HasFlag(int index, int flag) const {
  const FileEntry* entry = At(index);
  return entry && (entry->flags & flag) != 0;
}

std::string FileList::GetFileName(int index) const {
  const FileEntry* entry = At(index);
  return entry ? entry->path : "";
}

std::string FileList::GetBaseFileName(int index) const {
  const FileEntry* entry = At(index);
  if (!entry) return "";
  const std::string& path = entry->path;
  size_t separator = path.find_last_of("/\\");
  size_t start = separator == std::string::npos ? 0 : separator + 1;
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot < start) return path.substr(start);
  return path.substr(start, dot - start);
}

std::string FileList::GetExtension(int index) const {
  const FileEntry* entry = At(index);
  if (!entry) return "";
  size_t dot = entry->path.rfind('.');
  return dot == std::string::npos ? entry->path : entry->path.substr(dot + 1);
}

void FileList::SortNumber() {
  struct Keyed {
    bool hasNumber;
    std::string number;
    FileEntry entry;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(entries_.size());
  for (FileEntry& entry : entries_) {
    bool found = false;
    std::string number = FirstNumber(entry.path, found);
    keyed.push_back({found, number, std::move(entry)});
  }
  // Numbers compare by length, then digit by digit: exact at any size.
  std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
    if (a.hasNumber != b.hasNumber) return a.hasNumber;
    if (a.number.size() != b.number.size()) return a.number.size() < b.number.size();
    return a.number < b.number;
  });
  entries_.clear();
  for (Keyed& k : keyed) entries_.push_back(std::move(k.entry));
}

FileList* FileList::SearchDir(const std::string& pattern) {
  auto list = std::make_unique<FileList>();
  list->Build(pattern);
  return GetContainer().Add(std::move(list));
}

}  // namespace script
