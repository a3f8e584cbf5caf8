// The sound library calls on our mixer, played through an SDL audio device.
#include "platform/audio/bass.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/audio/bass_testing.h"
#include "platform/audio/mixer.h"

namespace {

using platform::sound::Mixer;

constexpr int kMaxOutputRate = 192000;
constexpr Uint16 kDeviceFrames = 1024;

std::atomic<bool> offlineMixing{false};
std::atomic<int> lastError{BASS_OK};

// Notes the outcome of a call for BASS_ErrorGetCode and passes its result on.
template <typename T>
T Outcome(T result, int errorCode) {
  lastError = result ? BASS_OK : errorCode;
  return result;
}

// A sample between BASS_SampleCreate and BASS_SampleCreateDone.
struct PendingSample {
  bool open = false;
  platform::sound::PcmSound pcm;
  DWORD max = 0;
  bool loop = false;
};

PendingSample& ThePendingSample() {
  static PendingSample pending;
  return pending;
}

void SDLCALL FillDevice(void* mixer, Uint8* stream, int length) {
  if (offlineMixing) {
    std::memset(stream, 0, static_cast<size_t>(length));
    return;
  }
  static_cast<Mixer*>(mixer)->Mix(reinterpret_cast<int16_t*>(stream),
                                  static_cast<size_t>(length) / (2 * sizeof(int16_t)));
}

// The started sound system: the mixer and, unless started without output,
// the device that pulls from it.
struct Output {
  std::unique_ptr<Mixer> mixer;
  SDL_AudioDeviceID device = 0;

  ~Output() { Close(); }

  void Close() {
    // The device thread must stop before the mixer it reads goes away.
    if (device != 0) {
      SDL_CloseAudioDevice(device);
      SDL_QuitSubSystem(SDL_INIT_AUDIO);
      device = 0;
    }
    mixer.reset();
  }
};

Output& TheOutput() {
  static Output output;
  return output;
}

Mixer* GetMixer() { return TheOutput().mixer.get(); }

bool OpenDevice(Output& output, int rate) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec wanted;
  SDL_zero(wanted);
  wanted.freq = rate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 2;
  wanted.samples = kDeviceFrames;
  wanted.callback = FillDevice;
  wanted.userdata = output.mixer.get();
  // No changes allowed: SDL converts to whatever the device takes.
  output.device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (output.device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  SDL_PauseAudioDevice(output.device, 0);
  return true;
}

// The bytes of an in-memory file, or null when the arguments do not describe one.
const unsigned char* MemoryFile(BOOL mem, const void* file, QWORD offset, DWORD length) {
  if (!mem || !file || length == 0 || offset > SIZE_MAX - length) return nullptr;
  return static_cast<const unsigned char*>(file) + offset;
}

}  // namespace

BOOL BASS_Init(int device, DWORD freq, DWORD /*flags*/, HWND /*window*/, const void* /*guid*/) {
  Output& output = TheOutput();
  if (output.mixer || device < -1 || device > 1) return FALSE;
  if (freq < static_cast<DWORD>(platform::sound::kMinRate) || freq > kMaxOutputRate) return FALSE;
  output.mixer = std::make_unique<Mixer>(static_cast<int>(freq));
  if (device != 0 && !OpenDevice(output, static_cast<int>(freq))) {
    output.mixer.reset();
    return FALSE;
  }
  return TRUE;
}

BOOL BASS_Free() {
  Output& output = TheOutput();
  if (!output.mixer) return FALSE;
  output.Close();
  ThePendingSample() = PendingSample{};
  return TRUE;
}

BOOL BASS_Start() {
  Mixer* mixer = GetMixer();
  if (!mixer) return FALSE;
  mixer->SetPaused(false);
  return TRUE;
}

BOOL BASS_Pause() {
  Mixer* mixer = GetMixer();
  if (!mixer) return FALSE;
  mixer->SetPaused(true);
  return TRUE;
}

