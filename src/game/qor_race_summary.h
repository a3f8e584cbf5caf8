// The screen after the race: the panel "race_summary" with the bet and the
// race time counting up, the place, and the stamp of the grade; the menu
// music loops behind it.
#pragma once
#include <cstdint>

#include "well/game_end.h"

class QORWell;

class QORRaceSummary : public well::GameEnd {
 public:
  static constexpr float kBeatSeconds = 0.5f;
  static constexpr const char* kPanelName = "race_summary";
  static constexpr const char* kMusic = "sounds/Menu Cue.ogg";

  explicit QORRaceSummary(QORWell* board);
  ~QORRaceSummary() override;

  void Setup(int32_t place, int32_t racerCount, float elapsed, int32_t bet, int32_t grade);
  void Tick(float dt) override;

  uint32_t GetMusicChannel() const { return channel_; }

 private:
  QORWell* board_;
  uint32_t channel_ = 0;
};
