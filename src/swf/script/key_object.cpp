#include "swf/script/key_object.h"

#include "swf/base/log.h"

namespace swf {
namespace {

struct key_code {
  const char* name;
  int code;
};

const key_code kKeyCodes[] = {
    {"BACKSPACE", 8}, {"CAPSLOCK", 20}, {"CONTROL", 17}, {"DELETEKEY", 46}, {"DOWN", 40}, {"END", 35},
    {"ENTER", 13},    {"ESCAPE", 27},   {"HOME", 36},    {"INSERT", 45},    {"LEFT", 37}, {"PGDN", 34},
    {"PGUP", 33},     {"RIGHT", 39},    {"SHIFT", 16},   {"SPACE", 32},     {"TAB", 9},   {"UP", 38},
};

// The call's this object when it is the Key object; a method copied onto
// another object does nothing there.
key_state_object* key_of(const native_call& call) { return dynamic_cast<key_state_object*>(call.this_object); }

// The listener object of argument 0, or null, said in the log under the
// method's name.
scriptable* listener_argument(const native_call& call, const char* method) {
  if (call.arg_count < 1) {
    log_error("%s needs one argument (the listener object)\n", method);
    return nullptr;
  }
  scriptable* listener = call.arg(0).to_object();
  if (!listener) log_error("%s passed a NULL object; ignored\n", method);
  return listener;
}

}  // namespace

key_state_object::key_state_object() = default;

key_state_object::~key_state_object() { listeners_.clear(); }

bool key_state_object::is_down(int code) const {
  // Codes 0 to 222, as the platform's virtual keys go.
  if (code < 0 || code > 222) return false;
  return (key_map_[code / 8] >> (code % 8)) & 1;
}

void key_state_object::purge_listeners() {
  for (int32_t i = listeners_.size() - 1; i >= 0; --i)
    if (!listeners_[i].handle.get()) listeners_.remove(i);
}

void key_state_object::add_listener(scriptable* listener) {
  purge_listeners();
  for (const listener_entry& entry : listeners_)
    if (entry.object == listener) return;
  listeners_.push_back(listener_entry{weak_handle<scriptable>(listener), listener});
}

void key_state_object::remove_listener(scriptable* listener) {
  purge_listeners();
  for (int32_t i = listeners_.size() - 1; i >= 0; --i)
    if (listeners_[i].object == listener) listeners_.remove(i);
}

int key_state_object::listener_count() {
  purge_listeners();
  return listeners_.size();
}

void key_init(as_plain_object* global) {
  key_state_object* key = new key_state_object();
  const as_variant value(static_cast<scriptable*>(key));
  for (const key_code& k : kKeyCodes) key->set_member(k.name, as_variant(k.code));
  key->set_member("addListener", as_variant(key_add_listener));
  key->set_member("getAscii", as_variant(key_get_ascii));
  key->set_member("getCode", as_variant(key_get_code));
  key->set_member("isDown", as_variant(key_is_down));
  key->set_member("isToggled", as_variant(key_is_toggled));
  key->set_member("removeListener", as_variant(key_remove_listener));
  global->set_member("Key", value);
}

void key_is_down(const native_call& call) {
  key_state_object* key = key_of(call);
  if (!key) return;
  if (call.arg_count < 1) {
    log_error("key_is_down needs one argument (the key code)\n");
    return;
  }
  call.set_result(as_variant(key->is_down(call.arg(0).to_int32())));
}

void key_get_code(const native_call& call) {
  if (key_state_object* key = key_of(call)) call.set_result(as_variant(key->last_key()));
}

void key_get_ascii(const native_call& call) {
  key_state_object* key = key_of(call);
  if (!key) return;
  as_variant ascii;
  if (key->last_key() > 0) {
    const char text[2] = {static_cast<char>(key->last_key() & 0xFF), '\0'};
    ascii.set_string(text);
  }
  call.set_result(ascii);
}

void key_is_toggled(const native_call& call) {
  if (key_of(call)) call.set_result(as_variant(false));
}

void key_add_listener(const native_call& call) {
  key_state_object* key = key_of(call);
  if (scriptable* listener = key ? listener_argument(call, "key_add_listener") : nullptr) key->add_listener(listener);
}

void key_remove_listener(const native_call& call) {
  key_state_object* key = key_of(call);
  if (scriptable* listener = key ? listener_argument(call, "key_remove_listener") : nullptr)
    key->remove_listener(listener);
}

}  // namespace swf
