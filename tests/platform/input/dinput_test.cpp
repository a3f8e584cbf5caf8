#include "platform/input/dinput.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/d3dx/dxerr8.h"
#include "platform/input/dinput_keymap.h"
#include "platform/input/dinput_testing.h"

namespace {
using platform::testing::FeedKey;
using platform::testing::FeedMouseButton;
using platform::testing::FeedMouseMotion;
using platform::testing::FeedMouseWheel;

TEST(DirectInputKeyCodes, KeysTheGameBindsHaveTheirCodes) {
  struct Case {
    SDL_Scancode key;
    int code;
  };
  const Case cases[] = {
      {SDL_SCANCODE_ESCAPE, 1},    {SDL_SCANCODE_BACKSPACE, 14}, {SDL_SCANCODE_TAB, 15},
      {SDL_SCANCODE_RETURN, 28},   {SDL_SCANCODE_GRAVE, 41},     {SDL_SCANCODE_LSHIFT, 42},
      {SDL_SCANCODE_RSHIFT, 54},   {SDL_SCANCODE_F2, 60},        {SDL_SCANCODE_F3, 61},
      {SDL_SCANCODE_UP, 200},      {SDL_SCANCODE_LEFT, 203},     {SDL_SCANCODE_RIGHT, 205},
      {SDL_SCANCODE_DOWN, 208},    {SDL_SCANCODE_INSERT, 210},   {SDL_SCANCODE_A, 30},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(SDL_GetScancodeName(c.key));
    EXPECT_EQ(platform::DikFromScancode(c.key), c.code);
    EXPECT_EQ(platform::ScancodeFromDik(static_cast<uint8_t>(c.code)), c.key);
  }
}

TEST(DirectInputKeyCodes, TableIsOneToOneBothWays) {
  int mapped = 0;
  for (int code = 0; code < 256; ++code) {
    SDL_Scancode key = platform::ScancodeFromDik(static_cast<uint8_t>(code));
    if (key == SDL_SCANCODE_UNKNOWN) continue;
    ++mapped;
    EXPECT_EQ(platform::DikFromScancode(key), code) << SDL_GetScancodeName(key);
  }
  EXPECT_GT(mapped, 100);
  EXPECT_EQ(platform::DikFromScancode(SDL_SCANCODE_UNKNOWN), 0);
  EXPECT_EQ(platform::DikFromScancode(static_cast<SDL_Scancode>(SDL_NUM_SCANCODES + 5)), 0);
}

TEST(DirectInputCreate, RefusesWrongVersionInterfaceAndDevice) {
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(DirectInput8Create(nullptr, 0x0700, IID_IDirectInput8, &out, nullptr),
            DIERR_OLDDIRECTINPUTVERSION);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(DirectInput8Create(nullptr, 0x0900, IID_IDirectInput8, &out, nullptr),
            DIERR_BETADIRECTINPUTVERSION);
  EXPECT_EQ(DirectInput8Create(nullptr, DIRECTINPUT_VERSION, GUID_SysMouse, &out, nullptr),
            DIERR_NOINTERFACE);
  EXPECT_EQ(DirectInput8Create(nullptr, DIRECTINPUT_VERSION, IID_IDirectInput8, nullptr, nullptr),
            DIERR_INVALIDPARAM);

  ASSERT_EQ(DirectInput8Create(nullptr, DIRECTINPUT_VERSION, IID_IDirectInput8, &out, nullptr), DI_OK);
  auto* directInput = static_cast<IDirectInput8*>(out);
  IDirectInputDevice8* device = reinterpret_cast<IDirectInputDevice8*>(1);
  EXPECT_EQ(directInput->CreateDevice(IID_IDirectInput8, &device, nullptr), DIERR_DEVICENOTREG);
  EXPECT_EQ(device, nullptr);
  EXPECT_EQ(directInput->Release(), 0u);
}

class DeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::testing::ResetInputState();
    void* out = nullptr;
    ASSERT_EQ(DirectInput8Create(nullptr, DIRECTINPUT_VERSION, IID_IDirectInput8, &out, nullptr),
              DI_OK);
    directInput_ = static_cast<IDirectInput8*>(out);
    ASSERT_EQ(directInput_->CreateDevice(GUID_SysKeyboard, &keyboard_, nullptr), DI_OK);
    ASSERT_EQ(directInput_->CreateDevice(GUID_SysMouse, &mouse_, nullptr), DI_OK);
  }
  void TearDown() override {
    keyboard_->Release();
    mouse_->Release();
    directInput_->Release();
    platform::testing::ResetInputState();
  }

  HRESULT SetBuffer(DWORD size) {
    DIPROPDWORD property{};
    property.diph = {sizeof(DIPROPDWORD), sizeof(DIPROPHEADER), 0, DIPH_DEVICE};
    property.dwData = size;
    return keyboard_->SetProperty(DIPROP_BUFFERSIZE, &property.diph);
  }

  void ReadyKeyboard(DWORD bufferSize) {
    ASSERT_EQ(keyboard_->SetDataFormat(&c_dfDIKeyboard), DI_OK);
    ASSERT_EQ(keyboard_->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DI_OK);
    ASSERT_EQ(SetBuffer(bufferSize), DI_OK);
    ASSERT_EQ(keyboard_->Acquire(), DI_OK);
  }

  void ReadyMouse() {
    ASSERT_EQ(mouse_->SetDataFormat(&c_dfDIMouse2), DI_OK);
    ASSERT_EQ(mouse_->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND), DI_OK);
    ASSERT_EQ(mouse_->Acquire(), DI_OK);
  }

  // Codes and down flags of the buffered key events, as "30+ 30-".
  std::string ReadKeys(HRESULT expected = DI_OK) {
    DIDEVICEOBJECTDATA events[16];
    DWORD count = 16;
    EXPECT_EQ(keyboard_->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), events, &count, 0), expected);
    std::string keys;
    for (DWORD i = 0; i < count; ++i)
      keys += std::to_string(events[i].dwOfs) + (events[i].dwData & 0x80 ? "+ " : "- ");
    return keys;
  }

  DIMOUSESTATE2 ReadMouse() {
    DIMOUSESTATE2 state{};
    EXPECT_EQ(mouse_->GetDeviceState(sizeof state, &state), DI_OK);
    return state;
  }

  IDirectInput8* directInput_ = nullptr;
  IDirectInputDevice8* keyboard_ = nullptr;
  IDirectInputDevice8* mouse_ = nullptr;
};

