// A script object: a member table whose names ignore letter case, each
// member with its flags, and a prototype that lookups fall back to.
#pragma once
#include <cstdint>

#include "swf/base/open_hash.h"
#include "swf/base/small_string.h"
#include "swf/script/as_variant.h"
#include "swf/script/scriptable.h"

namespace swf {

struct member_slot {
  enum : int32_t { DONT_ENUM = 1, READ_ONLY = 4 };
  as_variant value;
  int32_t flags = 0;
  int32_t is_protected = 0;  // while set, the flags cannot change
};

class as_plain_object : public scriptable {
 public:
  explicit as_plain_object(scriptable* prototype = nullptr);
  ~as_plain_object() override;

  void set_member(const small_string& name, const as_variant& value) override;
  bool get_member(const small_string& name, as_variant* out) override;
  // Own members only.
  virtual bool get_member_flags(const small_string& name, member_slot* out);
  // Adds the flags to an own, unprotected member; false without one.
  virtual bool set_member_flags(const small_string& name, int32_t flags);

  scriptable* prototype() const { return prototype_; }
  const open_hash<small_string, member_slot>& members() const { return members_; }

  // A prototype walk stops here, so a chain that loops back on itself ends
  // as not found.
  static constexpr int kMaxPrototypeDepth = 256;

 private:
  void set_prototype(scriptable* prototype);

  open_hash<small_string, member_slot> members_;
  scriptable* prototype_ = nullptr;  // one reference held
};

}  // namespace swf
