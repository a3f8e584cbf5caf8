// libFuzzer target: a whole SWF movie read with the engine's sound backend
// installed on a mixer without output, then played for a few frames with the
// mix rendered after each: DefineSound, the ADPCM decoder, StartSound and the
// backend's samples meet whatever the input holds. Seeds: the SWF test
// movies, plain and compressed.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "fuzz_target.h"
#include "platform/audio/bass.h"
#include "platform/audio/bass_testing.h"
#include "swf/movie/movie_definition_sub.h"
#include "swf/movie/movie_library.h"
#include "swf/sound/sound_backend_bass.h"
#include "swf/stage/movie_root.h"
#include "swf_input.h"

namespace {
constexpr int kSteps = 6;
constexpr size_t kMixFrames = 256;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::LimitScripts();
  platform::testing::SetOfflineMixing(true);
  if (!BASS_Init(0, 44100, 0, nullptr, nullptr)) return 0;
  {
    std::unique_ptr<swf::sound_backend> backend(swf::create_sound_backend_bass());
    swf::set_sound_backend(backend.get());
    fuzz::SwfInput input(data, size);
    std::vector<int16_t> mix(2 * kMixFrames);
    if (swf::movie_definition_sub* movie = swf::load_movie_file(fuzz::SwfInput::kPath)) {
      if (swf::movie_root* root = movie->create_root_instance()) {
        for (int step = 0; step < kSteps; ++step) {
          root->step_time(0.1f);
          platform::testing::RenderMix(mix.data(), kMixFrames);
        }
        swf::release_ref(root);
      }
      swf::release_ref(movie);
    }
    swf::set_sound_backend(nullptr);
  }
  BASS_Free();
  return 0;
}

void WriteSeeds(fuzz::Seeds& seeds) { fuzz::AddSwfFixtures(seeds, ".swf"); }
