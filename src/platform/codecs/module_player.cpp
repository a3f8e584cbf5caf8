#include "platform/codecs/module_player.h"

#include <libopenmpt/libopenmpt.h>

namespace platform::sound {

ModulePlayer::~ModulePlayer() {
  if (module_) openmpt_module_destroy(module_);
}

bool ModulePlayer::Load(const void* data, size_t size, bool loop) {
  if (module_ || !data || size == 0) return false;
  // The library would otherwise write its messages to standard error.
  module_ = openmpt_module_create_from_memory2(data, size, openmpt_log_func_silent, nullptr,
                                               openmpt_error_func_ignore, nullptr, nullptr,
                                               nullptr, nullptr);
  if (!module_) return false;
  openmpt_module_set_repeat_count(module_, loop ? -1 : 0);
  return true;
}

size_t ModulePlayer::Render(int rate, size_t frames, float* stereo) {
  return openmpt_module_read_interleaved_float_stereo(module_, rate, frames, stereo);
}

void ModulePlayer::Restart() { openmpt_module_set_position_seconds(module_, 0.0); }

bool ModulePlayer::JumpTo(int order, int row) {
  if (order < 0 || order >= openmpt_module_get_num_orders(module_) || row < 0) return false;
  openmpt_module_set_position_order_row(module_, order, row);
  return true;
}

double ModulePlayer::PositionSeconds() const { return openmpt_module_get_position_seconds(module_); }
int ModulePlayer::Order() const { return openmpt_module_get_current_order(module_); }
int ModulePlayer::Row() const { return openmpt_module_get_current_row(module_); }

}  // namespace platform::sound
