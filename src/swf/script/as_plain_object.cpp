#include "swf/script/as_plain_object.h"

namespace swf {
namespace {
bool is_prototype_name(const small_string& name) { return compare_nocase(name.c_str(), "prototype") == 0; }

// Nested prototype lookups in progress, across every kind of object in the
// chain.
int g_lookup_depth = 0;
}  // namespace

as_plain_object::as_plain_object(scriptable* prototype) { set_prototype(prototype); }

as_plain_object::~as_plain_object() {
  set_prototype(nullptr);
  members_.clear();
}

void as_plain_object::set_prototype(scriptable* prototype) {
  if (prototype) prototype->take_ref();
  scriptable* old = prototype_;
  prototype_ = prototype;
  if (old) release_ref(old);
}

void as_plain_object::set_member(const small_string& name, const as_variant& value) {
  if (is_prototype_name(name)) {
    set_prototype(value.to_object());
    return;
  }
  if (member_slot* slot = members_.find(name)) {
    if (slot->flags & member_slot::READ_ONLY) return;
    slot->value = value;
    return;
  }
  member_slot slot;
  slot.value = value;
  members_.add(name, slot);
}

bool as_plain_object::get_member(const small_string& name, as_variant* out) {
  if (is_prototype_name(name)) {
    out->set_object(prototype_);
    return true;
  }
  if (const member_slot* slot = members_.find(name)) {
    *out = slot->value;
    return true;
  }
  if (!prototype_ || g_lookup_depth >= kMaxPrototypeDepth) return false;
  ++g_lookup_depth;
  scriptable* prototype = prototype_;
  prototype->take_ref();  // a getter may change this object's prototype
  const bool found = prototype->get_member(name, out);
  release_ref(prototype);
  --g_lookup_depth;
  return found;
}

bool as_plain_object::get_member_flags(const small_string& name, member_slot* out) {
  const member_slot* slot = members_.find(name);
  if (!slot) return false;
  *out = *slot;
  return true;
}

bool as_plain_object::set_member_flags(const small_string& name, int32_t flags) {
  member_slot* slot = members_.find(name);
  if (!slot) return false;
  if (!slot->is_protected) slot->flags |= flags;
  return true;
}

}  // namespace swf
