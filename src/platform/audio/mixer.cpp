#include "platform/audio/mixer.h"

#include <algorithm>
#include <cmath>

namespace platform::sound {

namespace {

// Frames mixed per pass; the scratch buffers are sized for it once.
constexpr size_t kChunkFrames = 1024;
constexpr QWORD kModuleFrameBytes = 4;  // modules play as 16-bit stereo

int16_t ToPcm16(float value) {
  float scaled = value * 32768.0f;
  if (scaled >= 32767.0f) return 32767;
  if (scaled <= -32768.0f) return -32768;
  return static_cast<int16_t>(std::lrint(scaled));
}

}  // namespace

Mixer::Mixer(int rate)
    : rate_(rate), mix_(kChunkFrames * 2), voiceBuffer_(kChunkFrames * 2) {
  fired_.reserve(16);
  firing_.reserve(16);
}

Mixer::~Mixer() = default;

DWORD Mixer::NewHandle() {
  do {
    ++lastHandle_;
  } while (lastHandle_ == 0 || samples_.count(lastHandle_) || voices_.count(lastHandle_));
  return lastHandle_;
}

Mixer::Voice* Mixer::FindVoice(DWORD handle) {
  auto it = voices_.find(handle);
  if (it == voices_.end() || it->second.freed) return nullptr;
  return &it->second;
}

HSAMPLE Mixer::AddSample(PcmSound pcm, DWORD maxChannels, bool loop) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  DWORD handle = NewHandle();
  samples_.emplace(handle, Sample{std::move(pcm), maxChannels, loop});
  return handle;
}

HCHANNEL Mixer::NewSampleChannel(HSAMPLE sample, bool onlyNew) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  auto found = samples_.find(sample);
  if (found == samples_.end()) return 0;
  // Channels that stopped or ended are gone; drop their records now, off the
  // mixing pass.
  for (auto it = voices_.begin(); it != voices_.end();)
    it = it->second.freed ? voices_.erase(it) : std::next(it);
  DWORD live = 0;
  auto oldest = voices_.end();
  for (auto it = voices_.begin(); it != voices_.end(); ++it) {
    if (it->second.sample != sample) continue;
    ++live;
    if (oldest == voices_.end() || it->second.started < oldest->second.started) oldest = it;
  }
  if (live >= found->second.maxChannels) {
    if (onlyNew || oldest == voices_.end()) return 0;
    voices_.erase(oldest);
  }
  DWORD handle = NewHandle();
  Voice& voice = voices_[handle];
  voice.sample = sample;
  voice.freq = found->second.pcm.rate;
  voice.started = ++startCounter_;
  return handle;
}

bool Mixer::StopSample(HSAMPLE sample) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  if (samples_.find(sample) == samples_.end()) return false;
  for (auto& [handle, voice] : voices_) {
    if (voice.module || voice.sample != sample) continue;
    voice.playing = false;
    voice.freed = true;
  }
  return true;
}

bool Mixer::FreeSample(HSAMPLE sample) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  if (!StopSample(sample)) return false;
  // The channels' records name the sample: they go with it.
  for (auto it = voices_.begin(); it != voices_.end();)
    it = !it->second.module && it->second.sample == sample ? voices_.erase(it) : std::next(it);
  samples_.erase(sample);
  return true;
}

HMUSIC Mixer::AddMusic(std::unique_ptr<ModulePlayer> module, DWORD flags) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  DWORD handle = NewHandle();
  Voice& voice = voices_[handle];
  voice.module = std::move(module);
  voice.musicFlags = flags;
  return handle;
}

bool Mixer::FreeMusic(HMUSIC music) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  Voice* voice = FindVoice(music);
  if (!voice || !voice->module) return false;
  voices_.erase(music);
  return true;
}

HSTREAM Mixer::AddStream(std::unique_ptr<SoundStream> stream, bool loop) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  DWORD handle = NewHandle();
  Voice& voice = voices_[handle];
  voice.freq = stream->Rate();
  voice.stream = std::make_unique<StreamReader>(std::move(stream), loop);
  return handle;
}

bool Mixer::FreeStream(HSTREAM stream) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  Voice* voice = FindVoice(stream);
  if (!voice || !voice->stream) return false;
  voices_.erase(stream);
  return true;
}

