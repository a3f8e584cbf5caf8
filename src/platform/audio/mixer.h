// The mixer behind the sound library calls: samples, their channels, streams
// and module music, mixed to interleaved 16-bit stereo. Every member takes the
// mixer's own lock, so the device thread and the main thread may call in at
// once; sync procedures run from Mix, on the thread that mixes.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/audio/bass.h"
#include "platform/audio/bass_testing.h"
#include "platform/audio/stream_reader.h"
#include "platform/codecs/module_player.h"
#include "platform/codecs/sound_decoder.h"

namespace platform::sound {

class Mixer {
 public:
  explicit Mixer(int rate);
  ~Mixer();
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  HSAMPLE AddSample(PcmSound pcm, DWORD maxChannels, bool loop);
  HCHANNEL NewSampleChannel(HSAMPLE sample, bool onlyNew);
  // Stops (and so frees) every channel of the sample; false for an unknown one.
  bool StopSample(HSAMPLE sample);
  // Stops the sample's channels and forgets the sample.
  bool FreeSample(HSAMPLE sample);
  HMUSIC AddMusic(std::unique_ptr<ModulePlayer> module, DWORD flags);
  bool FreeMusic(HMUSIC music);
  HSTREAM AddStream(std::unique_ptr<SoundStream> stream, bool loop);
  bool FreeStream(HSTREAM stream);

  bool SetAttributes(DWORD channel, int freq, int volume, int pan);
  bool Play(DWORD channel, bool restart);
  bool Stop(DWORD channel);
  bool IsPlaying(DWORD channel);
  bool GetPosition(DWORD channel, QWORD& bytes);
  bool JumpTo(DWORD music, int order, int row);
  HSYNC AddSync(DWORD channel, QWORD bytes, SYNCPROC* proc, void* user);
  void SetPaused(bool paused);

  void Mix(int16_t* out, size_t frames);

  // The sample's channels not yet freed; false for an unknown sample.
  bool ChannelsOf(HSAMPLE sample, std::vector<HCHANNEL>& channels);

  testing::MixerChannelInfo Inspect(DWORD channel);

 private:
  struct Sample {
    PcmSound pcm;
    DWORD maxChannels;
    bool loop;
  };
  struct Sync {
    HSYNC handle;
    QWORD bytes;
    SYNCPROC* proc;
    void* user;
  };
  struct FiredSync {
    Sync sync;
    DWORD channel;
  };
  // A sample channel, a stream or a module.
  struct Voice {
    HSAMPLE sample = 0;
    std::unique_ptr<StreamReader> stream;
    std::unique_ptr<ModulePlayer> module;
    DWORD musicFlags = 0;
    bool playing = false;
    bool freed = false;  // a sample channel that stopped or ended
    double frame = 0;    // sample channels: position in sample frames
    QWORD musicBytes = 0;
    int freq = 0;  // sample channels and streams
    int volume = 100;
    int pan = 0;
    uint64_t started = 0;  // order of creation or restart, for take-overs
    std::vector<Sync> syncs;
  };

  DWORD NewHandle();
  Voice* FindVoice(DWORD handle);
  QWORD BytePosition(const Voice& voice) const;
  void MixSample(DWORD handle, Voice& voice, float* mix, size_t frames);
  void MixStream(DWORD handle, Voice& voice, float* mix, size_t frames);
  void MixModule(DWORD handle, Voice& voice, float* mix, size_t frames);
  static void AddVoice(const Voice& voice, const float* source, float* mix, size_t frames);
  // Queues the syncs whose position the voice passed going from `from` to `to`.
  void NoteSyncs(const Voice& voice, DWORD handle, QWORD from, QWORD to, bool wrapped);
  void FireSyncs();

  std::recursive_mutex lock_;
  const int rate_;
  bool paused_ = false;
  DWORD lastHandle_ = 0;
  uint64_t startCounter_ = 0;
  std::map<DWORD, Sample> samples_;
  std::map<DWORD, Voice> voices_;
  std::vector<float> mix_;
  std::vector<float> voiceBuffer_;
  std::vector<FiredSync> fired_;
  std::vector<FiredSync> firing_;
};

}  // namespace platform::sound
