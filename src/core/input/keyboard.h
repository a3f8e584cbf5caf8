// The system keyboard, read once per frame as buffered key events and turned
// into key-listener calls: down, up, held every frame, and repeats made here.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/window/win32.h"

class IDirectInput8;
class IDirectInputDevice8;

namespace input {

class KeyListener;

struct KeyState {
  int32_t code = 0;     // the DirectInput key code of the last event
  uint8_t changed = 0;  // changed state during the current update
  uint8_t down = 0;
  float time = 0.0f;    // total time at the last change of state
  float held = 0.0f;    // seconds held since the press or the last repeat
};

class Keyboard {
 public:
  static constexpr int kKeyCount = 256;
  static constexpr uint32_t kBufferSize = 256;
  static constexpr float kRepeatDelay = 0.4f;

  // Creates, sets up and acquires the device; a failed step is logged and
  // leaves the device as far as it got (no device at all when creation failed).
  Keyboard(IDirectInput8* directInput, HWND window);
  ~Keyboard();
  Keyboard(const Keyboard&) = delete;
  Keyboard& operator=(const Keyboard&) = delete;

  // One frame of events. False when the device could not be read (it is
  // re-acquired for the next frame) or does not exist. With suppress set the
  // events are read and dropped.
  bool Update(bool suppress, float frameTime, float now);
  // Every key that is down goes up, marked changed, without listener calls.
  void ReleaseAll();

  void AddListener(KeyListener* listener);
  void RemoveListener(KeyListener* listener);

  const KeyState& GetKeyState(uint8_t code) const { return keys_[code]; }

  // The character(s) of a key code in the current layout, into at least two
  // bytes; nothing is written for a key that types nothing. A listener called
  // for a key gets it with the key state of the moment the key went down,
  // however late the frame read it; any other caller with the state of now.
  static void ScanCodeToAscii(uint32_t scanCode, char* output);
  // The clipboard's text (UTF-8); true when it is not empty.
  bool GetClipboardText(std::string& text) const;
  bool SetClipboardText(const std::u16string& text) const;

 private:
  template <typename Call>
  void NotifyEnabled(size_t count, Call call);
  // The key-state array of the moment this keyboard's key went down, while
  // its listeners are being called; false otherwise.
  bool KeyStateAtPress(uint8_t code, BYTE* keyState) const;

  IDirectInputDevice8* device_ = nullptr;
  KeyState keys_[kKeyCount];
  // The sequence number of each key's last down event, for the key state it
  // was typed with.
  struct Press {
    DWORD sequence = 0;
    bool known = false;
  };
  Press presses_[kKeyCount];
  std::vector<KeyListener*> listeners_;
  HWND window_;
};

}  // namespace input
