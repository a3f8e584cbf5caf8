// Per-frame timing of up to 26 numbered sections. With recording on, each
// frame becomes a record of the frame's length and each section's share of it;
// with writing on too, the records go to "profile.bin", which is turned into
// the table "profile.csv" when the profiler is destroyed. Both start off.
#pragma once
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace util {

class Profiler {
 public:
  static constexpr int kSectionCount = 26;
  static constexpr uint32_t kFlushCount = 1000;  // records per write
  static constexpr std::chrono::milliseconds kCalibrationPause{1000};

  // Where the profiler reads its ticks and how it waits while calibrating.
  struct Clock {
    uint64_t (*now)();
    void (*pause)(std::chrono::milliseconds);
  };
  static const Clock kSteadyClock;

  // [0] frame length in seconds, [1] the frame timer's total time at the end
  // of the frame, [2 + s] section s's per cent of the frame.
  struct Record {
    float values[2 + kSectionCount];
  };

  explicit Profiler(const Clock& clock = kSteadyClock);
  ~Profiler();
  Profiler(const Profiler&) = delete;
  Profiler& operator=(const Profiler&) = delete;

  // Measures ticks per second over a pause of kCalibrationPause.
  void Calibrate();
  void ResetProfile();
  void BeginFrame();
  void EndFrame();
  void RecordFrame();
  void StopSection(int section);

  void SetRecording(bool on) { recording_ = on; }
  // Opens "profile.bin" and turns writing on; false, logged, when it cannot.
  bool StartWriting();

  uint64_t ReadCounter() const { return clock_.now(); }
  void AddSectionTicks(int section, uint64_t ticks);

  uint64_t GetTicksPerSecond() const { return ticksPerSecond_; }
  uint64_t GetSectionTotal(int section) const;
  uint64_t GetFrameTicks() const { return frameTicks_; }
  uint32_t GetTotalRecords() const { return totalRecords_; }
  uint32_t GetRecordsInBuffer() const { return recordsInBuffer_; }

 private:
  struct Section {
    uint64_t start;
    uint64_t total;
  };

  static bool IsSection(int section);
  void FlushRecords();
  void ConvertProfile();

  Clock clock_;
  std::unique_ptr<Record[]> records_;
  uint32_t totalRecords_ = 0;
  uint32_t recordsInBuffer_ = 0;
  FILE* profileFile_ = nullptr;
  bool writing_ = false;
  bool recording_ = false;
  Section sections_[kSectionCount] = {};
  std::string sectionNames_[kSectionCount];
  uint64_t ticksPerSecond_ = 0;
  double ticksPerSecondF_ = 1.0;
  uint64_t frameStart_ = 0;
  uint64_t lastFrameTotals_[kSectionCount] = {};
  uint64_t frameTicks_ = 0;
};

// The process-wide profiler; made on first use, which calibrates it.
Profiler& GetProfiler();

// Adds the time between its construction and destruction to a section,
// whatever the profiler's switches say.
class ProfileScope {
 public:
  explicit ProfileScope(int section);  // on the process-wide profiler
  ProfileScope(Profiler& profiler, int section);
  ~ProfileScope();
  ProfileScope(const ProfileScope&) = delete;
  ProfileScope& operator=(const ProfileScope&) = delete;

 private:
  Profiler& profiler_;
  int section_;
  uint64_t start_;
};

}  // namespace util
