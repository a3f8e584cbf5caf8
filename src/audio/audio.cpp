#include "audio/audio.h"

#include <strings.h>

#include <algorithm>
#include <vector>

#include "audio/audio_set.h"
#include "core/log.h"
#include "core/files/vfs.h"
#include "core/script/lua_records.h"
#include "core/script/script_helper.h"

namespace audio {

namespace {

constexpr int kOutputRate = 44100;
constexpr DWORD kMaxSamplePlaybacks = 10;
// Ogg and MP3 music at or below this volume is not started at all.
constexpr int kMinSampleMusicVolume = 5;

bool SameName(const std::string& a, const std::string& b) {
  return strcasecmp(a.c_str(), b.c_str()) == 0;
}

// Scripts may pass any volume or factor: the sound layer takes 0..100 only,
// and a refused volume would leave the channel at full volume.
int ChannelVolume(float volume) {
  if (!(volume > 0.0f)) return 0;
  if (volume >= 100.0f) return 100;
  return static_cast<int>(volume);
}

void SetChannelVolume(DWORD channel, float volume) {
  BASS_ChannelSetAttributes(channel, -1, ChannelVolume(volume), -101);
}

}  // namespace

Audio::Audio() = default;
Audio::~Audio() = default;

void Audio::Init(const std::string& soundBankFile) {
  if (!BASS_Init(1, kOutputRate, 0, nullptr, nullptr)) {
    LOG_LINE(MSG_WARNING, "Unable to load BASS sound system!");
    return;
  }
  soundBank_ = std::make_unique<AudioSet>(*this);
  soundBank_->Load(soundBankFile);
  LoadSegments("sounds/segments.lua");
}

uint32_t Audio::LoadSound(const std::string& fileName, bool loop) {
  if (const LoadedSample* known = Find(fileName)) return known->key;
  vfs::FileData file;
  if (!vfs::GetVFS().LoadFile(fileName, file)) return 0;
  HSAMPLE handle = BASS_SampleLoad(TRUE, file.data, 0, file.size, kMaxSamplePlaybacks,
                                   loop ? BASS_SAMPLE_LOOP : 0);
  if (handle == 0) return 0;
  auto* sample = new LoadedSample{handle, KeyOf(fileName), fileName};
  Add(fileName, sample);
  return sample->key;
}

const LoadedSample* Audio::SampleOf(uint32_t sampleKey) const {
  auto found = Entries().find(sampleKey);
  return found == Entries().end() ? nullptr : found->second;
}

HCHANNEL Audio::PlaySample(uint32_t sampleKey, float factor) {
  const LoadedSample* sample = SampleOf(sampleKey);
  if (sfxVolume_ <= 0 || !sample) return 0;
  HCHANNEL channel = BASS_SampleGetChannel(sample->handle, FALSE);
  if (channel != 0) {
    SetChannelVolume(channel, sfxVolume_ * kSfxScale * factor);
    BASS_ChannelPlay(channel, TRUE);
  }
  return channel;
}

bool Audio::IsSamplePlaying(uint32_t sampleKey) const {
  const LoadedSample* sample = SampleOf(sampleKey);
  if (!sample) return false;
  const DWORD count = BASS_SampleGetChannels(sample->handle, nullptr);
  if (count == 0 || count == static_cast<DWORD>(-1)) return false;
  std::vector<HCHANNEL> channels(count);
  // Channels only end meanwhile, so the second answer never exceeds the first.
  const DWORD filled = BASS_SampleGetChannels(sample->handle, channels.data());
  if (filled == static_cast<DWORD>(-1)) return false;
  channels.resize(std::min(filled, count));
  return std::any_of(channels.begin(), channels.end(),
                     [this](HCHANNEL channel) { return IsChannelPlaying(channel); });
}

bool Audio::IsChannelPlaying(DWORD channel) const { return BASS_ChannelIsActive(channel) == BASS_ACTIVE_PLAYING; }

int Audio::PlaySound(const std::string& setName) {
  return soundBank_ ? soundBank_->PlaySet(setName) : 0;
}

DWORD Audio::PlayMusic(const std::string& fileName, float factor, bool loop) {
  if (BASS_ChannelIsActive(musicChannel_) == BASS_ACTIVE_PLAYING &&
      SameName(fileName, currentMusic_))
    return musicChannel_;
  StopMusic();
  std::string extension = vfs::GetFileExtension(fileName);
  if (extension == "ogg" || extension == "mp3") {
    StartStream(fileName, factor, loop);
  } else {
    StartModule(fileName, loop);
  }
  currentMusic_ = fileName;
  return musicChannel_;
}

void Audio::StartModule(const std::string& fileName, bool loop) {
  vfs::FileData file;
  if (!vfs::GetVFS().LoadFile(fileName, file)) return;
  DWORD flags = BASS_MUSIC_PRESCAN | BASS_MUSIC_RAMPS | (loop ? BASS_MUSIC_LOOP : 0);
  HMUSIC music = BASS_MusicLoad(TRUE, file.data, 0, file.size, flags, 0);
  if (music == 0) return;
  LOG_LINE(MSG_COMMENT, "Playing music " + fileName);
  musicChannel_ = music;
  BASS_ChannelSetSync(music, BASS_SYNC_MIXTIME | BASS_SYNC_POS, 3, MusicSyncCallback, nullptr);
  // A module has no factor of its own: the current music scale applies.
  SetMusicVolume(musicVolume_);
  BASS_ChannelPlay(music, TRUE);
}

void Audio::StartStream(const std::string& fileName, float factor, bool loop) {
  musicScale_ = factor;
  if (musicVolume_ <= kMinSampleMusicVolume) return;
  vfs::FileData file;
  if (!vfs::GetVFS().LoadFile(fileName, file)) return;
  HSTREAM stream = BASS_StreamCreateFile(TRUE, file.data, 0, file.size, loop ? BASS_SAMPLE_LOOP : 0);
  if (stream == 0) return;
  musicChannel_ = stream;
  SetMusicVolume(musicVolume_);
  BASS_ChannelPlay(stream, TRUE);
}

void Audio::StopMusic() {
  BASS_ChannelStop(musicChannel_);
  BASS_MusicFree(musicChannel_);
  BASS_StreamFree(musicChannel_);
  musicChannel_ = 0;
  currentSegment_.clear();
}

void Audio::StopSound(DWORD channel) { BASS_ChannelStop(channel); }

void Audio::StopAll() { StopMusic(); }

void Audio::PlayCD(int /*unused*/) { StopAll(); }

void Audio::SetMusicVolume(int volume) {
  musicVolume_ = volume;
  if (musicChannel_ != 0) SetChannelVolume(musicChannel_, volume * musicScale_);
}

void Audio::LoadSegments(const std::string& fileName) {
  bool loaded = script::ReadRecords(fileName, "AudioSegments", [this](const LuaPlus::LuaObject& element) {
    auto segment = std::make_unique<AudioSegment>();
    segment->name = script::ReadString(element, "Name", "");
    segment->file = script::ReadString(element, "File", "");
    // Read whole, not truncated: the factor sets the module's volume, and 0.5
    // must not become silence.
    segment->bias = script::ReadFloat(element, "Bias", 1.0f);
    segment->order = script::ReadInt(element, "Order", 0);
    segment->row = script::ReadInt(element, "Row", 0);
    if (segments_.Add(segment->name, segment.get())) segment.release();
  });
  if (!loaded) LOG_LINE(MSG_ERROR, "Unable to load audio segment file " + fileName + "!");
}

void Audio::PlaySegment(const std::string& name) {
  if (SameName(name, currentSegment_)) return;
  const AudioSegment* segment = segments_.Find(name);
  if (!segment) return;
  DWORD channel = PlayMusic(segment->file, segment->bias, true);
  if (channel == 0) return;
  BASS_ChannelSetPosition(channel, BassMusicPosition(segment->order, segment->row));
  currentSegment_ = name;
}

void Audio::MusicSyncCallback(HSYNC /*sync*/, DWORD channel, DWORD /*data*/, void* /*user*/) {
  BASS_ChannelGetPosition(channel);
}

Audio& GetAudio() {
  static Audio audio;
  return audio;
}

}  // namespace audio
