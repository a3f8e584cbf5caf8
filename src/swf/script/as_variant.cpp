#include "swf/script/as_variant.h"

#include <locale.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "swf/script/as_function.h"
#include "swf/script/as_plain_object.h"
#include "swf/script/scriptable.h"

namespace swf {
namespace {
// Numbers print and parse in the "C" locale, whatever the process has set.
locale_t c_locale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return locale;
}

bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A whole decimal number: optional white space and sign, digits with an
// optional point, an optional exponent, then the end of the text.
}  // namespace

bool parse_number_text(const char* text, double* out) {
  const char* p = text;
  while (is_space(*p)) ++p;
  if (*p == '+' || *p == '-') ++p;
  if (!((*p >= '0' && *p <= '9') || *p == '.')) return false;  // no infinity or not-a-number forms
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) return false;  // no hexadecimal
  char* end = nullptr;
  const double value = strtod_l(text, &end, c_locale());
  if (end == text || *end != '\0') return false;
  *out = value;
  return true;
}

namespace {

void print_number(small_string& text, double value) {
  char buffer[50];
  const locale_t previous = uselocale(c_locale());
  std::snprintf(buffer, sizeof buffer, "%.14g", value);
  uselocale(previous);
  text = buffer;
}
}  // namespace

int32_t double_to_int32(double value) {
  if (!std::isfinite(value)) return 0;
  // The low 32 bits of the truncated integer, exact at any magnitude.
  double low = std::fmod(std::trunc(value), 4294967296.0);
  if (low < 0) low += 4294967296.0;
  return static_cast<int32_t>(static_cast<uint32_t>(low));
}

int32_t double_to_index(double value) {
  if (std::isnan(value)) return 0;
  if (value <= INT32_MIN) return INT32_MIN;
  if (value >= INT32_MAX) return INT32_MAX;
  return static_cast<int32_t>(value);
}

as_variant::as_variant(const char16_t* text) : as_variant() {
  kind_ = STRING;
  text_.assign_wide(text);
}

as_variant& as_variant::operator=(const as_variant& other) {
  if (this == &other) return *this;
  switch (other.kind_) {
    case STRING:
      set_string(other.text_);
      payload_.number = other.payload_.number;
      break;
    case OBJECT:
      set_object(other.payload_.object);
      break;
    case AS_FUNCTION:
      set_as_function(other.payload_.as_func);
      break;
    default:
      drop_ref();
      kind_ = other.kind_;
      payload_ = other.payload_;
      break;
  }
  return *this;
}

void as_variant::drop_ref() {
  // The kind changes first, so a destructor that reaches this value sees no
  // reference left to drop.
  if (kind_ == OBJECT && payload_.object) {
    scriptable* object = payload_.object;
    kind_ = UNDEFINED;
    release_ref(object);
  } else if (kind_ == AS_FUNCTION && payload_.as_func) {
    as_function* function = payload_.as_func;
    kind_ = UNDEFINED;
    release_ref(function);
  }
}

void as_variant::take_ref() {
  if (kind_ == OBJECT && payload_.object) payload_.object->take_ref();
  if (kind_ == AS_FUNCTION && payload_.as_func) payload_.as_func->take_ref();
}

void as_variant::set_undefined() {
  drop_ref();
  kind_ = UNDEFINED;
}

void as_variant::set_null() {
  drop_ref();
  kind_ = NULLTYPE;
}

void as_variant::set_bool(bool value) {
  drop_ref();
  kind_ = BOOLEAN;
  payload_.number = 0;
  payload_.boolean = value;
}

void as_variant::set_number(double value) {
  drop_ref();
  kind_ = NUMBER;
  payload_.number = value;
}

void as_variant::set_string(const char* text) {
  small_string copy(text ? text : "");  // the text may be this value's own
  drop_ref();
  kind_ = STRING;
  text_ = static_cast<small_string&&>(copy);
  payload_.number = 0;
}

void as_variant::set_string(const small_string& text) { set_string(text.c_str()); }

void as_variant::set_object(scriptable* object) {
  if (kind_ == OBJECT && payload_.object == object) return;
  if (object) object->take_ref();  // before the drop: the old value may hold the only reference
  drop_ref();
  kind_ = OBJECT;
  payload_.object = object;
}

void as_variant::set_c_function(c_function function) {
  drop_ref();
  kind_ = C_FUNCTION;
  payload_.c_func = function;
}

