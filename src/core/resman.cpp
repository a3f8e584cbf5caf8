#include "core/resman.h"

#include "core/crc32.h"
#include "core/log.h"

namespace res {

void ResMan::AddResourceConstructor(ResourceConstructor constructor, const std::string& extension) {
  std::unique_ptr<ConstructorRecord>& record = constructors_[num::NameKey(extension)];
  if (record) {
    LOG_LINE(MSG_WARNING, "Double register extension " + extension + " in resource manager");
  } else {
    record = std::make_unique<ConstructorRecord>();
    LOG_LINE(MSG_INIT, "Register extension " + extension + " in resource manager");
  }
  record->constructor = constructor;
}

ConstructorRecord* ResMan::FindConstructor(const std::string& name) {
  auto found = constructors_.find(num::NameKey(GetExtension(name)));
  return found == constructors_.end() ? nullptr : found->second.get();
}

std::string ResMan::GetExtension(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(dot + 1);
}

Resource* ResMan::FindResource(const std::string& name) const {
  auto found = resources_.find(num::NameKey(name));
  return found == resources_.end() ? nullptr : found->second.get();
}

Resource* ResMan::LoadResource(const std::string& name) {
  // A second load of a name would leave an unregistered copy nobody frees.
  if (Resource* loaded = FindResource(name)) return loaded;
  const ConstructorRecord* record = FindConstructor(name);
  if (!record || !record->constructor) {
    LOG_LINE(MSG_ERROR, "Unable to find loader function for resource " + name);
    return nullptr;
  }
  std::unique_ptr<Resource> resource(record->constructor());
  if (!resource) {
    LOG_LINE(MSG_ERROR, "Unable to find create resource " + name);
    return nullptr;
  }
  if (!resource->Init(name)) {
    resource.reset();
    LOG_LINE(MSG_ERROR, "Error loading resource " + name);
    return nullptr;
  }
  Resource* loaded = resource.get();
  resources_.emplace(num::NameKey(name), std::move(resource));
  return loaded;
}

void ResMan::ReloadAll() {
  for (auto& item : resources_) {
    item.second->Release();
    item.second->InitializeResource();
  }
}

void ResMan::ClearResources() {
  for (auto& item : resources_) item.second.reset();
  resources_.clear();
}

ResMan& GetResMan() {
  static ResMan resman;
  return resman;
}

}  // namespace res
