// An interval timer of a movie's scripts (setInterval): it fires each time
// its interval has passed since it last fired, and then calls its function.
#pragma once
#include "swf/script/as_variant.h"
#include "swf/script/scriptable.h"

namespace swf {

class as_context;

class Timer : public scriptable {
 public:
  Timer(double interval, double start) : interval_(interval), start_(start) {}

  // True when the interval has passed (or the clock went back); it then
  // starts anew from now. A timer whose start is 0 or less never fires.
  bool expired();
  double start() const { return start_; }

  as_variant function;      // what the timer calls
  as_variant this_object;   // the object that is "this" for the call
  as_context* context = nullptr;  // where script functions run; not counted

 private:
  double interval_;  // seconds
  double start_;     // seconds on the player's clock
};

}  // namespace swf
