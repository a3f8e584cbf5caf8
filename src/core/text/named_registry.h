// An ordered map from a name key to an object, optionally owning its objects.
// Keys stand for names: no name text is kept, so two names with the same key
// are the same name.
#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "core/text/crc32.h"

template <typename T>
class NamedRegistry {
 public:
  using Map = std::map<uint32_t, T*>;

  explicit NamedRegistry(bool ownsValues = true, bool upperCase = true)
      : ownsValues_(ownsValues), upperCase_(upperCase) {}
  virtual ~NamedRegistry() { Clear(); }
  NamedRegistry(const NamedRegistry&) = delete;
  NamedRegistry& operator=(const NamedRegistry&) = delete;

  uint32_t KeyOf(const std::string& name) const {
    return num::GetCRC32().ComputeString(name.c_str(), upperCase_);
  }

  T* Find(const std::string& name) const {
    auto it = map_.find(KeyOf(name));
    return it == map_.end() ? nullptr : it->second;
  }

  // Refuses a name already holding a value; the caller then still owns the
  // value. A name registered as null counts as absent.
  bool Add(const std::string& name, T* value) {
    T*& slot = map_[KeyOf(name)];
    if (slot) return false;
    slot = value;
    return true;
  }

  // Destroys owned values in ascending key order, then forgets every entry.
  void Clear() {
    if (ownsValues_)
      for (auto& entry : map_) delete entry.second;
    map_.clear();
  }

  // For managers that iterate, look up by a key of their own, or remove.
  Map& Entries() { return map_; }
  const Map& Entries() const { return map_; }

 private:
  Map map_;
  bool ownsValues_;
  bool upperCase_;
};
