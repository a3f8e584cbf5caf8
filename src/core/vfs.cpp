#include "core/vfs.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "core/log.h"

namespace vfs {

FileData::~FileData() { Release(); }

void FileData::Release() {
  std::free(data);
  data = nullptr;
  size = 0;
  name.clear();
}

bool VFS::LoadFile(const std::string& path, FileData& file) {
  if (LoadLocal(path, file)) return true;
  LOG_LINE(MSG_ERROR, "Couldn't find file " + path + " in archives");
  return false;
}

bool VFS::LoadLocal(const std::string& path, FileData& file) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  long length = -1;
  if (std::fseek(f, 0, SEEK_END) == 0) length = std::ftell(f);
  if (length < 0 || length > 0x7FFFFFFE || std::fseek(f, 0, SEEK_SET) != 0) {
    std::fclose(f);
    return false;
  }
  auto* buffer = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(length) + 1));
  if (!buffer) {
    std::fclose(f);
    return false;
  }
  size_t read = std::fread(buffer, 1, static_cast<size_t>(length), f);
  std::fclose(f);
  if (read != static_cast<size_t>(length)) {
    std::free(buffer);
    return false;
  }
  buffer[length] = 0;
  file.Release();
  file.name = path;
  file.size = static_cast<uint32_t>(length);
  file.data = buffer;
  return true;
}

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
