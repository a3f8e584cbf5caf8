// Sound sets: named groups of sound files, each with a volume factor, read
// from a sound bank file. Playing a set plays one of its files at random.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/text/named_registry.h"

namespace audio {

class Audio;

struct SoundSetEntry {
  std::string fileName;
  uint32_t sampleKey = 0;  // 0 when the file did not load
  float bias = 1.0f;       // 0.1 .. 1
};

struct SoundSet {
  std::string name;
  std::vector<SoundSetEntry> entries;
};

class AudioSet : public NamedRegistry<SoundSet> {
 public:
  // Sets load and play their samples through `audio`.
  explicit AudioSet(Audio& audio);

  // Reads the global table "SoundBank" of the file; the first set of a name wins.
  void Load(const std::string& fileName);
  // The channel that plays, 0 when nothing could play, -1 for an unknown set.
  int PlaySet(const std::string& setName);

 private:
  Audio& audio_;
};

}  // namespace audio