bool Mixer::SetAttributes(DWORD channel, int freq, int volume, int pan) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  Voice* voice = FindVoice(channel);
  if (!voice) return false;
  // Modules render at the output rate; only sample channels change speed.
  bool freqOk = freq == -1 || freq == 0 || (!voice->module && freq >= 100 && freq <= 100000);
  bool volumeOk = volume == -1 || (volume >= 0 && volume <= 100);
  bool panOk = pan == -101 || (pan >= -100 && pan <= 100);
  if (!freqOk || !volumeOk || !panOk) return false;
  if (freq == 0 && voice->stream) voice->freq = voice->stream->Rate();
  else if (freq == 0 && !voice->module) voice->freq = samples_[voice->sample].pcm.rate;
  else if (freq > 0) voice->freq = freq;
  if (volume != -1) voice->volume = volume;
  if (pan != -101) voice->pan = pan;
  return true;
}

bool Mixer::Play(DWORD channel, bool restart) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  Voice* voice = FindVoice(channel);
  if (!voice) return false;
  if (restart) {
    if (voice->module) {
      voice->module->Restart();
      voice->musicBytes = 0;
    } else if (voice->stream) {
      voice->stream->Restart();
    } else {
      voice->frame = 0;
      voice->started = ++startCounter_;
    }
  }
  voice->playing = true;
  return true;
}

bool Mixer::Stop(DWORD channel) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  Voice* voice = FindVoice(channel);
  if (!voice) return false;
  voice->playing = false;
  // Streams and modules stay until freed; a sample channel goes now.
  if (!voice->module && !voice->stream) voice->freed = true;
  return true;
}

bool Mixer::IsPlaying(DWORD channel) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  Voice* voice = FindVoice(channel);
  return voice && voice->playing;
}

QWORD Mixer::BytePosition(const Voice& voice) const {
  if (voice.module) return voice.musicBytes;
  if (voice.stream) return voice.stream->BytePosition();
  const PcmSound& pcm = samples_.at(voice.sample).pcm;
  return static_cast<QWORD>(voice.frame) * pcm.channels * sizeof(int16_t);
}

bool Mixer::GetPosition(DWORD channel, QWORD& bytes) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  Voice* voice = FindVoice(channel);
  if (!voice) return false;
  bytes = BytePosition(*voice);
  return true;
}

bool Mixer::JumpTo(DWORD music, int order, int row) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  Voice* voice = FindVoice(music);
  if (!voice || !voice->module || !voice->module->JumpTo(order, row)) return false;
  voice->musicBytes =
      static_cast<QWORD>(std::llround(voice->module->PositionSeconds() * rate_)) * kModuleFrameBytes;
  return true;
}

HSYNC Mixer::AddSync(DWORD channel, QWORD bytes, SYNCPROC* proc, void* user) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  Voice* voice = FindVoice(channel);
  if (!voice || !proc) return 0;
  HSYNC handle = NewHandle();
  voice->syncs.push_back(Sync{handle, bytes, proc, user});
  return handle;
}

void Mixer::SetPaused(bool paused) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  paused_ = paused;
}

void Mixer::Mix(int16_t* out, size_t frames) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  for (size_t done = 0; done < frames;) {
    size_t count = std::min(kChunkFrames, frames - done);
    float* mix = mix_.data();
    std::fill(mix, mix + count * 2, 0.0f);
    if (!paused_) {
      for (auto& [handle, voice] : voices_) {
        if (!voice.playing || voice.freed) continue;
        if (voice.module) MixModule(handle, voice, mix, count);
        else if (voice.stream) MixStream(handle, voice, mix, count);
        else MixSample(handle, voice, mix, count);
      }
    }
    for (size_t i = 0; i < count * 2; ++i) out[done * 2 + i] = ToPcm16(mix[i]);
    done += count;
  }
  FireSyncs();
}

