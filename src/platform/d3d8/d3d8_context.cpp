#include "platform/d3d8/d3d8_context.h"

namespace platform::d3d8 {
namespace {

uint64_t g_lastSerial = 0;
uint64_t g_currentSerial = 0;

}  // namespace

uint64_t NewContextSerial() { return ++g_lastSerial; }
uint64_t CurrentContextSerial() { return g_currentSerial; }
void SetCurrentContextSerial(uint64_t serial) { g_currentSerial = serial; }

}  // namespace platform::d3d8
