// The ordered child list of widgets: entries (value, name key) in insertion
// order, the key being the CRC-32 of the upper-cased name, so names differing
// in letter case (or sharing a key) count as one. An owning list destroys
// its values through the destroyer it was given. Safe to change while it is
// walked (see walk_list.h).
#pragma once
#include <cstdint>
#include <string>

#include "core/text/crc32.h"
#include "ui/widgets/walk_list.h"

template <typename T>
class NamedList {
 public:
  using Destroyer = void (*)(T*);

  NamedList(bool owning, Destroyer destroyer) : owning_(owning), destroyer_(destroyer) {}
  virtual ~NamedList() { Clear(); }
  NamedList(const NamedList&) = delete;
  NamedList& operator=(const NamedList&) = delete;

  static uint32_t KeyOf(const std::string& name) { return num::GetCRC32().ComputeString(name.c_str(), true); }

  // Refuses (false) a name whose key is present.
  bool Add(const std::string& name, T* value) {
    const uint32_t key = KeyOf(name);
    if (IndexOfKey(key) != kNone) return false;
    entries_.Append({value, key});
    return true;
  }
  T* Find(const std::string& name) const {
    size_t at = IndexOfKey(KeyOf(name));
    return at == kNone ? nullptr : entries_.At(at).value;
  }
  // Unlinks the first entry with the name's key; destroys its value when
  // asked and owning. False when there is none.
  bool Remove(const std::string& name, bool destroy) { return RemoveAt(IndexOfKey(KeyOf(name)), destroy); }
  // The same for the entry holding this very value.
  bool RemoveValue(const T* value, bool destroy) { return RemoveAt(entries_.IndexOf(value), destroy); }
  // Destroys every value when owning and empties the list.
  void Clear() {
    entries_.Clear([this](T* value) {
      if (owning_) destroyer_(value);
    });
  }
  bool Contains(const T* value) const { return entries_.IndexOf(value) != kNone; }
  size_t Count() const { return entries_.Count(); }

  template <typename Visit>
  bool WalkForward(Visit visit) {
    return entries_.WalkForward(visit);
  }
  template <typename Visit>
  bool WalkBackward(Visit visit) {
    return entries_.WalkBackward(visit);
  }

 private:
  struct Entry {
    T* value = nullptr;
    uint32_t key = 0;
  };
  static constexpr size_t kNone = WalkList<Entry>::kNone;

  size_t IndexOfKey(uint32_t key) const {
    return entries_.IndexWhere([key](const Entry& e) { return e.key == key; });
  }
  bool RemoveAt(size_t at, bool destroy) {
    if (at == kNone) return false;
    T* value = entries_.Unlink(at);
    if (destroy && owning_) destroyer_(value);
    return true;
  }

  WalkList<Entry> entries_;
  bool owning_;
  Destroyer destroyer_;
};
