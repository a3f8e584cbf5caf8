// The record file: first start, damaged files, and saves that must not lose
// the old store.
#include "app/game_rms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "read_file.h"
#include "rms_test_support.h"

namespace {

using rms_test::RunRecordFileTool;

class RecordFileTest : public ::testing::Test {
 protected:
  std::string StorePath() const { return (folder_.Path() / "vantor.rms").string(); }
  // The files in the scratch folder, by name.
  std::vector<std::string> FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.Path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  // The damaged files, written by the record-file tool once per program.
  void WriteFixture(const std::string& name) {
    static TempFolder fixtures;
    static const bool written =
        RunRecordFileTool("write-all '" + fixtures.Path().string() + "'") == 0;
    ASSERT_TRUE(written);
    std::filesystem::copy_file(fixtures.Path() / (name + ".rms"), StorePath(),
                               std::filesystem::copy_options::overwrite_existing);
  }

  TempFolder folder_;
  LogCapture log_;
};

TEST_F(RecordFileTest, FirstStartWritesAResetStoreAtOnce) {
  GameRMS store(StorePath());
  EXPECT_EQ(RunRecordFileTool("check-reset '" + StorePath() + "'"), 0);
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"vantor.rms"});
  EXPECT_TRUE(store.IsLoaded());
  EXPECT_TRUE(store.IsUseFullscreenEnabled());
  EXPECT_EQ(store.GetSoundVolume(), 50.0f);
  EXPECT_EQ(store.GetMusicVolume(), 50.0f);
  EXPECT_EQ(store.GetProfileC(), 0);
  EXPECT_EQ(store.GetLanguage(), "english");
  EXPECT_TRUE(log_.Lines().empty());
}

TEST_F(RecordFileTest, WhatIsSavedReadsBackAndTheDestructorSavesToo) {
  {
    GameRMS store(StorePath());
    store.AddProfile("Ann", "french", "Cairo");
    store.SetOpen(3, 2);
    store.SetScore(3, 4500);
    store.SetTrophyValue(99, 8);
    store.SetMusicVolume(12.5f);
    store.SetUseFullscreenEnabled(false);
    store.Save();
    store.SetRank(3, 2);
  }
  GameRMS store(StorePath());
  EXPECT_EQ(store.GetNameFromID(0), "Ann");
  EXPECT_EQ(store.GetLanguage(), "french");
  EXPECT_EQ(store.GetLocation(), "Cairo");
  EXPECT_TRUE(store.IsCleared(3));
  EXPECT_EQ(store.GetScore(3), 4500);
  EXPECT_EQ(store.GetRank(3), 2);
  EXPECT_EQ(store.GetTrophyValue(99), 8);
  EXPECT_EQ(store.GetMusicVolume(), 12.5f);
  EXPECT_FALSE(store.IsUseFullscreenEnabled());
}

TEST_F(RecordFileTest, ForeignVersionIsResetAndSavedOverTheOldFile) {
  WriteFixture("version31");
  const std::string foreign = ReadFile(StorePath());
  GameRMS store(StorePath());
  EXPECT_EQ(rms_test::Messages(MSG_ERROR),
            std::vector<std::string>{"Unable to load RMS.. invalid version# or Magic#  [MSG_ERROR]\n"});
  EXPECT_EQ(store.GetProfileC(), 0);
  EXPECT_EQ(RunRecordFileTool("check-reset '" + StorePath() + "'"), 0);
  // The profiles that did not load stay beside the new store.
  EXPECT_EQ(ReadFile(StorePath() + ".bad"), foreign);
  EXPECT_TRUE(log_.Has("kept as " + StorePath() + ".bad"));
}

TEST_F(RecordFileTest, EachUnreadableStoreReplacesTheCopyKeptBefore) {
  WriteFixture("version31");
  { GameRMS store(StorePath()); }
  // One damaged byte of the magic.
  WriteFixture("magic_byte");
  const std::string damaged = ReadFile(StorePath());
  GameRMS store(StorePath());
  EXPECT_EQ(ReadFile(StorePath() + ".bad"), damaged);
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"vantor.rms", "vantor.rms.bad"}));
}

