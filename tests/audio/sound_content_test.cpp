// The game's sounds as tools/make_sounds.py makes them and data/sounds/ names
// them: every file decodes in our sound layer and is heard without clipping,
// and every music segment plays within its own part of the module.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "audio/audio_set.h"
#include "audio/audio_test_support.h"
#include "core/script/lua_records.h"
#include "core/script/script_helper.h"

namespace {

namespace fs = std::filesystem;
using platform::testing::InspectChannel;

constexpr int kRate = 44100;

// The sets the engine and the game play by name.
const char* const kSetsPlayed[] = {
    "sounds/GameApp_start_music.ogg", "button_press", "button_rollover", "textbox_new_text", "screen_shift",
    "select_A", "select_B", "swap", "match3", "match4", "match5", "block_fall_1", "block_fall_2", "special 6",
    "block_switch", "block_clear_3", "block_clear_4", "block_clear_5", "block_clear_6", "block_clear_7",
    "base_clear_3", "base_clear_4", "base_clear_5", "base_clear_6", "base_clear_7",
    // The critters' sets; names fold case, so the mummy's nest finds the spiders'.
    "scorpian_appear", "scorpian_strike", "spider_appear", "SPIDER_STRIKE", "COBRA_APPEAR", "cobra strike",
    "SCARABs_APPEAR", "scarab strike", "LOCUST_APPEAR", "LOCUST_STRIKE",
    // The race's starting lights.
    "race countdown",
    // The picture puzzle's tokens.
    "puzzle_landed", "puzzle_fit", "puzzle_arrive",
    // The race's starting lights.
    "race countdown",
    // The mummy's cues and the powers'.
    "mummy_hi", "mummy_bye", "mummy_magic", "special 1", "special 2", "special 3", "special 4", "special 5",
    "special 7", "special 8", "special 9"};
// Files the engine plays by name, through no set: the volume test sound.
const char* const kFilesPlayed[] = {"sounds/block_select.ogg"};

// Mixes `frames` frames offline; the highest absolute sample value.
int MixPeak(size_t frames) {
  std::vector<int16_t> out(frames * 2);
  platform::testing::RenderMix(out.data(), frames);
  int peak = 0;
  for (int16_t s : out) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

// Loud enough to be heard, and below full scale, so nothing was clipped on
// the way (the mixer clamps to full scale).
void ExpectHeardUnclipped(int peak, const std::string& what) {
  EXPECT_GT(peak, 3000) << what << " is (nearly) silent";
  EXPECT_LT(peak, std::numeric_limits<int16_t>::max()) << what << " clips";
}

class SoundContentTest : public testsupport::AudioTestBase {
 protected:
  void SetUp() override {
    AudioTestBase::SetUp();
    std::string command = std::string("python3 '") + VANTOR_SOURCE_DIR +
                          "/tools/make_sounds.py' --quick sounds";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const char* name : {"soundbank.lua", "segments.lua"})
      fs::copy_file(fs::path(VANTOR_SOURCE_DIR) / "data/sounds" / name, fs::path("sounds") / name);
  }

  audio::Audio audio_;
};

TEST_F(SoundContentTest, EverySetHasItsFilesAndEachIsHeardUnclipped) {
  ASSERT_TRUE(BASS_Init(0, kRate, 0, nullptr, nullptr));
  audio::AudioSet bank(audio_);
  bank.Load("sounds/soundbank.lua");
  for (const char* name : kSetsPlayed) {
    const audio::SoundSet* set = bank.Find(name);
    ASSERT_NE(set, nullptr) << name;
    EXPECT_FALSE(set->entries.empty()) << name;
  }
  auto expectHeard = [&](uint32_t sampleKey, const std::string& what) {
    ASSERT_NE(sampleKey, 0u) << what << " did not load";
    HCHANNEL channel = audio_.PlaySample(sampleKey, 1.0f);
    ASSERT_NE(channel, 0u) << what;
    // At full volume, centred: the file's own level on both sides.
    ASSERT_TRUE(BASS_ChannelSetAttributes(channel, -1, 100, 0));
    int peak = 0;
    while (InspectChannel(channel).playing) peak = std::max(peak, MixPeak(kRate / 10));
    ExpectHeardUnclipped(peak, what);
  };
  for (const auto& [key, set] : bank.Entries()) {
    for (const audio::SoundSetEntry& entry : set->entries)
      expectHeard(entry.sampleKey, entry.fileName + " of " + set->name);
  }
  for (const char* file : kFilesPlayed) expectHeard(audio_.LoadSound(file, false), file);
}

TEST_F(SoundContentTest, EverySegmentStartsAtItsOrderAndKeepsToItsPart) {
  struct Segment {
    std::string name, file;
    int order;
  };
  std::vector<Segment> segments;
  ASSERT_TRUE(script::ReadRecords("sounds/segments.lua", "AudioSegments", [&](const LuaPlus::LuaObject& record) {
    segments.push_back({script::ReadString(record, "Name", ""), script::ReadString(record, "File", ""),
                        script::ReadInt(record, "Order", 0)});
  }));
  for (const char* name : {"menu", "map", "game"}) {
    EXPECT_TRUE(std::any_of(segments.begin(), segments.end(), [&](const Segment& s) { return s.name == name; }))
        << name;
  }
  audio_.Init("sounds/soundbank.lua");
  audio_.SetMusicVolume(100);
  for (const Segment& segment : segments) {
    // A segment's part runs up to the next segment's order.
    int end = std::numeric_limits<int>::max();
    for (const Segment& other : segments)
      if (other.file == segment.file && other.order > segment.order) end = std::min(end, other.order);
    audio_.PlaySegment(segment.name);
    DWORD channel = audio_.PlayMusic(segment.file, 1.0f, true);  // the one playing
    ASSERT_NE(channel, 0u) << segment.name << ": " << segment.file << " did not load";
    MixPeak(64);
    EXPECT_EQ(InspectChannel(channel).order, segment.order) << segment.name;
    // Long enough for the slowest part to come round again.
    int peak = 0;
    for (int tenth = 0; tenth < 250; ++tenth) {
      peak = std::max(peak, MixPeak(kRate / 10));
      int order = InspectChannel(channel).order;
      ASSERT_TRUE(order >= segment.order && order < end) << segment.name << " ran on to order " << order;
    }
    ExpectHeardUnclipped(peak, segment.name);
  }
}

}  // namespace
