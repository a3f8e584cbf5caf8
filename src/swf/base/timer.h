// An interval timer of a movie's scripts (setInterval): it fires each time
// its interval has passed since it last fired.
#pragma once

namespace swf {

class Timer {
 public:
  Timer(double interval, double start) : interval_(interval), start_(start) {}

  // True when the interval has passed (or the clock went back); it then
  // starts anew from now. A timer whose start is 0 or less never fires.
  bool expired();
  double start() const { return start_; }

 private:
  double interval_;  // seconds
  double start_;     // seconds on the player's clock
};

}  // namespace swf
