// A whole frame drawn outside the main loop, as start-up draws its splash
// pages and loading frames: filtered for the frame, the default render
// states, the target cleared to one colour, the drawing, then presented.
#pragma once
#include <cstdint>
#include <functional>

// Nothing without graphics; nothing drawn or presented when the scene does
// not begin. The filtering switch is left as it was.
void DrawStartupFrame(uint32_t clearColour, const std::function<void()>& draw);
