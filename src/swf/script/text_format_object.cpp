#include "swf/script/text_format_object.h"

#include "swf/base/log.h"
#include "swf/script/as_context.h"

namespace swf {
namespace {

// Reads the member into the field when the object has it.
template <class T>
void copy_member(text_format_object* object, const char* name, T* field, T (*convert)(const as_variant&)) {
  as_variant value;
  if (object->get_member(name, &value)) *field = convert(value);
}

bool as_flag(const as_variant& v) { return v.to_bool(); }
float as_float(const as_variant& v) { return static_cast<float>(v.to_number()); }
int32_t as_integer(const as_variant& v) { return v.to_int32(); }
small_string as_text(const as_variant& v) { return v.to_string(); }

}  // namespace

void textformat_new(const native_call& call) {
  text_format_object* object = new text_format_object();
  const as_variant value(static_cast<scriptable*>(object));
  log_message("\tCreated New TextFormat object at %p. Not fully implmented yet!\n", static_cast<void*>(object));
  if (call.context) call.context->set_variable("setTextFormat", as_variant(textformat_set), with_stack());
  call.set_result(value);
}

void textformat_set(const native_call& call) {
  auto* object = dynamic_cast<text_format_object*>(call.arg(2).to_object());
  if (!object) return;
  text_format& f = object->format;
  // Member names ignore letter case here as everywhere.
  copy_member(object, "underline", &f.underline, as_flag);
  copy_member(object, "bold", &f.bold, as_flag);
  copy_member(object, "italic", &f.italic, as_flag);
  copy_member(object, "bullet", &f.bullet, as_flag);
  copy_member(object, "align", &f.align, as_text);
  copy_member(object, "blockIndent", &f.block_indent, as_float);
  copy_member(object, "color", &f.color, as_integer);
  copy_member(object, "indent", &f.indent, as_float);
  copy_member(object, "leading", &f.leading, as_float);
  copy_member(object, "leftMargin", &f.left_margin, as_float);
  copy_member(object, "rightMargin", &f.right_margin, as_float);
  copy_member(object, "size", &f.size, as_float);
}

}  // namespace swf
