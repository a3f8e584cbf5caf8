// Where a device shows its back buffer inside a window's drawable: the
// largest rectangle of the back buffer's shape, centred, with bars around it.
// The device publishes it at each frame, so that pointer positions in the
// window map back to the picture's own pixels.
#pragma once

struct SDL_Window;

namespace platform {

struct Presentation {
  int backWidth = 0, backHeight = 0;  // the back buffer
  int x = 0, y = 0;                   // the picture in the drawable, from its top left
  int width = 0, height = 0;
};

// The back buffer placed in a drawable of the given size, keeping its shape.
Presentation Letterbox(int backWidth, int backHeight, int drawableWidth, int drawableHeight);

void SetPresentation(SDL_Window* window, const Presentation& presentation);
void ForgetPresentation(SDL_Window* window);
// A position in the window's drawable as a position in the back buffer
// (outside it beside the picture); unchanged for a window without a device.
void MapToBackBuffer(SDL_Window* window, int& x, int& y);

}  // namespace platform
