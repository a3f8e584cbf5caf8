#include "core/input/keyboard.h"

#include <algorithm>
#include <cstring>

#include "core/frame_timer.h"
#include "core/input/input_error.h"
#include "core/input/key_listener.h"
#include "platform/input/dinput.h"
#include "platform/window/win32.h"

namespace input {

namespace {
constexpr float kBackspaceRepeatFactor = 0.4f;

// The keyboard whose listeners are being called, if any.
const Keyboard* g_notifying = nullptr;

class NotifyingScope {
 public:
  explicit NotifyingScope(const Keyboard* keyboard) : previous_(g_notifying) { g_notifying = keyboard; }
  ~NotifyingScope() { g_notifying = previous_; }
  NotifyingScope(const NotifyingScope&) = delete;
  NotifyingScope& operator=(const NotifyingScope&) = delete;

 private:
  const Keyboard* previous_;
};
}  // namespace

Keyboard::Keyboard(IDirectInput8* directInput, HWND window) : window_(window) {
  HRESULT result =
      directInput ? directInput->CreateDevice(GUID_SysKeyboard, &device_, nullptr) : E_POINTER;
  if (FAILED(result)) {
    device_ = nullptr;
    LOG_INPUT_ERROR(result, "Unable to Create DI8 Keyboard Object");
    return;
  }
  result = device_->SetDataFormat(&c_dfDIKeyboard);
  if (FAILED(result)) {
    LOG_INPUT_ERROR(result, "Unable to set Keyboard format");
    return;
  }
  result = device_->SetCooperativeLevel(window, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND);
  if (FAILED(result)) {
    LOG_INPUT_ERROR(result, "Unable to set Keyboard Cooperation Level");
    return;
  }
  DIPROPDWORD buffer{};
  buffer.diph.dwSize = sizeof(DIPROPDWORD);
  buffer.diph.dwHeaderSize = sizeof(DIPROPHEADER);
  buffer.diph.dwObj = 0;
  buffer.diph.dwHow = DIPH_DEVICE;
  buffer.dwData = kBufferSize;
  result = device_->SetProperty(DIPROP_BUFFERSIZE, &buffer.diph);
  if (FAILED(result)) {
    LOG_INPUT_ERROR(result, "Unable to set Keyboard buffer");
    return;
  }
  device_->Acquire();
}

Keyboard::~Keyboard() {
  if (!device_) return;
  device_->Unacquire();
  device_->Release();
}

template <typename Call>
void Keyboard::NotifyEnabled(size_t count, Call call) {
  // The count is fixed for the walk; the bound check only keeps a listener
  // that leaves during a call from taking the walk past the list.
  for (size_t i = 0; i < count && i < listeners_.size(); ++i)
    if (listeners_[i]->enabled) call(*listeners_[i]);
}

bool Keyboard::Update(bool suppress, float frameTime, float now) {
  if (!device_) return false;
  DIDEVICEOBJECTDATA events[kBufferSize];
  DWORD count = kBufferSize;
  device_->Poll();
  if (FAILED(device_->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), events, &count, 0))) {
    device_->Acquire();
    return false;
  }
  if (suppress) return true;

  NotifyingScope notifying(this);
  for (KeyState& key : keys_) key.changed = 0;
  size_t listenerCount = listeners_.size();
  for (DWORD i = 0; i < count; ++i) {
    KeyState& key = keys_[events[i].dwOfs & 0xFF];
    key.code = static_cast<int32_t>(events[i].dwOfs);
    uint8_t down = (events[i].dwData & 0x80) ? 1 : 0;
    if (down != key.down) {
      key.changed = 1;
      key.down = down;
      key.time = now;
    }
    if (!key.changed) continue;
    if (key.down) {
      presses_[events[i].dwOfs & 0xFF] = {events[i].dwSequence, true};
      NotifyEnabled(listenerCount, [&](KeyListener& listener) { listener.OnKeyDown(&key); });
    } else {
      NotifyEnabled(listenerCount, [&](KeyListener& listener) { listener.OnKeyUp(&key); });
    }
  }

  for (KeyState& key : keys_) {
    if (!key.down) {
      key.held = 0.0f;
      continue;
    }
    NotifyEnabled(listenerCount, [&](KeyListener& listener) { listener.OnKeyHeld(&key); });
    key.held += frameTime;
    float delay = kRepeatDelay * (key.code == DIK_BACK ? kBackspaceRepeatFactor : 1.0f);
    if (key.held > delay) {
      key.held = 0.0f;
      NotifyEnabled(listenerCount, [&](KeyListener& listener) { listener.OnKeyRepeat(&key); });
    }
  }
  return true;
}

void Keyboard::ReleaseAll() {
  float now = GetFrameTimer().totalTime;
  for (KeyState& key : keys_) {
    if (!key.down) continue;
    key.down = 0;
    key.changed = 1;
    key.time = now;
  }
}

void Keyboard::AddListener(KeyListener* listener) {
  if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
    listeners_.push_back(listener);
}

void Keyboard::RemoveListener(KeyListener* listener) {
  auto found = std::find(listeners_.begin(), listeners_.end(), listener);
  if (found != listeners_.end()) listeners_.erase(found);
}

bool Keyboard::KeyStateAtPress(uint8_t code, BYTE* keyState) const {
  return presses_[code].known && GetKeyboardStateAtEvent(presses_[code].sequence, keyState);
}

void Keyboard::ScanCodeToAscii(uint32_t scanCode, char* output) {
  // The layout of the first call holds for the rest of the run.
  static HKL layout = GetKeyboardLayout(0);
  BYTE keyState[256];
  const bool atPress = g_notifying && g_notifying->KeyStateAtPress(static_cast<uint8_t>(scanCode), keyState);
  if (!atPress && !GetKeyboardState(keyState)) return;
  UINT virtualKey = MapVirtualKeyExA(scanCode, MAPVK_VSC_TO_VK, layout);
  WORD characters = 0;
  if (ToAsciiEx(virtualKey, scanCode, keyState, &characters, 0, layout) == 0) return;
  output[0] = static_cast<char>(characters & 0xFF);
  output[1] = static_cast<char>(characters >> 8);
}

bool Keyboard::GetClipboardText(std::string& text) const {
  if (!OpenClipboard(window_)) return false;
  if (IsClipboardFormatAvailable(CF_TEXT) || IsClipboardFormatAvailable(CF_OEMTEXT)) {
    HANDLE data = GetClipboardData(CF_OEMTEXT);
    if (const char* clipboard = static_cast<const char*>(GlobalLock(data))) {
      text = clipboard;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return !text.empty();
}

bool Keyboard::SetClipboardText(const std::u16string& text) const {
  if (!OpenClipboard(window_)) return false;
  EmptyClipboard();
  size_t bytes = (text.size() + 1) * sizeof(char16_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  void* memory = GlobalLock(block);
  if (!memory) {
    GlobalFree(block);
    CloseClipboard();
    return false;
  }
  std::memcpy(memory, text.data(), text.size() * sizeof(char16_t));
  GlobalUnlock(block);
  // The clipboard takes the block only when it accepts it.
  if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);
  CloseClipboard();
  return true;
}

}  // namespace input
