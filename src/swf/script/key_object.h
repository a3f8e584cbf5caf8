// The script's Key object: the key codes by name and the keyboard's state.
// Movies get no keyboard input, so nothing sets the state: no key is down
// and the last key is 0. Listeners are held weakly.
#pragma once
#include <cstdint>

#include "swf/base/dyn_array.h"
#include "swf/base/weak_handle.h"
#include "swf/script/as_plain_object.h"
#include "swf/script/native_call.h"

namespace swf {

class key_state_object : public as_plain_object {
 public:
  static constexpr int kKeyCount = 224;

  key_state_object();
  ~key_state_object() override;

  bool is_down(int code) const;
  int32_t last_key() const { return last_key_; }
  // Adds the object unless it is listed already.
  void add_listener(scriptable* listener);
  void remove_listener(scriptable* listener);
  // The listeners still alive.
  int listener_count();

 private:
  struct listener_entry {
    weak_handle<scriptable> handle;
    scriptable* object;
  };
  // Drops the listeners that are gone, keeping the order of the rest.
  void purge_listeners();

  uint8_t key_map_[kKeyCount / 8] = {};
  dyn_array<listener_entry> listeners_;
  int32_t last_key_ = 0;
};

// Stores a new Key object in the global object under "Key".
void key_init(as_plain_object* global);

void key_is_down(const native_call& call);
void key_get_code(const native_call& call);
void key_get_ascii(const native_call& call);
void key_is_toggled(const native_call& call);
void key_add_listener(const native_call& call);
void key_remove_listener(const native_call& call);

}  // namespace swf