void as_variant::set_as_function(as_function* function) {
  if (kind_ == AS_FUNCTION && payload_.as_func == function) return;
  if (function) function->take_ref();
  drop_ref();
  kind_ = AS_FUNCTION;
  payload_.as_func = function;
}

const small_string& as_variant::to_string() const {
  char buffer[50];
  switch (kind_) {
    case UNDEFINED:
      text_ = "undefined";
      break;
    case NULLTYPE:
      text_ = "null";
      break;
    case BOOLEAN:
      text_ = payload_.boolean ? "true" : "false";
      break;
    case STRING:
      break;
    case NUMBER:
      print_number(text_, payload_.number);
      break;
    case OBJECT: {
      const char* value = payload_.object ? payload_.object->get_text_value() : nullptr;
      text_ = value ? value : "[object Object]";
      break;
    }
    case C_FUNCTION:
      std::snprintf(buffer, sizeof buffer, "<c_function 0x%X>",
                    static_cast<unsigned>(reinterpret_cast<uintptr_t>(payload_.c_func)));
      text_ = buffer;
      break;
    case AS_FUNCTION:
      std::snprintf(buffer, sizeof buffer, "<as_function 0x%X>",
                    static_cast<unsigned>(reinterpret_cast<uintptr_t>(payload_.as_func)));
      text_ = buffer;
      break;
    default:
      text_ = "<bad type>";
      break;
  }
  return text_;
}

const small_string& as_variant::to_string_versioned(int swf_version) const {
  if (kind_ == UNDEFINED && swf_version <= 6) {
    text_ = "";
    return text_;
  }
  return to_string();
}

double as_variant::to_number() const {
  switch (kind_) {
    case BOOLEAN:
      return payload_.boolean ? 1 : 0;
    case NUMBER:
      return payload_.number;
    case STRING: {
      double value = 0;
      if (!parse_number_text(text_.c_str(), &value)) value = 0;
      payload_.number = value;
      return value;
    }
    case OBJECT: {
      const char* value = payload_.object ? payload_.object->get_text_value() : nullptr;
      return value ? strtod_l(value, nullptr, c_locale()) : 0;
    }
    default:
      return 0;
  }
}

bool as_variant::to_bool() const {
  switch (kind_) {
    case BOOLEAN:
      return payload_.boolean;
    case STRING:
      if (text_ == "false") return false;
      if (text_ == "true") return true;
      return to_number() != 0;
    case NUMBER:
      return payload_.number != 0;
    case OBJECT:
      return payload_.object != nullptr;
    case C_FUNCTION:
      return payload_.c_func != nullptr;
    case AS_FUNCTION:
      return payload_.as_func != nullptr;
    default:
      return false;
  }
}

scriptable* as_variant::to_object() const {
  if (kind_ == OBJECT) return payload_.object;
  if (kind_ == AS_FUNCTION && payload_.as_func) return payload_.as_func->get_properties();
  return nullptr;
}

int32_t as_variant::to_int32() const { return double_to_int32(to_number()); }

void as_variant::convert_to_string_versioned(int swf_version) {
  const small_string text(to_string_versioned(swf_version));
  set_string(text);
}

bool as_variant::equals(const as_variant& other) const {
  const bool this_empty = kind_ == UNDEFINED || kind_ == NULLTYPE;
  const bool other_empty = other.kind_ == UNDEFINED || other.kind_ == NULLTYPE;
  if (this_empty || other_empty) return this_empty && other_empty;
  switch (kind_) {
    case STRING:
      return text_ == other.to_string();
    case NUMBER:
      return payload_.number == other.to_number();
    case BOOLEAN:
      return payload_.boolean == other.to_bool();
    default:
      return kind_ == other.kind_;
  }
}

bool as_variant::less(const as_variant& other) const { return to_number() < other.to_number(); }

void as_variant::shift_left(const as_variant& other) {
  set_int(static_cast<int32_t>(static_cast<uint32_t>(to_int32()) << (other.to_int32() & 31)));
}

void as_variant::shift_right(const as_variant& other) { set_int(to_int32() >> (other.to_int32() & 31)); }

void as_variant::shift_right_logical(const as_variant& other) {
  set_int(static_cast<int32_t>(static_cast<uint32_t>(to_int32()) >> (other.to_int32() & 31)));
}

void as_variant::string_concat(const char* text) {
  small_string joined(to_string());
  joined.append(text);
  set_string(joined);
}

}  // namespace swf