TEST_F(RecordFileTest, SettingsOutOfRangeAreBroughtIntoRangeWithOneWarning) {
  WriteFixture("out_of_range");
  {
    GameRMS store(StorePath());
    ASSERT_EQ(log_.At(MSG_WARNING).size(), 1u) << log_.Text();
    const std::string warning = log_.At(MSG_WARNING)[0];
    for (const char* fix : {"current profile -22159276", "full screen 7", "sound volume nan", "music volume -1",
                            "1 unterminated texts"})
      EXPECT_NE(warning.find(fix), std::string::npos) << fix << " in " << warning;
    EXPECT_EQ(store.GetProfileC(), 2);
    EXPECT_EQ(store.GetCurrentProfile(), -1);
    EXPECT_FALSE(store.ProfileValid());
    EXPECT_TRUE(store.IsUseFullscreenEnabled());
    EXPECT_EQ(store.GetSoundVolume(), 50.0f);
    EXPECT_EQ(store.GetMusicVolume(), 50.0f);
    EXPECT_EQ(store.GetNameFromID(1), std::string(24, 'X'));
  }
  // What was saved back loads without a warning.
  log_.Lines().clear();
  GameRMS store(StorePath());
  EXPECT_TRUE(log_.At(MSG_WARNING).empty()) << log_.Text();
  EXPECT_EQ(store.GetCurrentProfile(), -1);
  EXPECT_EQ(store.GetNameFromID(1), std::string(24, 'X'));
}

TEST_F(RecordFileTest, ShortFileKeepsWhatArrivedAndResetsTheRest) {
  WriteFixture("short");
  GameRMS store(StorePath());
  EXPECT_EQ(log_.At(MSG_WARNING).size(), 1u);
  EXPECT_TRUE(log_.Has("holds only 225 of 40780 bytes"));
  EXPECT_EQ(store.GetMusicVolume(), 20.0f);
  EXPECT_EQ(store.GetSoundVolume(), 50.0f);
  EXPECT_EQ(store.GetName(), "Ann");
  EXPECT_EQ(store.GetRank(5), 7);
  EXPECT_EQ(store.GetScore(5), 300);
  // Level 10 onwards lay beyond the end of the file.
  EXPECT_EQ(store.GetRank(10), 10000);
  EXPECT_EQ(store.GetTrophyValue(0), 0);
}

TEST_F(RecordFileTest, ProfileCountsOutsideTheSlotsAreClamped) {
  WriteFixture("count11");
  {
    GameRMS store(StorePath());
    EXPECT_TRUE(log_.Has("counts 11 profiles"));
    EXPECT_EQ(store.GetProfileC(), 10);
    EXPECT_EQ(store.GetName(), "Player3");
    EXPECT_FALSE(store.AddProfile("Eleven", "english", "home"));
    EXPECT_EQ(store.GetNameFromID(10), "");
  }
  WriteFixture("count-1");
  GameRMS store(StorePath());
  EXPECT_TRUE(log_.Has("counts -1 profiles"));
  EXPECT_EQ(store.GetProfileC(), 0);
  EXPECT_FALSE(store.ProfileValid());
  EXPECT_EQ(store.GetName(), "");
  EXPECT_EQ(store.GetNameFromID(0), "");
}

TEST_F(RecordFileTest, UnterminatedTextsEndAtTheirLastByte) {
  WriteFixture("unterminated");
  {
    GameRMS store(StorePath());
    EXPECT_EQ(store.GetName(), std::string(24, 'N'));
    EXPECT_EQ(store.GetLanguage(), std::string(24, 'L'));
    EXPECT_EQ(store.GetLocation(), std::string(24, 'P'));
    EXPECT_EQ(store.GetScore(0), 1234);
  }
  // Saved again, every text field carries its terminator.
  const std::string saved = ReadFile(StorePath());
  ASSERT_EQ(saved.size(), 40780u);
  for (size_t field : {30u + 24u, 30u + 49u, 30u + 74u}) EXPECT_EQ(saved[field], '\0') << field;
}

TEST_F(RecordFileTest, FailedSaveLeavesTheOldStoreWhole) {
  GameRMS store(StorePath());
  store.AddProfile("Ann", "english", "home");
  store.Save();
  const std::string before = ReadFile(StorePath());
  // A folder where the temporary file goes: the save cannot open it.
  std::filesystem::create_directory(StorePath() + ".tmp");
  store.AddProfile("Bob", "english", "home");
  store.Save();
  EXPECT_EQ(ReadFile(StorePath()), before);
  ASSERT_EQ(log_.At(MSG_ERROR).size(), 1u);
  EXPECT_NE(log_.At(MSG_ERROR)[0].find(StorePath()), std::string::npos);
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"vantor.rms", "vantor.rms.tmp"}));
  std::filesystem::remove(StorePath() + ".tmp");
}

TEST_F(RecordFileTest, StoreThatCannotBeReplacedLeavesNoTemporaryFile) {
  // A folder in the store's place reads as a foreign file and cannot be
  // replaced by the reset store.
  std::filesystem::create_directory(StorePath());
  GameRMS store(StorePath());
  EXPECT_TRUE(log_.Has("Unable to load RMS.. invalid version# or Magic#"));
  EXPECT_TRUE(log_.Has("Unable to save RMS.. cannot replace " + StorePath()));
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"vantor.rms"});
  EXPECT_TRUE(std::filesystem::is_directory(StorePath()));
}

}  // namespace
