// libFuzzer target: a whole SWF movie read and then played through its own
// movie root for a few frames, the mouse moving and pressing as the input's
// last bytes say, and drawn after every step: the sprite, button and
// display-list code meets whatever the loaders built. The script limits are
// as low as the action target's, so that endless scripts end quickly. Seeds:
// the SWF test movies, plain and compressed.
#include <cstddef>
#include <cstdint>

#include "fuzz_target.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/movie/movie_library.h"
#include "swf/stage/movie_root.h"
#include "swf_input.h"

namespace {
constexpr int kSteps = 12;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::LimitScripts();
  fuzz::SwfInput input(data, size);
  swf::movie_definition_sub* movie = swf::load_movie_file(fuzz::SwfInput::kPath);
  if (!movie) return 0;
  if (swf::movie_root* root = movie->create_root_instance()) {
    for (int step = 0; step < kSteps; ++step) {
      // The movie's own bytes, from its end, steer the mouse.
      const uint8_t steer = size > 0 ? data[size - 1 - step % size] : 0;
      root->set_mouse_state(steer & 0x3F, (steer >> 1) & 0x3F, steer >> 7);
      root->step_time(step % 3 == 0 ? 0.5f : 0.03f);
      root->display();
    }
    root->rewind();
    root->goto_frame_index(0);
    swf::release_ref(root);
  }
  swf::release_ref(movie);
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) { fuzz::AddSwfFixtures(seeds, ".swf"); }
