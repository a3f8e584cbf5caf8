#include "swf/sound/sound_backend.h"

namespace swf {
namespace {
sound_backend* g_backend = nullptr;
}

void set_sound_backend(sound_backend* backend) { g_backend = backend; }
sound_backend* get_sound_backend() { return g_backend; }

}  // namespace swf
