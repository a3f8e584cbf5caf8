// A frame drawn without a camera: the scene begun on the graphics device and
// cleared to black, then ended and presented.
#pragma once

class Graphics;

namespace gameflow {

// False when the scene could not begin (a lost device); nothing is cleared then.
bool BeginPlainFrame(Graphics& graphics);
// Ends the scene and presents it; false when presenting failed.
bool EndPlainFrame(Graphics& graphics);

}  // namespace gameflow
