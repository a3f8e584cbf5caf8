#include "platform/input/dinput.h"

#include <SDL.h>

#include <algorithm>
#include <deque>
#include <map>
#include <utility>
#include <vector>

#include "platform/input/dinput_keymap.h"
#include "platform/input/dinput_testing.h"
#include "platform/input/input_state.h"
#include "platform/window/sdl_events.h"

const GUID IID_IDirectInput8 = {0xBF798030, 0x483A, 0x4DA2, {0xAA, 0x99, 0x5D, 0x64, 0xED, 0x36, 0x97, 0x00}};
const GUID GUID_SysKeyboard = {0x6F1D2B61, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_SysMouse = {0x6F1D2B60, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

const DIDATAFORMAT c_dfDIKeyboard = {256};
const DIDATAFORMAT c_dfDIMouse2 = {sizeof(DIMOUSESTATE2)};

namespace {
using platform::testing::DInputCall;
using platform::testing::DInputDevice;

constexpr BYTE kDown = 0x80;
constexpr int kWheelUnitsPerNotch = 120;
constexpr int kButtonCount = 8;
// Far beyond what one frame can type; keeps an unread buffer bounded.
constexpr DWORD kMaxBufferSize = 65536;

// The physical state seen in the event stream, whatever the devices do.
struct HeldState {
  platform::KeyboardMoment keyboard;
  uint8_t buttons = 0;  // bit i: DirectInput button i
};
HeldState g_held;
DWORD g_sequence = 0;

// The keyboard right after each of the latest key events, by sequence number:
// a frame that reads its keys late still translates each one with the
// modifiers it was typed with. Four device buffers' worth.
constexpr DWORD kRememberedMoments = 1024;
struct RememberedMoment {
  DWORD sequence = 0;
  bool recorded = false;
  platform::KeyboardMoment keyboard;
};
RememberedMoment g_moments[kRememberedMoments];

std::map<std::pair<DInputCall, DInputDevice>, HRESULT>& Failures() {
  static std::map<std::pair<DInputCall, DInputDevice>, HRESULT> failures;
  return failures;
}

HRESULT InjectedFailure(DInputCall call, DInputDevice device) {
  auto found = Failures().find({call, device});
  return found == Failures().end() ? DI_OK : found->second;
}

bool SameGuid(const GUID& a, const GUID& b) {
  return a.data1 == b.data1 && a.data2 == b.data2 && a.data3 == b.data3 &&
         std::equal(a.data4, a.data4 + 8, b.data4);
}

class Device;
// Never destroyed: devices may be released by other objects' exit handlers.
std::vector<Device*>& Devices() {
  static auto* devices = new std::vector<Device*>;
  return *devices;
}

class Device final : public IDirectInputDevice8 {
 public:
  explicit Device(DInputDevice kind) : kind_(kind) { Devices().push_back(this); }

  DWORD Release() override {
    DWORD left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT SetDataFormat(const DIDATAFORMAT* format) override {
    if (HRESULT failure = InjectedFailure(DInputCall::SetDataFormat, kind_)) return failure;
    if (acquired_) return DIERR_ACQUIRED;
    if (format != (kind_ == DInputDevice::Keyboard ? &c_dfDIKeyboard : &c_dfDIMouse2))
      return DIERR_INVALIDPARAM;
    format_ = format;
    return DI_OK;
  }

  HRESULT SetCooperativeLevel(HWND, DWORD flags) override {
    if (HRESULT failure = InjectedFailure(DInputCall::SetCooperativeLevel, kind_)) return failure;
    if (acquired_) return DIERR_ACQUIRED;
    bool oneSharing = ((flags & DISCL_EXCLUSIVE) != 0) != ((flags & DISCL_NONEXCLUSIVE) != 0);
    bool oneFocus = ((flags & DISCL_FOREGROUND) != 0) != ((flags & DISCL_BACKGROUND) != 0);
    if (!oneSharing || !oneFocus) return DIERR_INVALIDPARAM;
    return DI_OK;
  }

  HRESULT SetProperty(DIPROP property, const DIPROPHEADER* header) override {
    if (HRESULT failure = InjectedFailure(DInputCall::SetProperty, kind_)) return failure;
    if (property != DIPROP_BUFFERSIZE || !header || header->dwSize != sizeof(DIPROPDWORD) ||
        header->dwHeaderSize != sizeof(DIPROPHEADER) || header->dwHow != DIPH_DEVICE)
      return DIERR_INVALIDPARAM;
    if (acquired_) return DIERR_ACQUIRED;
    DWORD size = reinterpret_cast<const DIPROPDWORD*>(header)->dwData;
    if (size > kMaxBufferSize) return DIERR_INVALIDPARAM;
    bufferSize_ = size;
    return DI_OK;
  }

  HRESULT Acquire() override {
    if (HRESULT failure = InjectedFailure(DInputCall::Acquire, kind_)) return failure;
    if (!format_) return DIERR_INVALIDPARAM;
    if (acquired_) return DI_NOEFFECT;
    acquired_ = true;
    // What happened before the acquire is not this device's to report.
    DropPending();
    return DI_OK;
  }

  HRESULT Unacquire() override {
    if (!acquired_) return DI_NOEFFECT;
    acquired_ = false;
    return DI_OK;
  }

  HRESULT Poll() override {
    platform::PumpEvents();
    return acquired_ ? DI_NOEFFECT : DIERR_NOTACQUIRED;
  }

  HRESULT GetDeviceState(DWORD size, void* state) override {
    platform::PumpEvents();
    if (HRESULT failure = InjectedFailure(DInputCall::GetDeviceState, kind_)) return failure;
    if (!acquired_) return DIERR_NOTACQUIRED;
    if (format_ != &c_dfDIMouse2 || size != format_->dwDataSize || !state) return DIERR_INVALIDPARAM;
    DIMOUSESTATE2 mouse{};
    mouse.lX = dx_;
    mouse.lY = dy_;
    mouse.lZ = dz_;
    // A click that went down and up between two reads still shows as down
    // once, so a quick tap is never lost.
    uint8_t shown = g_held.buttons | pressedSinceRead_;
    for (int i = 0; i < kButtonCount; ++i) mouse.rgbButtons[i] = (shown >> i) & 1 ? kDown : 0;
    *static_cast<DIMOUSESTATE2*>(state) = mouse;
    dx_ = dy_ = dz_ = 0;
    pressedSinceRead_ = 0;
    return DI_OK;
  }

  HRESULT GetDeviceData(DWORD objectSize, DIDEVICEOBJECTDATA* data, DWORD* count, DWORD) override {
    platform::PumpEvents();
    if (HRESULT failure = InjectedFailure(DInputCall::GetDeviceData, kind_)) return failure;
    if (!count || objectSize != sizeof(DIDEVICEOBJECTDATA) || (!data && *count > 0))
      return DIERR_INVALIDPARAM;
    DWORD wanted = *count;
    *count = 0;  // a failed read hands out nothing
    if (!acquired_) return DIERR_NOTACQUIRED;
    if (bufferSize_ == 0) return DIERR_NOTBUFFERED;
    DWORD taken = std::min<DWORD>(wanted, static_cast<DWORD>(buffer_.size()));
    std::copy_n(buffer_.begin(), taken, data);
    buffer_.erase(buffer_.begin(), buffer_.begin() + taken);
    *count = taken;
    HRESULT result = overflowed_ ? DI_BUFFEROVERFLOW : DI_OK;
    overflowed_ = false;
    return result;
  }

  DInputDevice Kind() const { return kind_; }
  bool Acquired() const { return acquired_; }

  void AddKey(uint8_t dik, bool down, DWORD time, DWORD sequence) {
    if (bufferSize_ == 0) return;
    if (buffer_.size() >= bufferSize_) {
      overflowed_ = true;  // the newest event is the one lost
      return;
    }
    buffer_.push_back({dik, down ? kDown : 0u, time, sequence, 0});
  }
  void AddMotion(int dx, int dy) {
    dx_ += dx;
    dy_ += dy;
  }
  void AddWheel(int units) { dz_ += units; }
  void AddPress(int button) { pressedSinceRead_ |= static_cast<uint8_t>(1u << button); }
  void DropPending() {
    buffer_.clear();
    overflowed_ = false;
    dx_ = dy_ = dz_ = 0;
    pressedSinceRead_ = 0;
  }

 private:
  ~Device() override { Devices().erase(std::find(Devices().begin(), Devices().end(), this)); }

  DInputDevice kind_;
  DWORD references_ = 1;
  const DIDATAFORMAT* format_ = nullptr;
  bool acquired_ = false;
  DWORD bufferSize_ = 0;
  std::deque<DIDEVICEOBJECTDATA> buffer_;
  bool overflowed_ = false;
  LONG dx_ = 0, dy_ = 0, dz_ = 0;
  uint8_t pressedSinceRead_ = 0;
};

// Visits every acquired device of one kind.
template <typename Visit>
void ForEachAcquired(DInputDevice kind, Visit visit) {
  for (Device* device : Devices())
    if (device->Kind() == kind && device->Acquired()) visit(*device);
}

// SDL numbers buttons left 1, middle 2, right 3, then the side buttons;
// DirectInput numbers them left 0, right 1, middle 2, then the rest.
int ButtonIndexOf(uint8_t sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    default: return sdlButton >= 4 && sdlButton - 1 < kButtonCount ? sdlButton - 1 : -1;
  }
}

void OnKeyEvent(const SDL_KeyboardEvent& event) {
  if (event.repeat) return;  // the engine makes its own repeats
  g_held.keyboard.capsLock = (event.keysym.mod & KMOD_CAPS) != 0;
  uint8_t dik = platform::DikFromScancode(event.keysym.scancode);
  if (dik == 0) return;
  bool down = event.state == SDL_PRESSED;
  g_held.keyboard.keys[dik] = down;
  const DWORD sequence = g_sequence++;
  g_moments[sequence % kRememberedMoments] = {sequence, true, g_held.keyboard};
  ForEachAcquired(DInputDevice::Keyboard,
                  [&](Device& device) { device.AddKey(dik, down, event.timestamp, sequence); });
}

void OnButtonEvent(const SDL_MouseButtonEvent& event) {
  int index = ButtonIndexOf(event.button);
  if (index < 0) return;
  uint8_t bit = static_cast<uint8_t>(1u << index);
  if (event.state == SDL_PRESSED) {
    g_held.buttons |= bit;
    ForEachAcquired(DInputDevice::Mouse, [&](Device& device) { device.AddPress(index); });
  } else {
    g_held.buttons &= static_cast<uint8_t>(~bit);
  }
}

void OnWheelEvent(const SDL_MouseWheelEvent& event) {
  int notches = event.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.y : event.y;
  ForEachAcquired(DInputDevice::Mouse,
                  [&](Device& device) { device.AddWheel(notches * kWheelUnitsPerNotch); });
}

void OnInputEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: OnKeyEvent(event.key); break;
    case SDL_MOUSEMOTION:
      ForEachAcquired(DInputDevice::Mouse,
                      [&](Device& device) { device.AddMotion(event.motion.xrel, event.motion.yrel); });
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: OnButtonEvent(event.button); break;
    case SDL_MOUSEWHEEL: OnWheelEvent(event.wheel); break;
    default: break;  // text comes from the key codes and the keyboard layout
  }
}

class DirectInput final : public IDirectInput8 {
 public:
  DWORD Release() override {
    DWORD left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT CreateDevice(REFGUID kind, IDirectInputDevice8** device, void* outer) override {
    if (!device || outer) return DIERR_INVALIDPARAM;
    *device = nullptr;
    DInputDevice which;
    if (SameGuid(kind, GUID_SysKeyboard)) {
      which = DInputDevice::Keyboard;
    } else if (SameGuid(kind, GUID_SysMouse)) {
      which = DInputDevice::Mouse;
    } else {
      return DIERR_DEVICENOTREG;
    }
    if (HRESULT failure = InjectedFailure(DInputCall::CreateDevice, which)) return failure;
    *device = new Device(which);
    return DI_OK;
  }

 private:
  ~DirectInput() override = default;
  DWORD references_ = 1;
};
}  // namespace

HRESULT DirectInput8Create(HINSTANCE, DWORD version, REFIID iid, void** out, void* outer) {
  if (!out || outer) return DIERR_INVALIDPARAM;
  *out = nullptr;
  if (HRESULT failure = InjectedFailure(DInputCall::Create, DInputDevice::Keyboard)) return failure;
  if (version < DIRECTINPUT_VERSION) return DIERR_OLDDIRECTINPUTVERSION;
  if (version > DIRECTINPUT_VERSION) return DIERR_BETADIRECTINPUTVERSION;
  if (!SameGuid(iid, IID_IDirectInput8)) return DIERR_NOINTERFACE;
  if (!platform::EnsureSdlVideo()) return DIERR_GENERIC;
  platform::SetInputEventSink(OnInputEvent);
  *out = static_cast<IDirectInput8*>(new DirectInput);
  return DI_OK;
}

namespace platform {

KeyboardMoment CurrentKeyboard() { return g_held.keyboard; }

bool KeyboardAtEvent(DWORD sequence, KeyboardMoment& moment) {
  const RememberedMoment& remembered = g_moments[sequence % kRememberedMoments];
  if (!remembered.recorded || remembered.sequence != sequence) return false;
  moment = remembered.keyboard;
  return true;
}

namespace testing {

void FeedInputEvent(const SDL_Event& event) { OnInputEvent(event); }

void FeedKey(SDL_Scancode key, bool down) {
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.scancode = key;
  bool caps = g_held.keyboard.capsLock != (key == SDL_SCANCODE_CAPSLOCK && down);
  event.key.keysym.mod = caps ? KMOD_CAPS : KMOD_NONE;
  event.key.timestamp = SDL_GetTicks();
  OnInputEvent(event);
}

void FeedMouseMotion(int dx, int dy) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.xrel = dx;
  event.motion.yrel = dy;
  OnInputEvent(event);
}

void FeedMouseButton(uint8_t button, bool down) {
  SDL_Event event{};
  event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  event.button.button = button;
  event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  OnInputEvent(event);
}

void FeedMouseWheel(int notches) {
  SDL_Event event{};
  event.type = SDL_MOUSEWHEEL;
  event.wheel.y = notches;
  event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
  OnInputEvent(event);
}

void FailDirectInputCall(DInputCall call, DInputDevice device, HRESULT code) {
  Failures()[{call, call == DInputCall::Create ? DInputDevice::Keyboard : device}] = code;
}

void ClearDirectInputFailures() { Failures().clear(); }

void ResetInputState() {
  g_held = HeldState{};
  for (Device* device : Devices()) device->DropPending();
  for (RememberedMoment& moment : g_moments) moment = RememberedMoment{};
}

}  // namespace testing
}  // namespace platform
