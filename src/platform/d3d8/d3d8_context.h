// OpenGL names belong to the context that made them and die with it, and the
// next context hands the same names out again. Each device's context has a
// serial number, never reused, and the current one is recorded here, so that
// a texture can tell whether its names are still its own.
#pragma once
#include <cstdint>

namespace platform::d3d8 {

uint64_t NewContextSerial();
// 0 while no device's context is current.
uint64_t CurrentContextSerial();
void SetCurrentContextSerial(uint64_t serial);

}  // namespace platform::d3d8
