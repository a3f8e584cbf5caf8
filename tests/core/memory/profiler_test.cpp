#include "core/memory/profiler.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/memory/profiler_testing.h"
#include "temp_folder.h"

namespace {
// A clock that only moves when told: one tick per nanosecond of a pause.
uint64_t fakeNow = 1;
std::chrono::milliseconds lastPause{0};

uint64_t FakeNow() { return fakeNow; }
void FakePause(std::chrono::milliseconds pause) {
  lastPause = pause;
  fakeNow += static_cast<uint64_t>(pause.count()) * 1000000;
}
const util::Profiler::Clock kFakeClock = {FakeNow, FakePause};
constexpr uint64_t kTicksPerSecond = 1000000000;

std::vector<std::string> ReadLines(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<double> Columns(const std::string& row) {
  std::vector<double> values;
  std::istringstream in(row);
  for (std::string cell; std::getline(in, cell, ',');)
    if (cell.find_first_not_of(' ') != std::string::npos) values.push_back(std::stod(cell));
  return values;
}

// One recorded frame of `frameTicks` in which `section` ran `sectionTicks`.
void RunFrame(util::Profiler& profiler, int section, uint64_t sectionTicks, uint64_t frameTicks) {
  profiler.BeginFrame();
  {
    util::ProfileScope scope(profiler, section);
    fakeNow += sectionTicks;
  }
  fakeNow += frameTicks - sectionTicks;
  profiler.EndFrame();
}
}  // namespace

TEST(ProfilerTest, CalibratesOverOneSecondPause) {
  util::Profiler profiler(kFakeClock);
  EXPECT_EQ(lastPause, std::chrono::milliseconds(1000));
  EXPECT_EQ(profiler.GetTicksPerSecond(), kTicksPerSecond);
}

TEST(ProfilerTest, SwitchedOffItOnlyAddsUpScopes) {
  TempFolder folder(true);
  {
    util::Profiler profiler(kFakeClock);
    for (int frame = 0; frame < 3; ++frame) RunFrame(profiler, 2, 40, 100);
    EXPECT_EQ(profiler.GetSectionTotal(2), 120u);
    EXPECT_EQ(profiler.GetFrameTicks(), 0u);
    EXPECT_EQ(profiler.GetTotalRecords(), 0u);
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(ProfilerTest, ReportHoldsEachSectionsShareOfItsFrame) {
  struct Case {
    int section;
    uint64_t sectionTicks;
    uint64_t frameTicks;
    double percent;
  } cases[] = {
      {0, 500, 1000, 50.0},
      {3, 250, 1000, 25.0},
      {25, 2000000, 2000000, 100.0},
      {1, 0, 4000, 0.0},
  };
  TempFolder folder(true);
  {
    util::Profiler profiler(kFakeClock);
    profiler.SetRecording(true);
    ASSERT_TRUE(profiler.StartWriting());
    for (const Case& c : cases) RunFrame(profiler, c.section, c.sectionTicks, c.frameTicks);
  }
  std::vector<std::string> lines = ReadLines("profile.csv");
  ASSERT_EQ(lines.size(), 1 + std::size(cases) + 1);  // header, frames, the frame at exit
  std::string header = "StartTime, TotalTime, rendering, network, scripting, ui, ";
  for (int s = 4; s < util::Profiler::kSectionCount; ++s) header += ", ";
  EXPECT_EQ(lines[0], header);
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(i);
    std::vector<double> row = Columns(lines[1 + i]);
    ASSERT_EQ(row.size(), 2u + util::Profiler::kSectionCount);
    EXPECT_NEAR(row[1], static_cast<double>(c.frameTicks) / kTicksPerSecond, 1e-6);
    for (int s = 0; s < util::Profiler::kSectionCount; ++s)
      EXPECT_NEAR(row[2 + s], s == c.section ? c.percent : 0.0, 1e-4) << "section " << s;
  }
}

TEST(ProfilerTest, RecordsStillBufferedAtExitReachTheReport) {
  for (int frames : {3, 1000, 1500}) {
    SCOPED_TRACE(frames);
    TempFolder folder(true);
    {
      util::Profiler profiler(kFakeClock);
      profiler.SetRecording(true);
      ASSERT_TRUE(profiler.StartWriting());
      for (int frame = 0; frame < frames; ++frame) RunFrame(profiler, 0, 1, 10);
      EXPECT_EQ(profiler.GetTotalRecords(), static_cast<uint32_t>(frames));
    }
    EXPECT_EQ(ReadLines("profile.csv").size(), static_cast<size_t>(frames) + 2);
    EXPECT_EQ(std::filesystem::file_size("profile.bin"),
              (static_cast<size_t>(frames) + 1) * sizeof(util::Profiler::Record));
  }
}

TEST(ProfilerTest, RecordingWithoutFileStaysInsideItsBuffer) {
  TempFolder folder(true);
  {
    util::Profiler profiler(kFakeClock);
    profiler.SetRecording(true);
    for (int frame = 0; frame < 2500; ++frame) {
      RunFrame(profiler, 1, 1, 2);
      ASSERT_LT(profiler.GetRecordsInBuffer(), util::Profiler::kFlushCount);
    }
    EXPECT_EQ(profiler.GetTotalRecords(), 2500u);
    EXPECT_EQ(profiler.GetRecordsInBuffer(), 500u);
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(ProfilerTest, ScopesOutsideTheSectionsAreIgnored) {
  util::Profiler profiler(kFakeClock);
  for (int section : {-1, util::Profiler::kSectionCount}) {
    util::ProfileScope scope(profiler, section);
    fakeNow += 10;
  }
  for (int s = 0; s < util::Profiler::kSectionCount; ++s)
    EXPECT_EQ(profiler.GetSectionTotal(s), 0u);
}

TEST(ProfilerTest, ProcessProfilerCanSkipItsCalibrationPause) {
  util::testing::SkipCalibrationPause();
  auto start = std::chrono::steady_clock::now();
  util::Profiler& profiler = util::GetProfiler();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
  // The skipped second still counts, so frame lengths come out in seconds.
  EXPECT_GE(profiler.GetTicksPerSecond(), kTicksPerSecond);
  EXPECT_LT(profiler.GetTicksPerSecond(), kTicksPerSecond * 11 / 10);
  EXPECT_EQ(&profiler, &util::GetProfiler());
}
