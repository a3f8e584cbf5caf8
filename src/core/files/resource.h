// The base of every file-backed resource: records the name, path and
// extension, reads the file whole through the virtual file system and hands
// the bytes to the derived class.
#pragma once
#include <cstdint>
#include <string>

#include "core/files/vfs.h"

namespace res {

enum ResourceState : int32_t {
  kStateNew = 0,
  kStateLoading = 1,
  kStateFileLoaded = 2,  // the bytes wait in the file record
  kStateReady = 3,       // set by the derived class once its object is built
  kStateReleased = 4,
  kStateFailed = 5,
};

class ResourceBase {
 public:
  virtual ~ResourceBase() = default;
  virtual void Reload(int32_t /*unused*/) {}
};

class Resource : public ResourceBase {
 public:
  Resource() = default;
  ~Resource() override = default;
  Resource(const Resource&) = delete;
  Resource& operator=(const Resource&) = delete;

  // Release, then Load.
  void Reload(int32_t unused) override;
  // Reads the file into the file record and calls InitializeResource; on a
  // failed read logs "Unable to load surface " + name and sets kStateFailed.
  virtual bool Load();
  // Builds the derived object from the file record's bytes, or loads again
  // when released.
  virtual bool InitializeResource() = 0;
  // Drops the derived object and sets kStateReleased.
  virtual void Release() = 0;

  // Records the name and loads; true unless the load failed.
  bool Init(const std::string& name);

  const std::string& GetName() const { return name_; }
  const std::string& GetFullPath() const { return fullPath_; }
  const std::string& GetExtension() const { return extension_; }
  uint32_t GetNameKey() const { return nameKey_; }
  int32_t GetState() const { return state_; }

 protected:
  std::string name_;      // lower-cased
  std::string fullPath_;  // as the virtual file system opens it
  std::string extension_;
  uint32_t nameKey_ = 0;
  int32_t state_ = kStateNew;
  vfs::FileData file_;
};

}  // namespace res
