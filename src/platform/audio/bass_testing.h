// Test seam for the sound layer: render the mix into memory and look at
// channels.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/audio/bass.h"

namespace platform::testing {

struct MixerChannelInfo {
  bool exists = false;  // false for unknown and freed handles
  bool playing = false;
  bool isMusic = false;
  HSAMPLE sample = 0;  // the sample a sample channel plays
  int volume = 0;
  int pan = 0;
  int freq = 0;        // sample channels only
  DWORD flags = 0;     // modules only: the flags they were loaded with
  int order = -1;      // modules only
  int row = -1;
};

// While on, the output device plays silence and only RenderMix advances the
// mix, so a test sees every frame.
void SetOfflineMixing(bool offline);
// Mixes `frames` stereo frames into `out` (2 x frames values) as the device
// would; silence when the sound system is not started.
void RenderMix(int16_t* out, size_t frames);
MixerChannelInfo InspectChannel(DWORD channel);

}  // namespace platform::testing
