#include "swf/base/timer.h"

#include "swf/base/clock.h"
#include "swf/base/log.h"

namespace swf {

bool Timer::expired() {
  if (start_ <= 0) return false;
  const double now = ticks_to_seconds(get_ticks());
  if (now > start_ + interval_) {
    start_ = now;
    return true;
  }
  if (now < start_) {
    log_message("Timer::expired - now (%lf) is before start (%lf)!\n     Expiring right now.\n", now, start_);
    start_ = now;
    return true;
  }
  return false;
}

}  // namespace swf
