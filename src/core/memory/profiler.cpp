#include "core/memory/profiler.h"

#include <atomic>
#include <thread>

#include "core/frame_timer.h"
#include "core/log.h"
#include "core/memory/profiler_testing.h"

namespace util {
namespace {
const char* const kProfileFileName = "profile.bin";
const char* const kReportFileName = "profile.csv";
const char* const kNamedSections[] = {"rendering", "network", "scripting", "ui"};

uint64_t SteadyTicks() {
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                   std::chrono::steady_clock::now().time_since_epoch())
                                   .count());
}

void Sleep(std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); }

// The test clock: steady time plus every pause it was asked to skip.
std::atomic<uint64_t> skippedTicks{0};
bool skipCalibrationPause = false;

uint64_t SkippingTicks() { return SteadyTicks() + skippedTicks; }

void Skip(std::chrono::milliseconds pause) {
  skippedTicks +=
      static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(pause).count());
}

const Profiler::Clock kSkippingClock = {SkippingTicks, Skip};
}  // namespace

const Profiler::Clock Profiler::kSteadyClock = {SteadyTicks, Sleep};

Profiler::Profiler(const Clock& clock) : clock_(clock), records_(new Record[kFlushCount]) {
  ResetProfile();
  Calibrate();
  for (int s = 0; s < 4; ++s) sectionNames_[s] = kNamedSections[s];
}

Profiler::~Profiler() {
  if (writing_ && recording_ && profileFile_) ConvertProfile();
  if (profileFile_) std::fclose(profileFile_);
}

void Profiler::Calibrate() {
  uint64_t start = clock_.now();
  clock_.pause(kCalibrationPause);
  ticksPerSecond_ = clock_.now() - start;
  // A clock that did not move would make every frame length infinite.
  ticksPerSecondF_ = ticksPerSecond_ ? static_cast<double>(ticksPerSecond_) : 1.0;
}

void Profiler::ResetProfile() {
  for (Section& section : sections_) section = {0, 0};
  for (uint64_t& total : lastFrameTotals_) total = 0;
  frameStart_ = 0;
  frameTicks_ = 0;
  totalRecords_ = 0;
  recordsInBuffer_ = 0;
  if (profileFile_) std::rewind(profileFile_);
}

void Profiler::BeginFrame() {
  if (!recording_) return;
  for (Section& section : sections_) section = {0, 0};
  frameStart_ = clock_.now();
}

void Profiler::EndFrame() {
  if (!recording_) return;
  for (int s = 0; s < kSectionCount; ++s) {
    StopSection(s);
    lastFrameTotals_[s] = sections_[s].total;
    sections_[s].total = 0;
  }
  frameTicks_ = clock_.now() - frameStart_;
  RecordFrame();
}

void Profiler::StopSection(int section) {
  if (!recording_ || !IsSection(section)) return;
  Section& entry = sections_[section];
  if (entry.start != 0) entry.total += clock_.now() - entry.start;
  entry.start = 0;
}

void Profiler::RecordFrame() {
  if (!recording_) return;
  float* values = records_[recordsInBuffer_].values;
  values[0] = static_cast<float>(static_cast<double>(frameTicks_) / ticksPerSecondF_);
  values[1] = GetFrameTimer().GetTotalTime();
  for (int s = 0; s < kSectionCount; ++s) {
    values[2 + s] = frameTicks_ ? static_cast<float>(static_cast<double>(lastFrameTotals_[s]) /
                                                     static_cast<double>(frameTicks_) * 100.0)
                                : 0.0f;
  }
  ++recordsInBuffer_;
  ++totalRecords_;
  if (recordsInBuffer_ < kFlushCount) return;
  if (profileFile_)
    FlushRecords();
  else
    recordsInBuffer_ = 0;  // nowhere to keep them: the buffer is reused
}

void Profiler::FlushRecords() {
  if (std::fwrite(records_.get(), sizeof(Record), recordsInBuffer_, profileFile_) !=
      recordsInBuffer_) {
    LOG_LINE(MSG_ERROR, std::string("Unable to write profile records to ") + kProfileFileName);
  }
  recordsInBuffer_ = 0;
}

bool Profiler::StartWriting() {
  if (!profileFile_) profileFile_ = std::fopen(kProfileFileName, "wb");
  if (!profileFile_) {
    LOG_LINE(MSG_ERROR, std::string("Unable to open profile file ") + kProfileFileName);
    return false;
  }
  writing_ = true;
  return true;
}

void Profiler::AddSectionTicks(int section, uint64_t ticks) {
  if (IsSection(section)) sections_[section].total += ticks;
}

uint64_t Profiler::GetSectionTotal(int section) const {
  return IsSection(section) ? sections_[section].total : 0;
}

bool Profiler::IsSection(int section) {
  if (section >= 0 && section < kSectionCount) return true;
  LOG_LINE(MSG_ERROR, "Profile section " + std::to_string(section) + " out of range");
  return false;
}

void Profiler::ConvertProfile() {
  RecordFrame();
  // The records since the last full buffer are written before the file is read.
  FlushRecords();
  std::fclose(profileFile_);
  profileFile_ = nullptr;

  FILE* in = std::fopen(kProfileFileName, "rb");
  FILE* out = std::fopen(kReportFileName, "w");
  if (!in || !out) {
    LOG_LINE(MSG_ERROR,
             std::string("Unable to convert ") + kProfileFileName + " to " + kReportFileName);
  } else {
    std::fputs("StartTime, TotalTime, ", out);
    for (const std::string& name : sectionNames_) std::fprintf(out, "%s, ", name.c_str());
    std::fputs("\n", out);
    // Reads what the file holds, which after a failed write is less than
    // the number of records made.
    Record record;
    while (std::fread(&record, sizeof record, 1, in) == 1) {
      std::fprintf(out, "%f, %f, ", record.values[1], record.values[0]);
      for (int s = 0; s < kSectionCount; ++s) std::fprintf(out, "%f, ", record.values[2 + s]);
      std::fputs("\n", out);
    }
  }
  if (in) std::fclose(in);
  if (out) std::fclose(out);
}

Profiler& GetProfiler() {
  static Profiler profiler(skipCalibrationPause ? kSkippingClock : Profiler::kSteadyClock);
  return profiler;
}

ProfileScope::ProfileScope(int section) : ProfileScope(GetProfiler(), section) {}

ProfileScope::ProfileScope(Profiler& profiler, int section)
    : profiler_(profiler), section_(section), start_(profiler.ReadCounter()) {}

ProfileScope::~ProfileScope() {
  profiler_.AddSectionTicks(section_, profiler_.ReadCounter() - start_);
}

namespace testing {
void SkipCalibrationPause() { skipCalibrationPause = true; }
}  // namespace testing

}  // namespace util
