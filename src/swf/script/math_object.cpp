#include "swf/script/math_object.h"

#include <cmath>

#include "swf/base/random_generator.h"
#include "swf/script/as_plain_object.h"
#include "swf/script/native_call.h"

namespace swf {
namespace {

// A missing argument reads as undefined, whose number is 0.
double x_of(const native_call& call) { return call.arg(0).to_number(); }
double y_of(const native_call& call) { return call.arg(1).to_number(); }

void set_number(const native_call& call, double value) {
  if (call.result) call.result->set_number(value);
}

template <double (*F)(double)>
void unary(const native_call& call) {
  set_number(call, F(x_of(call)));
}

double atan_of(double x) { return std::atan2(x, 1.0); }
double round_of(double x) { return std::floor(x + 0.5); }
double abs_of(double x) { return std::fabs(x); }
double acos_of(double x) { return std::acos(x); }
double asin_of(double x) { return std::asin(x); }
double cos_of(double x) { return std::cos(x); }
double sin_of(double x) { return std::sin(x); }
double tan_of(double x) { return std::tan(x); }
double exp_of(double x) { return std::exp(x); }
double sqrt_of(double x) { return std::sqrt(x); }
double ceil_of(double x) { return std::ceil(x); }
double floor_of(double x) { return std::floor(x); }
double log_of(double x) { return std::log(x); }

// The y coordinate comes first.
void math_atan2(const native_call& call) { set_number(call, std::atan2(x_of(call), y_of(call))); }

// A NaN on either side loses the comparison, so the second argument wins.
void math_max(const native_call& call) {
  const double x = x_of(call), y = y_of(call);
  set_number(call, y < x ? x : y);
}

void math_min(const native_call& call) {
  const double x = x_of(call), y = y_of(call);
  set_number(call, y > x ? x : y);
}

void math_pow(const native_call& call) { set_number(call, std::pow(x_of(call), y_of(call))); }

void math_random(const native_call& call) {
  set_number(call, next_random() * (std::ldexp(1.0, -32) + std::ldexp(1.0, -64)));
}

struct named_constant {
  const char* name;
  double value;
};

const named_constant kConstants[] = {
    {"e", 2.718281828459045},      {"ln2", 0.6931471805599453},  {"log2e", 1.4426950408889634},
    {"ln10", 2.302585092994046},   {"log10e", 0.4342944819032518}, {"pi", 3.141592653589793},
    {"sqrt1_2", 0.7071067811865476}, {"sqrt2", 1.4142135623730951},
};

struct named_function {
  const char* name;
  c_function function;
};

const named_function kFunctions[] = {
    {"abs", unary<abs_of>},   {"acos", unary<acos_of>}, {"asin", unary<asin_of>}, {"atan", unary<atan_of>},
    {"atan2", math_atan2},    {"ceil", unary<ceil_of>}, {"cos", unary<cos_of>},   {"exp", unary<exp_of>},
    {"floor", unary<floor_of>}, {"log", unary<log_of>}, {"max", math_max},        {"min", math_min},
    {"pow", math_pow},        {"random", math_random},  {"round", unary<round_of>}, {"sin", unary<sin_of>},
    {"sqrt", unary<sqrt_of>}, {"tan", unary<tan_of>},
};

}  // namespace

void math_init(as_plain_object* global) {
  as_plain_object* math = new as_plain_object();
  const as_variant value(static_cast<scriptable*>(math));
  for (const named_constant& c : kConstants) math->set_member(c.name, as_variant(c.value));
  for (const named_function& f : kFunctions) math->set_member(f.name, as_variant(f.function));
  global->set_member("math", value);
}

}  // namespace swf
