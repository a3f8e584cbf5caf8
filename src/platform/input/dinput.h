// Keyboard and mouse devices in the shape of DirectInput 8, fed from SDL's
// input events. The keyboard is read as buffered key events, the mouse as an
// immediate state of movement, wheel and buttons since the last read.
// Only what the engine calls is declared.
#pragma once
#include <cstdint>

#include "platform/d3dx/hresult.h"
#include "platform/window/win32.h"

typedef uint8_t BYTE;

#define DIRECTINPUT_VERSION 0x0800

struct GUID {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
};
typedef const GUID& REFGUID;
typedef const GUID& REFIID;

extern const GUID IID_IDirectInput8;
extern const GUID GUID_SysKeyboard;
extern const GUID GUID_SysMouse;

// Result codes; the values are the platform's.
enum : HRESULT {
  DI_OK = S_OK,
  DI_NOEFFECT = S_FALSE,
  DI_BUFFEROVERFLOW = S_FALSE,
  DIERR_GENERIC = E_FAIL,
  DIERR_INVALIDPARAM = E_INVALIDARG,
  DIERR_NOINTERFACE = E_NOINTERFACE,
  DIERR_OUTOFMEMORY = E_OUTOFMEMORY,
  DIERR_OTHERAPPHASPRIO = E_ACCESSDENIED,
  DIERR_NOTACQUIRED = static_cast<HRESULT>(0x8007000Cu),
  DIERR_ACQUIRED = static_cast<HRESULT>(0x800700AAu),
  DIERR_DEVICENOTREG = static_cast<HRESULT>(0x80040154u),
  DIERR_OLDDIRECTINPUTVERSION = static_cast<HRESULT>(0x8007047Eu),
  DIERR_BETADIRECTINPUTVERSION = static_cast<HRESULT>(0x80070481u),
  DIERR_NOTBUFFERED = static_cast<HRESULT>(0x80040207u),
};

// Cooperative levels: exactly one of exclusive and non-exclusive, and one of
// foreground and background.
enum : DWORD {
  DISCL_EXCLUSIVE = 0x01,
  DISCL_NONEXCLUSIVE = 0x02,
  DISCL_FOREGROUND = 0x04,
  DISCL_BACKGROUND = 0x08,
};

// Data formats. A device accepts only the format of its own kind.
struct DIDATAFORMAT {
  DWORD dwDataSize;  // bytes of one immediate state
};
extern const DIDATAFORMAT c_dfDIKeyboard;
extern const DIDATAFORMAT c_dfDIMouse2;

// Properties.
enum DIPROP : uintptr_t { DIPROP_BUFFERSIZE = 1 };
enum : DWORD { DIPH_DEVICE = 0 };
struct DIPROPHEADER {
  DWORD dwSize;
  DWORD dwHeaderSize;
  DWORD dwObj;
  DWORD dwHow;
};
struct DIPROPDWORD {
  DIPROPHEADER diph;
  DWORD dwData;
};

// One buffered event: for the keyboard the key code and 0x80 in the data
// when the key went down.
struct DIDEVICEOBJECTDATA {
  DWORD dwOfs;
  DWORD dwData;
  DWORD dwTimeStamp;  // milliseconds of the event
  DWORD dwSequence;
  uintptr_t uAppData;
};

// The mouse's immediate state: movement and wheel since the last read (the
// wheel in units of 120 per notch, positive away from the user), and bit 7
// of each button byte while the button is down (0 left, 1 right, 2 middle).
struct DIMOUSESTATE2 {
  LONG lX;
  LONG lY;
  LONG lZ;
  BYTE rgbButtons[8];
};

class IDirectInputDevice8 {
 public:
  virtual DWORD Release() = 0;
  virtual HRESULT SetDataFormat(const DIDATAFORMAT* format) = 0;
  virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
  virtual HRESULT SetProperty(DIPROP property, const DIPROPHEADER* header) = 0;
  virtual HRESULT Acquire() = 0;
  virtual HRESULT Unacquire() = 0;
  virtual HRESULT Poll() = 0;
  // The mouse state; reading it starts the movement and wheel counts afresh.
  virtual HRESULT GetDeviceState(DWORD size, void* state) = 0;
  // Takes up to *count buffered events, oldest first; *count becomes the number taken.
  virtual HRESULT GetDeviceData(DWORD objectSize, DIDEVICEOBJECTDATA* data, DWORD* count,
                                DWORD flags) = 0;

 protected:
  virtual ~IDirectInputDevice8() = default;
};

class IDirectInput8 {
 public:
  virtual DWORD Release() = 0;
  virtual HRESULT CreateDevice(REFGUID kind, IDirectInputDevice8** device, void* outer) = 0;

 protected:
  virtual ~IDirectInput8() = default;
};

HRESULT DirectInput8Create(HINSTANCE instance, DWORD version, REFIID iid, void** out, void* outer);

