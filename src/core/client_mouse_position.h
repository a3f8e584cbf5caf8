// Where the frame's message handling last saw the cursor in the window's
// client area: pixels, and fractions of the client size. The mouse reads the
// fractions in absolute mode.
#pragma once
#include <cstdint>

struct ClientMousePosition {
  int32_t x = 0;
  int32_t y = 0;
  float relativeX = 0.0f;
  float relativeY = 0.0f;
};

ClientMousePosition& GetClientMousePosition();
