#include "swf/script/builtins.h"

#include <cstdio>

#include "swf/base/log.h"
#include "swf/script/as_plain_object.h"
#include "swf/script/call_method.h"
#include "swf/script/key_object.h"
#include "swf/script/math_object.h"
#include "swf/script/movieclip_loader.h"
#include "swf/script/sound_object.h"
#include "swf/script/string_object.h"
#include "swf/script/text_format_object.h"

namespace swf {
namespace {
as_plain_object* g_global = nullptr;  // one reference held

struct global_release {
  ~global_release() { clear_builtins(); }
} g_release_at_exit;
}  // namespace

void init_builtins() {
  if (g_global) return;
  g_global = new as_plain_object();
  g_global->take_ref();
  g_global->set_member("trace", as_variant(trace_builtin));
  g_global->set_member("Object", as_variant(object_ctor));
  g_global->set_member("Sound", as_variant(sound_ctor));
  g_global->set_member("Array", as_variant(array_ctor));
  g_global->set_member("TextFormat", as_variant(textformat_new));
  g_global->set_member("MovieClipLoader", as_variant(moviecliploader_new));
  g_global->set_member("String", as_variant(string_ctor));
  math_init(g_global);
  key_init(g_global);
}

as_plain_object* global_object() { return g_global; }

void clear_builtins() {
  if (!g_global) return;
  as_plain_object* global = g_global;
  g_global = nullptr;
  release_ref(global);
}

void trace_builtin(const native_call& call) {
  const as_variant& value = call.arg(0);
  if (scriptable* object = value.kind() == as_variant::OBJECT ? value.to_object() : nullptr) {
    as_variant to_string;
    if (object->get_member("toString", &to_string) && to_string.is_function()) {
      const as_variant text = call_method0(to_string, call.context, object);
      log_trace(text.to_string().c_str());
      return;
    }
  }
  log_trace(value.to_string().c_str());
}

void object_ctor(const native_call& call) { call.set_result(as_variant(static_cast<scriptable*>(new as_plain_object()))); }

void array_ctor(const native_call& call) {
  as_plain_object* array = new as_plain_object();
  const as_variant value(static_cast<scriptable*>(array));
  const bool size_only = call.arg_count == 1 && call.arg(0).kind() == as_variant::NUMBER;
  if (!size_only) {
    for (int i = 0; i < call.arg_count; ++i) {
      char index[16];
      std::snprintf(index, sizeof index, "%d", i);
      array->set_member(index, call.arg(i));
    }
  }
  call.set_result(value);
}

}  // namespace swf