// Key codes: the engine's key vocabulary (scripts bind keys by these numbers).
enum : uint8_t {
  DIK_ESCAPE = 0x01,
  DIK_1 = 0x02,
  DIK_2 = 0x03,
  DIK_3 = 0x04,
  DIK_4 = 0x05,
  DIK_5 = 0x06,
  DIK_6 = 0x07,
  DIK_7 = 0x08,
  DIK_8 = 0x09,
  DIK_9 = 0x0A,
  DIK_0 = 0x0B,
  DIK_MINUS = 0x0C,
  DIK_EQUALS = 0x0D,
  DIK_BACK = 0x0E,
  DIK_TAB = 0x0F,
  DIK_Q = 0x10,
  DIK_W = 0x11,
  DIK_E = 0x12,
  DIK_R = 0x13,
  DIK_T = 0x14,
  DIK_Y = 0x15,
  DIK_U = 0x16,
  DIK_I = 0x17,
  DIK_O = 0x18,
  DIK_P = 0x19,
  DIK_LBRACKET = 0x1A,
  DIK_RBRACKET = 0x1B,
  DIK_RETURN = 0x1C,
  DIK_LCONTROL = 0x1D,
  DIK_A = 0x1E,
  DIK_S = 0x1F,
  DIK_D = 0x20,
  DIK_F = 0x21,
  DIK_G = 0x22,
  DIK_H = 0x23,
  DIK_J = 0x24,
  DIK_K = 0x25,
  DIK_L = 0x26,
  DIK_SEMICOLON = 0x27,
  DIK_APOSTROPHE = 0x28,
  DIK_GRAVE = 0x29,
  DIK_LSHIFT = 0x2A,
  DIK_BACKSLASH = 0x2B,
  DIK_Z = 0x2C,
  DIK_X = 0x2D,
  DIK_C = 0x2E,
  DIK_V = 0x2F,
  DIK_B = 0x30,
  DIK_N = 0x31,
  DIK_M = 0x32,
  DIK_COMMA = 0x33,
  DIK_PERIOD = 0x34,
  DIK_SLASH = 0x35,
  DIK_RSHIFT = 0x36,
  DIK_MULTIPLY = 0x37,
  DIK_LMENU = 0x38,
  DIK_SPACE = 0x39,
  DIK_CAPITAL = 0x3A,
  DIK_F1 = 0x3B,
  DIK_F2 = 0x3C,
  DIK_F3 = 0x3D,
  DIK_F4 = 0x3E,
  DIK_F5 = 0x3F,
  DIK_F6 = 0x40,
  DIK_F7 = 0x41,
  DIK_F8 = 0x42,
  DIK_F9 = 0x43,
  DIK_F10 = 0x44,
  DIK_NUMLOCK = 0x45,
  DIK_SCROLL = 0x46,
  DIK_NUMPAD7 = 0x47,
  DIK_NUMPAD8 = 0x48,
  DIK_NUMPAD9 = 0x49,
  DIK_SUBTRACT = 0x4A,
  DIK_NUMPAD4 = 0x4B,
  DIK_NUMPAD5 = 0x4C,
  DIK_NUMPAD6 = 0x4D,
  DIK_ADD = 0x4E,
  DIK_NUMPAD1 = 0x4F,
  DIK_NUMPAD2 = 0x50,
  DIK_NUMPAD3 = 0x51,
  DIK_NUMPAD0 = 0x52,
  DIK_DECIMAL = 0x53,
  DIK_OEM_102 = 0x56,
  DIK_F11 = 0x57,
  DIK_F12 = 0x58,
  DIK_F13 = 0x64,
  DIK_F14 = 0x65,
  DIK_F15 = 0x66,
  DIK_NUMPADEQUALS = 0x8D,
  DIK_NUMPADENTER = 0x9C,
  DIK_RCONTROL = 0x9D,
  DIK_MUTE = 0xA0,
  DIK_VOLUMEDOWN = 0xAE,
  DIK_VOLUMEUP = 0xB0,
  DIK_NUMPADCOMMA = 0xB3,
  DIK_DIVIDE = 0xB5,
  DIK_SYSRQ = 0xB7,
  DIK_RMENU = 0xB8,
  DIK_PAUSE = 0xC5,
  DIK_HOME = 0xC7,
  DIK_UP = 0xC8,
  DIK_PRIOR = 0xC9,
  DIK_LEFT = 0xCB,
  DIK_RIGHT = 0xCD,
  DIK_END = 0xCF,
  DIK_DOWN = 0xD0,
  DIK_NEXT = 0xD1,
  DIK_INSERT = 0xD2,
  DIK_DELETE = 0xD3,
  DIK_LWIN = 0xDB,
  DIK_RWIN = 0xDC,
  DIK_APPS = 0xDD,
};
