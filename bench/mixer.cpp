// Cost of mixing one second of 32 playing channels, against real time: the
// "x_realtime" counter is how many seconds of sound are mixed per second.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "../tests/platform/sound_fixtures.h"
#include "platform/audio/bass.h"
#include "platform/audio/bass_testing.h"

namespace {

constexpr DWORD kRate = 44100;
constexpr int kChannels = 32;

sound_fixtures::Bytes Tone(int rate, int channels, double hz) {
  std::vector<int16_t> samples;
  for (int i = 0; i < rate; ++i)
    for (int c = 0; c < channels; ++c)
      samples.push_back(static_cast<int16_t>(3000 * std::sin(i * 2 * M_PI * hz / rate)));
  return sound_fixtures::MakeWav(rate, channels, samples);
}

// Starts the channels: samples at the output rate and at half of it (read
// with interpolation), mono and stereo, spread over volumes and pans; with
// `withModule` one of them is module music.
void StartChannels(bool withModule) {
  const sound_fixtures::Bytes files[] = {Tone(44100, 1, 440), Tone(44100, 2, 330),
                                         Tone(22050, 1, 550), Tone(22050, 2, 660)};
  std::vector<HSAMPLE> samples;
  for (const auto& file : files)
    samples.push_back(BASS_SampleLoad(TRUE, file.data(), 0, static_cast<DWORD>(file.size()),
                                      kChannels, BASS_SAMPLE_LOOP));
  int count = kChannels;
  if (withModule) {
    sound_fixtures::Bytes module = sound_fixtures::MakeModule(4);
    HMUSIC music = BASS_MusicLoad(TRUE, module.data(), 0, static_cast<DWORD>(module.size()),
                                  BASS_MUSIC_LOOP, 0);
    BASS_ChannelPlay(music, TRUE);
    --count;
  }
  for (int i = 0; i < count; ++i) {
    HCHANNEL channel = BASS_SampleGetChannel(samples[i % samples.size()], FALSE);
    BASS_ChannelSetAttributes(channel, -1, 20 + i * 2, i * 6 - 96);
    BASS_ChannelPlay(channel, TRUE);
  }
}

void MixOneSecond(benchmark::State& state) {
  BASS_Init(0, kRate, 0, nullptr, nullptr);
  StartChannels(state.range(0) != 0);
  std::vector<int16_t> out(kRate * 2);
  for (auto _ : state) {
    platform::testing::RenderMix(out.data(), kRate);
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["x_realtime"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
  BASS_Free();
}

BENCHMARK(MixOneSecond)->ArgName("module")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
