#include "core/input/input.h"

#include "core/input/input_error.h"
#include "core/input/keyboard.h"
#include "core/log.h"
#include "core/input/mouse.h"
#include "platform/input/dinput.h"

namespace input {

// The log is made first so that it is still there when this record says goodbye at exit.
Input::Input() { GetLog(); }

Input::~Input() {
  mouse_.reset();
  keyboard_.reset();
  if (directInput_) directInput_->Release();
  LOG_LINE(MSG_INIT, "Shutting down input");
}

bool Input::Init(HWND window) {
  if (directInput_) return true;  // once per run: listeners hold on to the devices
  void* created = nullptr;
  HRESULT result = DirectInput8Create(nullptr, DIRECTINPUT_VERSION, IID_IDirectInput8, &created, nullptr);
  if (FAILED(result)) {
    LOG_INPUT_ERROR(result, "Unable to Create DI8 Object");
    return false;
  }
  directInput_ = static_cast<IDirectInput8*>(created);
  mouse_ = std::make_unique<Mouse>(directInput_, true, window);
  keyboard_ = std::make_unique<Keyboard>(directInput_, window);
  return true;
}

Input& GetInput() {
  static Input input;
  return input;
}

}  // namespace input