void Mixer::MixSample(DWORD handle, Voice& voice, float* mix, size_t frames) {
  const Sample& sample = samples_.at(voice.sample);
  const PcmSound& pcm = sample.pcm;
  const double length = static_cast<double>(pcm.FrameCount());
  const size_t last = pcm.FrameCount() - 1;
  const double step = static_cast<double>(voice.freq) / rate_;
  const int16_t* data = pcm.samples.data();
  const size_t channels = static_cast<size_t>(pcm.channels);
  float* buffer = voiceBuffer_.data();
  QWORD from = BytePosition(voice);
  bool wrapped = false;
  size_t made = 0;
  for (; made < frames; ++made) {
    if (voice.frame >= length) {
      if (!sample.loop) break;
      voice.frame = std::fmod(voice.frame, length);
      wrapped = true;
    }
    size_t first = static_cast<size_t>(voice.frame);
    size_t next = first < last ? first + 1 : (sample.loop ? 0 : last);
    float t = static_cast<float>(voice.frame - static_cast<double>(first));
    for (size_t side = 0; side < 2; ++side) {
      size_t c = channels == 2 ? side : 0;
      float a = data[first * channels + c], b = data[next * channels + c];
      buffer[made * 2 + side] = (a + (b - a) * t) * (1.0f / 32768.0f);
    }
    voice.frame += step;
  }
  AddVoice(voice, buffer, mix, made);
  NoteSyncs(voice, handle, from, BytePosition(voice), wrapped);
  if (!sample.loop && voice.frame >= length) {
    voice.playing = false;
    voice.freed = true;
  }
}

void Mixer::MixStream(DWORD handle, Voice& voice, float* mix, size_t frames) {
  float* buffer = voiceBuffer_.data();
  const QWORD from = voice.stream->BytePosition();
  bool wrapped = false;
  const size_t made = voice.stream->Render(static_cast<double>(voice.freq) / rate_, buffer, frames, wrapped);
  AddVoice(voice, buffer, mix, made);
  NoteSyncs(voice, handle, from, voice.stream->BytePosition(), wrapped);
  if (made < frames) voice.playing = false;
}

void Mixer::MixModule(DWORD handle, Voice& voice, float* mix, size_t frames) {
  float* buffer = voiceBuffer_.data();
  size_t made = voice.module->Render(rate_, frames, buffer);
  QWORD from = voice.musicBytes;
  voice.musicBytes =
      static_cast<QWORD>(std::llround(voice.module->PositionSeconds() * rate_)) * kModuleFrameBytes;
  AddVoice(voice, buffer, mix, made);
  // A looping module that went round stands below where it began.
  NoteSyncs(voice, handle, from, voice.musicBytes, voice.musicBytes < from);
  if (made < frames) voice.playing = false;
}

void Mixer::AddVoice(const Voice& voice, const float* source, float* mix, size_t frames) {
  float volume = voice.volume / 100.0f;
  float pan = voice.pan / 100.0f;
  float left = volume * std::min(1.0f, 1.0f - pan);
  float right = volume * std::min(1.0f, 1.0f + pan);
  for (size_t i = 0; i < frames; ++i) {
    mix[i * 2] += source[i * 2] * left;
    mix[i * 2 + 1] += source[i * 2 + 1] * right;
  }
}

void Mixer::NoteSyncs(const Voice& voice, DWORD handle, QWORD from, QWORD to, bool wrapped) {
  for (const Sync& sync : voice.syncs) {
    bool passed = wrapped ? (sync.bytes >= from || sync.bytes < to)
                          : (sync.bytes >= from && sync.bytes < to);
    if (passed) fired_.push_back(FiredSync{sync, handle});
  }
}

void Mixer::FireSyncs() {
  // A procedure may call back into the mixer (the lock is recursive), even
  // add syncs; it sees the list swapped out of the way.
  firing_.swap(fired_);
  for (const FiredSync& fired : firing_)
    fired.sync.proc(fired.sync.handle, fired.channel, 0, fired.sync.user);
  firing_.clear();
}

testing::MixerChannelInfo Mixer::Inspect(DWORD channel) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  testing::MixerChannelInfo info;
  Voice* voice = FindVoice(channel);
  if (!voice) return info;
  info.exists = true;
  info.playing = voice->playing;
  info.isMusic = voice->module != nullptr;
  info.sample = voice->sample;
  info.volume = voice->volume;
  info.pan = voice->pan;
  if (voice->module) {
    info.flags = voice->musicFlags;
    info.order = voice->module->Order();
    info.row = voice->module->Row();
  } else {
    info.freq = voice->freq;
  }
  return info;
}

bool Mixer::ChannelsOf(HSAMPLE sample, std::vector<HCHANNEL>& channels) {
  std::lock_guard<std::recursive_mutex> hold(lock_);
  channels.clear();
  if (samples_.find(sample) == samples_.end()) return false;
  for (const auto& entry : voices_)
    if (entry.second.sample == sample && !entry.second.freed) channels.push_back(entry.first);
  return true;
}

}  // namespace platform::sound
