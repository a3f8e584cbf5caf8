// Shared by the input tests: a DirectInput interface over the layer's seam,
// and a capture of the log lines written meanwhile.
#pragma once
#include <gtest/gtest.h>

#include "log_capture.h"
#include "platform/input/dinput.h"
#include "platform/input/dinput_testing.h"

namespace input_test {

class InputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::testing::ClearDirectInputFailures();
    platform::testing::ResetInputState();
    void* created = nullptr;
    ASSERT_EQ(DirectInput8Create(nullptr, DIRECTINPUT_VERSION, IID_IDirectInput8, &created, nullptr),
              DI_OK);
    directInput_ = static_cast<IDirectInput8*>(created);
  }
  void TearDown() override {
    if (directInput_) directInput_->Release();
    platform::testing::ClearDirectInputFailures();
    platform::testing::ResetInputState();
  }

  LogCapture log_;
  IDirectInput8* directInput_ = nullptr;
};

}  // namespace input_test
