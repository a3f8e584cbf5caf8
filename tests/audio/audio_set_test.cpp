#include "audio/audio_set.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "audio/audio_test_support.h"
#include "audio/audio.h"

namespace {

using platform::testing::InspectChannel;

class AudioSetTest : public testsupport::AudioTestBase {
 protected:
  void SetUp() override {
    AudioTestBase::SetUp();
    for (const char* name : {"a.wav", "b.wav", "c.wav", "d.wav"}) WriteSound(std::string("sfx/") + name);
    WriteText("bank.lua", R"(
      SoundBank = {
        { Name = "button_press", Files = { "sfx/a.wav", "sfx/b.wav", "sfx/c.wav" } },
        { Name = "clamped", Files = { "sfx/a.wav", "sfx/b.wav", "sfx/c.wav" }, Bias = { 2, 0.05, 0.5 } },
        { Name = "mixed", Files = { "sfx/a.wav", 5, "sfx/c.wav" }, Bias = { 0.2, 0.3, 0.4 } },
        { Name = "button_press", Files = { "sfx/d.wav" } },
        { Files = { "sfx/d.wav" } },
        { Name = "no_files" },
        { Name = "files_not_a_table", Files = "sfx/d.wav" },
        "not a record",
        { Name = "empty", Files = { 1, 2 } },
        { Name = "missing", Files = { "sfx/none.wav" } },
      }
    )");
    ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr, nullptr));
    bank_.Load("bank.lua");
  }

  audio::Audio audio_;
  audio::AudioSet bank_{audio_};
};

TEST_F(AudioSetTest, ReadsTheRecordsAsTheBankGivesThem) {
  struct Case {
    const char* name;
    std::vector<std::pair<const char*, float>> entries;
  } cases[] = {
      {"button_press", {{"sfx/a.wav", 1.0f}, {"sfx/b.wav", 1.0f}, {"sfx/c.wav", 1.0f}}},
      {"BUTTON_PRESS", {{"sfx/a.wav", 1.0f}, {"sfx/b.wav", 1.0f}, {"sfx/c.wav", 1.0f}}},
      {"clamped", {{"sfx/a.wav", 1.0f}, {"sfx/b.wav", 0.1f}, {"sfx/c.wav", 0.5f}}},
      {"mixed", {{"sfx/a.wav", 0.2f}, {"sfx/c.wav", 0.4f}}},
      {"empty", {}},
      {"missing", {{"sfx/none.wav", 1.0f}}},
  };
  for (const Case& c : cases) {
    const audio::SoundSet* set = bank_.Find(c.name);
    ASSERT_NE(set, nullptr) << c.name;
    ASSERT_EQ(set->entries.size(), c.entries.size()) << c.name;
    for (size_t i = 0; i < c.entries.size(); ++i) {
      EXPECT_EQ(set->entries[i].fileName, c.entries[i].first);
      EXPECT_FLOAT_EQ(set->entries[i].bias, c.entries[i].second);
    }
  }
  for (const char* absent : {"", "no_files", "files_not_a_table"})
    EXPECT_EQ(bank_.Find(absent), nullptr) << absent;
  // Files shared between sets are loaded once; a file that failed has key 0.
  EXPECT_EQ(bank_.Find("clamped")->entries[0].sampleKey, bank_.Find("mixed")->entries[0].sampleKey);
  EXPECT_NE(bank_.Find("clamped")->entries[0].sampleKey, 0u);
  EXPECT_EQ(bank_.Find("missing")->entries[0].sampleKey, 0u);
}

TEST_F(AudioSetTest, PlaysAMemberAtSfxVolumeTimesScaleTimesBias) {
  audio_.SetSFXVolume(100);
  int channel = bank_.PlaySet("mixed");
  ASSERT_GT(channel, 0);
  int volume = InspectChannel(static_cast<DWORD>(channel)).volume;
  // 100 x 0.6 x 0.2 or 0.4, truncated.
  EXPECT_TRUE(volume == 12 || volume == 24) << volume;
  EXPECT_EQ(InspectChannel(static_cast<DWORD>(bank_.PlaySet("BUTTON_press"))).volume, 60);
}

TEST_F(AudioSetTest, PicksEveryMemberInTime) {
  std::srand(1);
  std::set<HSAMPLE> played;
  for (int i = 0; i < 60; ++i) {
    int channel = bank_.PlaySet("button_press");
    ASSERT_GT(channel, 0);
    played.insert(InspectChannel(static_cast<DWORD>(channel)).sample);
  }
  EXPECT_EQ(played.size(), 3u);
}

TEST_F(AudioSetTest, ResultsForWhatCannotPlay) {
  EXPECT_EQ(bank_.PlaySet("no_such_set"), -1);
  EXPECT_EQ(bank_.PlaySet("empty"), 0);
  EXPECT_EQ(bank_.PlaySet("missing"), 0);
  audio_.SetSFXVolume(0);
  EXPECT_EQ(bank_.PlaySet("button_press"), 0);
}

TEST_F(AudioSetTest, MissingOrBrokenBankLogsAndHoldsNoSets) {
  WriteText("broken.lua", "SoundBank = {");
  for (const char* file : {"nowhere.lua", "broken.lua"}) {
    testsupport::LogCapture log;
    audio::AudioSet bank(audio_);
    bank.Load(file);
    EXPECT_TRUE(log.Has(std::string("Unable to load audio-set ") + file + "!")) << file;
    EXPECT_EQ(bank.PlaySet("button_press"), -1);
  }
}

}  // namespace
