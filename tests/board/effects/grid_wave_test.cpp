#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/effects/qor_grid_wave.h"

namespace {

using Strings = std::vector<std::string>;

// Logs every hook; delays and duration may be replaced by a test.
class LoggingWave : public QORGridWave {
 public:
  using QORGridWave::QORGridWave;

  void OnCellProgress(int32_t x, int32_t y, float t) override {
    log.push_back("progress " + Cell(x, y) + " " + std::to_string(static_cast<int>(t * 100.0f + 0.5f)));
  }
  void OnCellStart(int32_t x, int32_t y) override { log.push_back("start " + Cell(x, y)); }
  void OnCellEnd(int32_t x, int32_t y) override { log.push_back("end " + Cell(x, y)); }
  void ResetCell(int32_t x, int32_t y) override { log.push_back("reset " + Cell(x, y)); }
  float GetDelay(int32_t x, int32_t y) override {
    ++delayQueries;
    return QORGridWave::GetDelay(x, y);
  }

  static std::string Cell(int32_t x, int32_t y) { return std::to_string(x) + "," + std::to_string(y); }

  Strings log;
  int delayQueries = 0;
};

TEST(GridWaveTest, DefaultDelaysRunADiagonalFromTheTopLeftAfterOneSecond) {
  LoggingWave wave(3, 2);
  EXPECT_FLOAT_EQ(wave.GetDuration(), 1.0f);
  const struct {
    int32_t x, y;
    float delay;
  } cases[] = {{0, 0, 1.0f}, {1, 0, 1.2f}, {0, 1, 1.2f}, {2, 1, 1.6f}};
  for (const auto& c : cases) EXPECT_FLOAT_EQ(wave.GetDelay(c.x, c.y), c.delay) << c.x << "," << c.y;
}

TEST(GridWaveTest, StartResetsColumnByColumnAndTicksWalkCellsInTheSameOrder) {
  LoggingWave wave(2, 2);
  wave.Start();
  EXPECT_EQ(wave.log, (Strings{"reset 0,0", "reset 0,1", "reset 1,0", "reset 1,1"}));
  wave.log.clear();
  // Cell (0, 0) starts at 1.0 s; (1, 0) and (0, 1) at 1.2 s; (1, 1) at 1.4 s.
  wave.Tick(1.0f);
  EXPECT_EQ(wave.log, (Strings{"start 0,0"}));
  wave.log.clear();
  wave.Tick(0.25f);
  // The tick in which a cell starts gives it no progress call.
  EXPECT_EQ(wave.log, (Strings{"progress 0,0 25", "start 0,1", "start 1,0"}));
  EXPECT_EQ(wave.delayQueries, 8) << "every delay is asked on every tick";
  EXPECT_FALSE(wave.IsFinished());
  wave.log.clear();
  wave.Tick(0.75f);  // 2.0 s: (0, 0) ends at exactly 1
  EXPECT_EQ(wave.log, (Strings{"progress 0,0 100", "end 0,0", "progress 0,1 80", "progress 1,0 80", "start 1,1"}));
  wave.Tick(1.0f);
  EXPECT_TRUE(wave.IsFinished());
  wave.log.clear();
  wave.Tick(1.0f);
  EXPECT_TRUE(wave.log.empty()) << "a finished wave does nothing";
}

TEST(GridWaveTest, AFirstTickPastACellsEndEndsItWithoutStartOrProgress) {
  LoggingWave wave(2, 1);
  wave.Tick(2.3f);  // (0, 0) runs 1.0 .. 2.0, (1, 0) 1.2 .. 2.2
  EXPECT_EQ(wave.log, (Strings{"end 0,0", "end 1,0"}));
  EXPECT_TRUE(wave.IsFinished());
}

TEST(GridWaveTest, AGridWithoutCellsIsFinishedAfterItsFirstTick) {
  for (const auto& size : {std::pair<int32_t, int32_t>{0, 0}, {0, 5}, {4, 0}, {-3, 2}}) {
    LoggingWave wave(size.first, size.second);
    wave.Start();
    EXPECT_FALSE(wave.IsFinished());
    wave.Tick(0.0f);
    EXPECT_TRUE(wave.IsFinished()) << size.first << " x " << size.second;
    EXPECT_TRUE(wave.log.empty());
  }
}

// A wave whose delays follow state that changes while it runs.
class MovingWave : public LoggingWave {
 public:
  using LoggingWave::LoggingWave;
  float GetDuration() override { return 0.5f; }
  float GetDelay(int32_t x, int32_t) override { return x == origin ? 0.0f : 10.0f; }
  int32_t origin = 0;
};

TEST(GridWaveTest, DelaysAreAskedAfreshEachTick) {
  MovingWave wave(2, 1);
  wave.Tick(0.1f);
  wave.origin = 1;
  wave.Tick(0.1f);  // time 0.2: cell 1 now starts at 0, cell 0 waits until 10
  EXPECT_EQ(wave.log, (Strings{"start 0,0", "start 1,0"}));
}

}  // namespace
