#include "core/files/vfs.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "core/files/archive.h"
#include "core/text/crc32.h"
#include "core/log.h"
#include "core/memory/mem_tracker.h"
#include "core/files/loose_path.h"

namespace vfs {

FileData::~FileData() { Release(); }

void FileData::Release() {
  TRACKED_FREE(data);
  data = nullptr;
  size = 0;
  name.clear();
}

VFS::VFS() = default;

VFS::~VFS() {
  for (auto& archive : archives_) archive.reset();
}

void VFS::AddArchive(const std::string& path) {
  auto archive = std::make_unique<Archive>();
  if (archive->LoadArchive(path)) archives_.push_back(std::move(archive));
}

bool VFS::LoadFile(const std::string& path, FileData& file) {
  const uint32_t key = num::NameKey(path);
  for (auto& archive : archives_) {
    if (!archive->Contains(key)) continue;
    if (!archive->GetFile(key, file)) return false;
    file.name = path;
    return true;
  }
  if (LoadLocal(path, file)) return true;
  LOG_LINE(MSG_ERROR, "Couldn't find file " + path + " in archives");
  return false;
}

bool VFS::LoadLocal(const std::string& path, FileData& file) {
  FILE* f = std::fopen(ResolveLoosePath(path).c_str(), "rb");
  if (!f) return false;
  struct stat info;
  // Only regular files: a folder opens too, but reads nothing.
  if (::fstat(::fileno(f), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > 0x7FFFFFFE) {
    std::fclose(f);
    return false;
  }
  const size_t length = static_cast<size_t>(info.st_size);
  auto* buffer = static_cast<unsigned char*>(TRACKED_MALLOC(length + 1));
  if (!buffer) {
    std::fclose(f);
    return false;
  }
  const size_t read = std::fread(buffer, 1, length, f);
  std::fclose(f);
  if (read != length) {
    TRACKED_FREE(buffer);
    LOG_LINE(MSG_ERROR, "Unable to read file " + path + " whole");
    return false;
  }
  buffer[length] = 0;
  file.Release();
  file.name = path;
  file.size = static_cast<uint32_t>(length);
  file.data = buffer;
  return true;
}

std::string VFS::GetFilePath(const std::string& name) const { return ResolveLoosePath(name); }

VFS& GetVFS() {
  static VFS vfs;
  return vfs;
}

std::string GetFileExtension(const std::string& path) {
  size_t dot = path.rfind('.');
  if (dot == std::string::npos) return "";
  std::string ext = path.substr(dot + 1, 3);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

}  // namespace vfs
