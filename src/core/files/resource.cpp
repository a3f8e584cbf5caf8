#include "core/files/resource.h"

#include <cctype>

#include "core/text/crc32.h"
#include "core/log.h"
#include "core/files/resman.h"

namespace res {

void Resource::Reload(int32_t /*unused*/) {
  Release();
  Load();
}

bool Resource::Load() {
  state_ = kStateLoading;
  if (vfs::GetVFS().LoadFile(fullPath_, file_)) {
    state_ = kStateFileLoaded;
    return InitializeResource();
  }
  LOG_LINE(MSG_ERROR, "Unable to load surface " + name_);
  state_ = kStateFailed;
  return false;
}

bool Resource::Init(const std::string& name) {
  name_ = name;
  for (char& c : name_) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  fullPath_ = vfs::GetVFS().GetFilePath(name);
  extension_ = ResMan::GetExtension(name_);
  if (fullPath_.empty()) {
    LOG_LINE(MSG_WARNING, "Unable to find resource " + name);
    return false;
  }
  nameKey_ = num::NameKey(name);
  Load();
  return state_ != kStateFailed;
}

}  // namespace res
