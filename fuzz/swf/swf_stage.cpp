// libFuzzer target: a whole SWF movie read and then played through its own
// movie root for a few frames, the mouse moving and pressing as the input's
// last bytes say, and drawn after every step on an offscreen device through
// the real render backend, as the movie widget draws it: the sprite, button
// and display-list code meets whatever the loaders built, and the bitmaps and
// shapes are uploaded. Then the movie is destroyed as the widget does, so
// unload handlers run against the root that is going. The script limits are
// as low as the action target's, so that endless scripts end quickly. Seeds:
// the SWF test movies, plain and compressed.
#include <cstddef>
#include <cstdint>

#include "fuzz_target.h"
#include "render/dx8/dx8_graphics.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/movie/movie_library.h"
#include "swf/render/render_backend.h"
#include "swf/render/render_backend_d3d8.h"
#include "swf/stage/movie_root.h"
#include "swf_input.h"

namespace {
constexpr int kSteps = 12;

// An offscreen device and the player's backend on it, as the movie driver
// installs them; kept for the whole run.
bool InstallRenderBackend() {
  Dx8Graphics::Create();
  Dx8Graphics* graphics = GetDx8Graphics();
  if (!graphics->Init() || !graphics->SetDisplayMode(800, 600, false, false)) return false;
  static swf::render_backend_d3d8* backend = swf::create_render_backend_d3d8(graphics->GetDevice());
  swf::set_render_backend(backend);
  return backend != nullptr;
}

void Display(swf::movie_root* root) {
  if (!GetGraphics()->BeginScene()) return;
  root->display();
  GetGraphics()->EndScene();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool installed = InstallRenderBackend();
  if (!installed) return 0;
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
      Display(root);
    }
    root->rewind();
    root->goto_frame_index(0);
    swf::release_ref(root);  // as the widget drops its movie
  }
  swf::release_ref(movie);
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) { fuzz::AddSwfFixtures(seeds, ".swf"); }
