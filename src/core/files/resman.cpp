#include "core/files/resman.h"

#include <memory>

#include "core/log.h"

namespace res {

void ResMan::AddResourceConstructor(ResourceConstructor constructor, const std::string& extension) {
  ConstructorRecord* record = constructors_.Find(extension);
  if (record) {
    LOG_LINE(MSG_WARNING, "Double register extension " + extension + " in resource manager");
  } else {
    record = new ConstructorRecord;
    constructors_.Add(extension, record);
    LOG_LINE(MSG_INIT, "Register extension " + extension + " in resource manager");
  }
  record->constructor = constructor;
}

ConstructorRecord* ResMan::FindConstructor(const std::string& name) {
  return constructors_.Find(GetExtension(name));
}

std::string ResMan::GetExtension(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(dot + 1);
}

Resource* ResMan::FindResource(const std::string& name) const { return resources_.Find(name); }

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
  resources_.Add(name, resource.get());
  return resource.release();
}

void ResMan::ReloadAll() {
  for (auto& item : resources_.Entries()) {
    item.second->Release();
    item.second->InitializeResource();
  }
}

void ResMan::ReleaseAll() {
  for (auto& item : resources_.Entries()) item.second->Release();
}

void ResMan::ClearResources() { resources_.Clear(); }

ResMan& GetResMan() {
  static ResMan resman;
  return resman;
}

}  // namespace res