HSAMPLE BASS_SampleLoad(BOOL mem, const void* file, QWORD offset, DWORD length, DWORD max,
                        DWORD flags) {
  Mixer* mixer = GetMixer();
  const unsigned char* data = MemoryFile(mem, file, offset, length);
  if (!mixer) return Outcome<HSAMPLE>(0, BASS_ERROR_INIT);
  if (!data || max < 1 || max > 65535) return Outcome<HSAMPLE>(0, BASS_ERROR_ILLPARAM);
  platform::sound::PcmSound pcm;
  if (!platform::sound::DecodeSound(data, length, pcm)) return Outcome<HSAMPLE>(0, BASS_ERROR_FILEFORM);
  return Outcome(mixer->AddSample(std::move(pcm), max, (flags & BASS_SAMPLE_LOOP) != 0), BASS_ERROR_INIT);
}

void* BASS_SampleCreate(DWORD length, DWORD freq, DWORD chans, DWORD max, DWORD flags) {
  if (!GetMixer()) return Outcome<void*>(nullptr, BASS_ERROR_INIT);
  const bool sizeOk = length > 0 && length <= platform::sound::kMaxPcmBytes && (chans == 1 || chans == 2) &&
                      length % (chans * sizeof(int16_t)) == 0;
  const bool rateOk = freq >= static_cast<DWORD>(platform::sound::kMinRate) && freq <= kMaxOutputRate;
  if (!sizeOk || !rateOk || max < 1 || max > 65535 || (flags & ~BASS_SAMPLE_LOOP) != 0)
    return Outcome<void*>(nullptr, BASS_ERROR_ILLPARAM);
  PendingSample& pending = ThePendingSample();
  pending.open = true;
  pending.pcm.rate = static_cast<int>(freq);
  pending.pcm.channels = static_cast<int>(chans);
  pending.pcm.samples.assign(length / sizeof(int16_t), 0);
  pending.max = max;
  pending.loop = (flags & BASS_SAMPLE_LOOP) != 0;
  return Outcome<void*>(pending.pcm.samples.data(), BASS_OK);
}

HSAMPLE BASS_SampleCreateDone() {
  PendingSample& pending = ThePendingSample();
  Mixer* mixer = GetMixer();
  if (!mixer) return Outcome<HSAMPLE>(0, BASS_ERROR_INIT);
  if (!pending.open) return Outcome<HSAMPLE>(0, BASS_ERROR_NOTAVAIL);
  pending.open = false;
  return Outcome(mixer->AddSample(std::move(pending.pcm), pending.max, pending.loop), BASS_ERROR_INIT);
}

BOOL BASS_SampleStop(HSAMPLE sample) {
  Mixer* mixer = GetMixer();
  if (!mixer) return Outcome<BOOL>(FALSE, BASS_ERROR_INIT);
  return Outcome<BOOL>(mixer->StopSample(sample), BASS_ERROR_HANDLE);
}

BOOL BASS_SampleFree(HSAMPLE sample) {
  Mixer* mixer = GetMixer();
  if (!mixer) return Outcome<BOOL>(FALSE, BASS_ERROR_INIT);
  return Outcome<BOOL>(mixer->FreeSample(sample), BASS_ERROR_HANDLE);
}

int BASS_ErrorGetCode() { return lastError; }

HCHANNEL BASS_SampleGetChannel(HSAMPLE sample, BOOL onlyNew) {
  Mixer* mixer = GetMixer();
  return mixer ? mixer->NewSampleChannel(sample, onlyNew != FALSE) : 0;
}

DWORD BASS_SampleGetChannels(HSAMPLE sample, HCHANNEL* channels) {
  Mixer* mixer = GetMixer();
  std::vector<HCHANNEL> live;
  if (!mixer || !mixer->ChannelsOf(sample, live)) return static_cast<DWORD>(-1);
  if (channels) std::copy(live.begin(), live.end(), channels);
  return static_cast<DWORD>(live.size());
}

