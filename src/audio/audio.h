// The sound system: sound files loaded into samples, sound effects played by
// sound-set name, one piece of music at a time (modules, or Ogg and MP3 files
// played as streams), the effect and music volumes, and named music segments
// (positions inside a module) from "sounds/segments.lua".
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "core/text/named_registry.h"
#include "platform/audio/bass.h"
#include "platform/lua/luaplus.h"

namespace audio {

class AudioSet;

struct LoadedSample {
  HSAMPLE handle = 0;
  uint32_t key = 0;  // the registry key of the file name
  std::string fileName;
};

struct AudioSegment {
  std::string name;
  std::string file;
  int order = 0;
  int row = 0;
  float bias = 1.0f;
};

// Samples are registered by file name; the sample key handed out is the
// registry key of that name.
class Audio : public NamedRegistry<LoadedSample> {
 public:
  Audio();
  ~Audio() override;

  // Starts the sound system and loads the sound bank and the segments.
  void Init(const std::string& soundBankFile);

  // The sample key, or 0 when the file cannot be read or decoded. A file
  // loaded before keeps the loop setting of its first load.
  uint32_t LoadSound(const std::string& fileName, bool loop);
  // At SFX volume x 0.6 x factor; 0 when muted or nothing plays.
  HCHANNEL PlaySample(uint32_t sampleKey, float factor);
  // Whether a channel of the sample is playing; false for an unknown key.
  bool IsSamplePlaying(uint32_t sampleKey) const;
  // Whether the channel (music or sample) is playing; false for 0 or a channel
  // that has ended or been freed.
  bool IsChannelPlaying(DWORD channel) const;
  // Plays a sound set: its channel, 0 when nothing played, -1 for an unknown set.
  int PlaySound(const std::string& setName);
  // The music channel afterwards. The music already playing under that name
  // (any letter case) goes on untouched. The factor sets the music scale of
  // ogg and mp3 music; a module plays at the scale the last of those left.
  DWORD PlayMusic(const std::string& fileName, float factor, bool loop);
  void StopSound(DWORD channel);
  // Stops and frees the music.
  void StopAll();
  void PlayCD(int unused);

  void SetSFXVolume(int volume) { sfxVolume_ = volume; }
  int GetSFXVolume() const { return sfxVolume_; }
  void SetMusicVolume(int volume);
  int GetMusicVolume() const { return musicVolume_; }

  void LoadSegments(const std::string& fileName);
  void PlaySegment(const std::string& name);

  // Set on module music; runs on the mixing thread and changes nothing.
  static void MusicSyncCallback(HSYNC sync, DWORD channel, DWORD data, void* user);

  // The class "Audio" and the global "GetAudio".
  static void RegisterLua(LuaPlus::LuaState* state);

 private:
  const LoadedSample* SampleOf(uint32_t sampleKey) const;
  void StartModule(const std::string& fileName, bool loop);
  // Ogg and MP3 music, streamed from the file as it plays.
  void StartStream(const std::string& fileName, float factor, bool loop);
  // Stops and frees the music channel and forgets the segment it played.
  void StopMusic();

  static constexpr float kSfxScale = 0.6f;

  DWORD musicChannel_ = 0;
  std::unique_ptr<AudioSet> soundBank_;
  int sfxVolume_ = 70;
  int musicVolume_ = 70;
  std::string currentMusic_;
  float musicScale_ = 1.0f;
  NamedRegistry<AudioSegment> segments_;
  std::string currentSegment_;
};

// The process-wide sound system, created on first use.
Audio& GetAudio();

}  // namespace audio
