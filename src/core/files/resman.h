// The process-wide resource manager: file extensions map to constructor
// functions, names to the one loaded resource of that name. Resources stay
// until ClearResources.
//
// A resource type registers its constructor for each extension it reads:
//   res::GetResMan().AddResourceConstructor(&MySurface::Create, "png");
// and users get a resource by name (the extension's case does not matter):
//   res::Resource* image = res::GetResMan().LoadResource("ui_img/title.png");
#pragma once
#include <string>

#include "core/text/named_registry.h"
#include "core/files/resource.h"

namespace res {

// Makes a new, unloaded resource, or null.
using ResourceConstructor = Resource* (*)();

struct ConstructorRecord {
  ResourceConstructor constructor = nullptr;
};

class ResMan {
 public:
  ResMan() = default;
  ~ResMan() { ClearResources(); }
  ResMan(const ResMan&) = delete;
  ResMan& operator=(const ResMan&) = delete;

  // Registers `constructor` for `extension` (no "."); registering an
  // extension again warns and replaces the function.
  void AddResourceConstructor(ResourceConstructor constructor, const std::string& extension);
  // The record registered for the extension of `name`, or null.
  ConstructorRecord* FindConstructor(const std::string& name);
  // The text after the last "." of `name`, case kept; `name` without one.
  static std::string GetExtension(const std::string& name);

  // The resource registered under `name`, or null. Names ignore ASCII case.
  Resource* FindResource(const std::string& name) const;
  // The resource registered under `name`; otherwise creates, loads and
  // registers it. Null, with logged lines, when that fails.
  Resource* LoadResource(const std::string& name);
  // Release, then InitializeResource, for every resource in key order.
  void ReloadAll();
  // Release for every resource, in key order; each is built again on its next use.
  void ReleaseAll();
  // Destroys every resource, in key order.
  void ClearResources();

 private:
  NamedRegistry<ConstructorRecord> constructors_;  // by extension
  NamedRegistry<Resource> resources_;               // by name
};

ResMan& GetResMan();

}  // namespace res