TEST_F(DeviceTest, KeyboardBuffersKeyEventsWhileAcquired) {
  FeedKey(SDL_SCANCODE_A, true);  // before the acquire: not this device's
  ReadyKeyboard(8);
  FeedKey(SDL_SCANCODE_A, false);
  FeedKey(SDL_SCANCODE_F3, true);
  FeedKey(SDL_SCANCODE_F3, false);
  FeedKey(SDL_SCANCODE_NONUSHASH, true);  // no code of its own: shares Backslash's
  EXPECT_EQ(ReadKeys(), "30- 61+ 61- 43+ ");
  EXPECT_EQ(ReadKeys(), "");
  EXPECT_EQ(keyboard_->Unacquire(), DI_OK);
  FeedKey(SDL_SCANCODE_B, true);
  EXPECT_EQ(ReadKeys(DIERR_NOTACQUIRED), "");
  EXPECT_EQ(keyboard_->Acquire(), DI_OK);
  EXPECT_EQ(ReadKeys(), "");
}

SDL_Event KeyDown(SDL_Scancode key, bool repeat) {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.state = SDL_PRESSED;
  event.key.repeat = repeat ? 1 : 0;
  event.key.keysym.scancode = key;
  return event;
}

TEST_F(DeviceTest, SdlKeyRepeatsAndUnknownKeysAreDropped) {
  ReadyKeyboard(8);
  platform::testing::FeedInputEvent(KeyDown(SDL_SCANCODE_A, true));
  platform::testing::FeedInputEvent(KeyDown(SDL_SCANCODE_AC_BOOKMARKS, false));
  EXPECT_EQ(ReadKeys(), "");
}

TEST_F(DeviceTest, EventsFromTheSdlQueueArriveThroughTheRouter) {
  ReadyKeyboard(8);
  SDL_Event press = KeyDown(SDL_SCANCODE_ESCAPE, false);
  SDL_Event repeat = KeyDown(SDL_SCANCODE_ESCAPE, true);
  ASSERT_EQ(SDL_PushEvent(&press), 1);
  ASSERT_EQ(SDL_PushEvent(&repeat), 1);
  EXPECT_EQ(ReadKeys(), "1+ ");  // the read pumps the queue itself
}

TEST_F(DeviceTest, FullBufferKeepsTheOldestAndReportsTheOverflow) {
  ReadyKeyboard(2);
  FeedKey(SDL_SCANCODE_1, true);
  FeedKey(SDL_SCANCODE_2, true);
  FeedKey(SDL_SCANCODE_3, true);
  EXPECT_EQ(ReadKeys(DI_BUFFEROVERFLOW), "2+ 3+ ");
  EXPECT_EQ(ReadKeys(DI_OK), "");
}

