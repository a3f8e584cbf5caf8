// Shared by the input tests: a DirectInput interface over the layer's seam,
// and a capture of the log lines written meanwhile.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/log.h"
#include "platform/dinput.h"
#include "platform/dinput_testing.h"

namespace input_test {

inline std::vector<std::string>& CapturedLines() {
  static std::vector<std::string> lines;
  return lines;
}

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::testing::ClearDirectInputFailures();
    platform::testing::ResetInputState();
    CapturedLines().clear();
    previousHook_ = GetLog().GetHook();
    GetLog().SetHook([](const char* text) { CapturedLines().push_back(text); });
    void* created = nullptr;
    ASSERT_EQ(DirectInput8Create(nullptr, DIRECTINPUT_VERSION, IID_IDirectInput8, &created, nullptr),
              DI_OK);
    directInput_ = static_cast<IDirectInput8*>(created);
  }
  void TearDown() override {
    if (directInput_) directInput_->Release();
    GetLog().SetHook(previousHook_);
    platform::testing::ClearDirectInputFailures();
    platform::testing::ResetInputState();
  }

  // True when some captured log line contains the text.
  static bool Logged(const std::string& text) {
    for (const std::string& line : CapturedLines())
      if (line.find(text) != std::string::npos) return true;
    return false;
  }

  IDirectInput8* directInput_ = nullptr;

 private:
  Log::LineHook previousHook_ = nullptr;
};

}  // namespace input_test