HMUSIC BASS_MusicLoad(BOOL mem, const void* file, QWORD offset, DWORD length, DWORD flags,
                      DWORD freq) {
  Mixer* mixer = GetMixer();
  const unsigned char* data = MemoryFile(mem, file, offset, length);
  if (!mixer || !data || freq != 0) return 0;
  auto module = std::make_unique<platform::sound::ModulePlayer>();
  if (!module->Load(data, length, (flags & BASS_MUSIC_LOOP) != 0)) return 0;
  return mixer->AddMusic(std::move(module), flags);
}

BOOL BASS_MusicFree(HMUSIC music) {
  Mixer* mixer = GetMixer();
  return mixer && mixer->FreeMusic(music);
}

HSTREAM BASS_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags) {
  Mixer* mixer = GetMixer();
  if (!mixer) return Outcome<HSTREAM>(0, BASS_ERROR_INIT);
  const unsigned char* data = length <= UINT32_MAX ? MemoryFile(mem, file, offset, static_cast<DWORD>(length)) : nullptr;
  if (!data || (flags & ~BASS_SAMPLE_LOOP) != 0) return Outcome<HSTREAM>(0, BASS_ERROR_ILLPARAM);
  std::unique_ptr<platform::sound::SoundStream> stream = platform::sound::OpenSoundStream(data, length);
  if (!stream) return Outcome<HSTREAM>(0, BASS_ERROR_FILEFORM);
  return Outcome(mixer->AddStream(std::move(stream), (flags & BASS_SAMPLE_LOOP) != 0), BASS_ERROR_INIT);
}

BOOL BASS_StreamFree(HSTREAM stream) {
  Mixer* mixer = GetMixer();
  if (!mixer) return Outcome<BOOL>(FALSE, BASS_ERROR_INIT);
  return Outcome<BOOL>(mixer->FreeStream(stream), BASS_ERROR_HANDLE);
}

BOOL BASS_ChannelSetAttributes(DWORD channel, int freq, int volume, int pan) {
  Mixer* mixer = GetMixer();
  return mixer && mixer->SetAttributes(channel, freq, volume, pan);
}

BOOL BASS_ChannelPlay(DWORD channel, BOOL restart) {
  Mixer* mixer = GetMixer();
  return mixer && mixer->Play(channel, restart != FALSE);
}

BOOL BASS_ChannelStop(DWORD channel) {
  Mixer* mixer = GetMixer();
  return mixer && mixer->Stop(channel);
}

DWORD BASS_ChannelIsActive(DWORD channel) {
  Mixer* mixer = GetMixer();
  return mixer && mixer->IsPlaying(channel) ? BASS_ACTIVE_PLAYING : BASS_ACTIVE_STOPPED;
}

QWORD BASS_ChannelGetPosition(DWORD channel) {
  Mixer* mixer = GetMixer();
  QWORD bytes = 0;
  if (!mixer || !mixer->GetPosition(channel, bytes)) return ~QWORD{0};
  return bytes;
}

BOOL BASS_ChannelSetPosition(DWORD channel, QWORD position) {
  Mixer* mixer = GetMixer();
  if (!mixer || (position >> 32) != 0 || (position & 0x80000000u) == 0) return FALSE;
  int order = static_cast<int>(position & 0xFFFF);
  int row = static_cast<int>((position >> 16) & 0x7FFF);
  return mixer->JumpTo(channel, order, row);
}

HSYNC BASS_ChannelSetSync(DWORD channel, DWORD type, QWORD param, SYNCPROC* proc, void* user) {
  Mixer* mixer = GetMixer();
  if (!mixer || (type & ~BASS_SYNC_MIXTIME) != BASS_SYNC_POS) return 0;
  return mixer->AddSync(channel, param, proc, user);
}

namespace platform::testing {

void SetOfflineMixing(bool offline) { offlineMixing = offline; }

void RenderMix(int16_t* out, size_t frames) {
  if (Mixer* mixer = GetMixer()) mixer->Mix(out, frames);
  else std::memset(out, 0, frames * 2 * sizeof(int16_t));
}

MixerChannelInfo InspectChannel(DWORD channel) {
  Mixer* mixer = GetMixer();
  return mixer ? mixer->Inspect(channel) : MixerChannelInfo{};
}

}  // namespace platform::testing
