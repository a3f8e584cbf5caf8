#include "swf/script/as_context.h"

#include <cstring>

#include "swf/base/log.h"
#include "swf/script/as_plain_object.h"
#include "swf/script/builtins.h"
#include "swf/script/movie.h"
#include "swf/script/native_call.h"

namespace swf {

with_entry::with_entry(scriptable* object, int32_t end) : object(object), end(end) {
  if (object) object->take_ref();
}

with_entry::with_entry(const with_entry& other) : with_entry(other.object, other.end) {}

with_entry& with_entry::operator=(const with_entry& other) {
  if (other.object) other.object->take_ref();
  if (object) release_ref(object);
  object = other.object;
  end = other.end;
  return *this;
}

with_entry::~with_entry() {
  if (object) release_ref(object);
}

const as_variant& native_call::arg(int i) const {
  static const as_variant undefined;
  const int index = first_arg - i;
  if (i < 0 || i >= arg_count || index < 0 || index >= context->stack_size()) return undefined;
  return context->stack[index];
}

as_context::as_context(movie* owner) : target(owner), owner_(owner) {}

as_variant& as_context::top(int n) {
  const int index = stack.size() - 1 - n;
  if (n < 0 || index < 0) {
    below_bottom_.set_undefined();
    return below_bottom_;
  }
  return stack[index];
}

as_variant as_context::pop() {
  if (stack.empty()) return as_variant();
  as_variant value = stack.back();
  stack.resize(stack.size() - 1);
  return value;
}

void as_context::drop(int n) {
  if (n <= 0) return;
  stack.resize(n >= stack.size() ? 0 : stack.size() - n);
}

as_variant* as_context::local_register_ptr(int n) {
  const int count = local_registers.size();
  if (n < 1 || n > count) {
    log_error("Invalid local register %d, stack only has %d entries\n", n, count);
    return &global_registers[0];
  }
  return &local_registers[count - n];
}

int as_context::find_local(const small_string& name) const {
  for (int i = local_frames.size() - 1; i >= 0; --i) {
    const small_string& slot_name = local_frames[i].name;
    if (slot_name.length() == 0) break;
    if (slot_name == name) return i;
  }
  return -1;
}

void as_context::set_local(const small_string& name, const as_variant& value) {
  const int i = find_local(name);
  if (i >= 0) {
    local_frames[i].value = value;
  } else {
    add_local(name, value);
  }
}

void as_context::add_local(const small_string& name, const as_variant& value) {
  local_slot slot;
  slot.name = name;
  slot.value = value;
  local_frames.push_back(slot);
}

void as_context::declare_local(const small_string& name) {
  if (find_local(name) < 0) add_local(name, as_variant());
}

as_variant as_context::get_variable_raw(const small_string& name, const with_stack& with) const {
  as_variant value;
  for (int i = with.size() - 1; i >= 0; --i) {
    if (with[i].object && with[i].object->get_member(name, &value)) return value;
  }
  const int local = find_local(name);
  if (local >= 0) return local_frames[local].value;
  if (name == "this") return as_variant(static_cast<scriptable*>(target));
  if (target && target->get_member(name, &value)) return value;
  if (name == "_root" || name == "_level0") return as_variant(static_cast<scriptable*>(target ? target->get_root_sprite() : nullptr));
  if (name == "_global") return as_variant(static_cast<scriptable*>(global_object()));
  if (global_object() && global_object()->get_member(name, &value)) return value;
  return as_variant();
}

void as_context::set_variable_raw(const small_string& name, const as_variant& value, const with_stack& with) {
  as_variant existing;
  for (int i = with.size() - 1; i >= 0; --i) {
    if (with[i].object && with[i].object->get_member(name, &existing)) {
      with[i].object->set_member(name, value);
      return;
    }
  }
  const int local = find_local(name);
  if (local >= 0) {
    local_frames[local].value = value;
    return;
  }
  if (target) target->set_member(name, value);
}

bool as_context::parse_path(const small_string& text, small_string* path, small_string* variable) {
  const char* begin = text.c_str();
  const char* separator = std::strchr(begin, ':');
  if (!separator) separator = std::strrchr(begin, '.');
  if (!separator) return false;
  *variable = separator + 1;
  int path_length = static_cast<int>(separator - begin);
  if (path_length > 0 && begin[path_length - 1] == '/') --path_length;
  *path = small_string(begin, path_length);
  return true;
}

movie* as_context::find_target(const small_string& path) const {
  const char* p = path.c_str();
  if (*p == '\0') return target;
  movie* current = target;
  if (*p == '/') {
    current = target ? target->find_target("_level0") : nullptr;
    ++p;
  }
  while (*p && current) {
    const char* end = p;
    for (;; ++end) {
      if (*end == '\0' || *end == '/') break;
      if (*end == '.') {
        if (end[1] == '.') {
          ++end;  // a ".." pair stays inside the component
          continue;
        }
        break;
      }
    }
    if (end == p) {
      log_error("error: invalid path '%s'\n", path.c_str());
      return current;
    }
    const small_string component(p, static_cast<int32_t>(end - p));
    current = current->find_target(component.c_str());
    p = *end ? end + 1 : end;
  }
  return current;
}

movie* as_context::find_target(const as_variant& value) const {
  if (value.kind() == as_variant::OBJECT) {
    scriptable* object = value.to_object();
    return object ? object->to_movie() : nullptr;
  }
  if (value.kind() == as_variant::STRING) return find_target(value.to_string());
  log_error("error: invalid path; neither string nor object");
  return nullptr;
}

as_variant as_context::get_variable(const small_string& name, const with_stack& with) const {
  small_string path, variable;
  if (!parse_path(name, &path, &variable)) return get_variable_raw(name, with);
  movie* m = find_target(path);
  as_variant value;
  if (m) {
    m->get_member(variable, &value);
  } else {
    log_error("find_target(\"%s\") failed\n", path.c_str());
  }
  return value;
}

void as_context::set_variable(const small_string& name, const as_variant& value, const with_stack& with) {
  small_string path, variable;
  if (!parse_path(name, &path, &variable)) {
    set_variable_raw(name, value, with);
    return;
  }
  if (movie* m = find_target(path)) m->set_member(variable, value);
}

}  // namespace swf