TEST_F(DeviceTest, SetUpIsCheckedAsTheInterfaceDoes) {
  EXPECT_EQ(keyboard_->Acquire(), DIERR_INVALIDPARAM);  // no data format yet
  EXPECT_EQ(keyboard_->SetDataFormat(&c_dfDIMouse2), DIERR_INVALIDPARAM);
  EXPECT_EQ(mouse_->SetDataFormat(&c_dfDIKeyboard), DIERR_INVALIDPARAM);
  struct Level {
    DWORD flags;
    HRESULT result;
  };
  const Level levels[] = {
      {DISCL_FOREGROUND, DIERR_INVALIDPARAM},
      {DISCL_NONEXCLUSIVE, DIERR_INVALIDPARAM},
      {DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE | DISCL_BACKGROUND, DIERR_INVALIDPARAM},
      {DISCL_NONEXCLUSIVE | DISCL_FOREGROUND | DISCL_BACKGROUND, DIERR_INVALIDPARAM},
      {DISCL_NONEXCLUSIVE | DISCL_FOREGROUND, DI_OK},
      {DISCL_EXCLUSIVE | DISCL_BACKGROUND, DI_OK},
  };
  for (const Level& level : levels)
    EXPECT_EQ(mouse_->SetCooperativeLevel(nullptr, level.flags), level.result) << level.flags;
  EXPECT_EQ(SetBuffer(1u << 20), DIERR_INVALIDPARAM);
  DIPROPHEADER shortHeader{sizeof(DIPROPHEADER), sizeof(DIPROPHEADER), 0, DIPH_DEVICE};
  EXPECT_EQ(keyboard_->SetProperty(DIPROP_BUFFERSIZE, &shortHeader), DIERR_INVALIDPARAM);

  ReadyKeyboard(4);
  EXPECT_EQ(keyboard_->Acquire(), DI_NOEFFECT);
  EXPECT_EQ(keyboard_->SetDataFormat(&c_dfDIKeyboard), DIERR_ACQUIRED);
  EXPECT_EQ(keyboard_->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND),
            DIERR_ACQUIRED);
  EXPECT_EQ(SetBuffer(8), DIERR_ACQUIRED);
  DIMOUSESTATE2 state{};
  EXPECT_EQ(keyboard_->GetDeviceState(sizeof state, &state), DIERR_INVALIDPARAM);
  EXPECT_EQ(keyboard_->Unacquire(), DI_OK);
  EXPECT_EQ(keyboard_->Unacquire(), DI_NOEFFECT);
}

TEST_F(DeviceTest, MouseStateSumsMovementAndWheelSinceTheLastRead) {
  ReadyMouse();
  FeedMouseMotion(3, -2);
  FeedMouseMotion(4, 7);
  FeedMouseWheel(1);
  FeedMouseWheel(-3);
  DIMOUSESTATE2 state = ReadMouse();
  EXPECT_EQ(state.lX, 7);
  EXPECT_EQ(state.lY, 5);
  EXPECT_EQ(state.lZ, -240);  // 120 a notch
  state = ReadMouse();
  EXPECT_EQ(state.lX, 0);
  EXPECT_EQ(state.lY, 0);
  EXPECT_EQ(state.lZ, 0);
  EXPECT_EQ(mouse_->GetDeviceState(sizeof(DIMOUSESTATE2) - 1, &state), DIERR_INVALIDPARAM);
}

TEST_F(DeviceTest, MouseButtonsInDirectInputOrderAndTapsAreNeverLost) {
  ReadyMouse();
  struct Case {
    uint8_t sdlButton;
    int index;
  };
  const Case cases[] = {{SDL_BUTTON_LEFT, 0}, {SDL_BUTTON_RIGHT, 1}, {SDL_BUTTON_MIDDLE, 2},
                        {SDL_BUTTON_X1, 3},   {SDL_BUTTON_X2, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    FeedMouseButton(c.sdlButton, true);
    EXPECT_EQ(ReadMouse().rgbButtons[c.index], 0x80);
    EXPECT_EQ(ReadMouse().rgbButtons[c.index], 0x80);
    FeedMouseButton(c.sdlButton, false);
    EXPECT_EQ(ReadMouse().rgbButtons[c.index], 0);
    // Down and up between two reads: down once, then up.
    FeedMouseButton(c.sdlButton, true);
    FeedMouseButton(c.sdlButton, false);
    EXPECT_EQ(ReadMouse().rgbButtons[c.index], 0x80);
    EXPECT_EQ(ReadMouse().rgbButtons[c.index], 0);
  }
}

TEST(DirectInputErrorNames, NamesTheCodesTheLayerReturns) {
  EXPECT_STREQ(DXGetErrorString8(DI_OK), "S_OK");
  EXPECT_STREQ(DXGetErrorString8(DIERR_NOTACQUIRED), "DIERR_NOTACQUIRED");
  EXPECT_STREQ(DXGetErrorString8(DIERR_INVALIDPARAM), "E_INVALIDARG");
  EXPECT_STREQ(DXGetErrorString8(0x12345678), "Unknown");
}

}  // namespace
