// One tracker module (MOD, S3M, XM, IT, ...) rendered through libopenmpt.
#pragma once
#include <cstddef>

struct openmpt_module;

namespace platform::sound {

class ModulePlayer {
 public:
  ModulePlayer() = default;
  ~ModulePlayer();
  ModulePlayer(const ModulePlayer&) = delete;
  ModulePlayer& operator=(const ModulePlayer&) = delete;

  // False when the data is no module libopenmpt can play.
  bool Load(const void* data, size_t size, bool loop);
  // Renders up to `frames` interleaved stereo float frames at `rate`; fewer
  // (down to none) once a module that does not loop has ended.
  size_t Render(int rate, size_t frames, float* stereo);
  void Restart();
  // False when the order is outside the order list.
  bool JumpTo(int order, int row);
  double PositionSeconds() const;
  int Order() const;
  int Row() const;

 private:
  openmpt_module* module_ = nullptr;
};

}  // namespace platform::sound
