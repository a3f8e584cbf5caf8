#include "swf/sound/sound_backend.h"

#include <atomic>

namespace swf {
namespace {
sound_backend* g_backend = nullptr;
std::atomic<uint64_t> g_last_serial{0};
}  // namespace

sound_backend::sound_backend() : serial_(++g_last_serial) {}

void set_sound_backend(sound_backend* backend) { g_backend = backend; }
sound_backend* get_sound_backend() { return g_backend; }

}  // namespace swf
