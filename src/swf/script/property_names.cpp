#include "swf/script/property_names.h"

#include "swf/base/log.h"
#include "swf/base/open_hash.h"
#include "swf/script/movie.h"

namespace swf {
namespace {
const char* const kPropertyNames[kPropertyCount] = {
    "_x",       "_y",        "_xscale",     "_yscale",  "_currentframe", "_totalframes", "_alpha", "_visible",
    "_width",   "_height",   "_rotation",   "_target",  "_framesloaded", "_name",        "_droptarget", "_url",
    "_highquality", "_focusrect", "_soundbuftime", "@@ mystery quality member", "_xmouse", "_ymouse"};

const char* const kStandardMembers[] = {
    "_x",        "_y",          "_xscale",   "_yscale",       "_currentframe", "_totalframes", "_alpha",
    "_visible",  "_width",      "_height",   "_rotation",     "_target",       "_framesloaded", "_name",
    "_droptarget", "_url",      "_highquality", "_focusrect", "_soundbuftime", "_xmouse",      "_ymouse",
    "_parent",   "text",        "textWidth", "textColor",     "onLoad"};

const char* const kEventHandlerNames[] = {
    "INVALID",      "onPress",       "onRelease",   "onRelease_Outside", "onRoll_Over",    "onRoll_Out",
    "onDrag_Over",  "onDrag_Out",    "onKeyPress",  "onInitialize",      "onLoad",         "onUnload",
    "onEnterFrame", "onMouseDown",   "onMouseUp",   "onMouseMove",       "onKeyDown",      "onKeyUp",
    "onData",       "onLoadStart",   "onLoadError", "onLoadProgress",    "onLoadInit",     "onSockClose",
    "onSockConnect", "onSockXML",    "onXMLLoad",   "onXMLData",         "onTimer",        ""};
constexpr int kEventHandlerCount = sizeof kEventHandlerNames / sizeof kEventHandlerNames[0];
}  // namespace

const small_string& property_name(int n) {
  static const small_string* const names = [] {
    static small_string table[kPropertyCount];
    for (int i = 0; i < kPropertyCount; ++i) table[i] = kPropertyNames[i];
    return table;
  }();
  return names[n];
}

as_variant get_property(movie* character, int n) {
  as_variant value;
  if (n < 0 || n >= kPropertyCount) {
    log_error("error: invalid property query, property number %d\n", n);
    return value;
  }
  character->get_member(property_name(n), &value);
  return value;
}

void set_property(movie* character, int n, const as_variant& value) {
  if (n < 0 || n >= kPropertyCount) {
    log_error("error: invalid set_property, property number %d\n", n);
    return;
  }
  character->set_member(property_name(n), value);
}

int standard_member_id(const small_string& name) {
  static open_hash<small_string, int32_t>* const ids = [] {
    static open_hash<small_string, int32_t> table;
    table.set_capacity(39);
    for (int i = 0; i < static_cast<int>(sizeof kStandardMembers / sizeof kStandardMembers[0]); ++i)
      table.add(kStandardMembers[i], i);
    return &table;
  }();
  int32_t id = -1;
  ids->get(name, &id);
  return id;
}

const small_string& event_handler_name(int event) {
  static const small_string* const names = [] {
    static small_string table[kEventHandlerCount];
    for (int i = 0; i < kEventHandlerCount; ++i) table[i] = kEventHandlerNames[i];
    return table;
  }();
  return names[event >= 0 && event < kEventHandlerCount ? event : kEventHandlerCount - 1];
}

}  // namespace swf
