#include "core/script/swear_filter.h"

#include "core/log.h"
#include "core/script/script_helper.h"
#include "core/text/utf.h"

namespace {

char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c; }

void AddPattern(const LuaPlus::LuaObject& value, SwearEntry& entry) {
  if (!value.IsString()) return;
  std::u16string pattern = lang::UTF8ToWide(value.GetString());
  if (!pattern.empty()) entry.patterns.push_back(pattern);
}

}  // namespace

bool SwearFilter::Load(const std::string& path) {
  LuaPlus::LuaState* state = script::CreateLuaState();
  if (!script::LoadDataScript(state, path)) {
    LuaPlus::LuaState::Destroy(state);
    LOG_LINE(MSG_ERROR, "Unable to load swear words " + path + "!");
    return false;
  }
  {
    LuaPlus::LuaObject list = script::GetGlobalObject(state, "Swear");
    int count = list.IsTable() ? list.GetTableCount() : 0;
    for (int i = 1; i <= count; ++i) {
      LuaPlus::LuaObject item = list[i];
      if (!item.IsTable()) continue;
      SwearEntry entry;
      LuaPlus::LuaObject from = item["From"];
      AddPattern(from, entry);
      for (int k = 1, n = from.IsTable() ? from.GetTableCount() : 0; k <= n; ++k)
        AddPattern(from[k], entry);
      if (entry.patterns.empty()) continue;
      entry.replacement = lang::UTF8ToWide(script::ReadString(item, "To", "-"));
      entries_.push_back(entry);
    }
  }
  LuaPlus::LuaState::Destroy(state);
  return true;
}

size_t SwearFilter::FindMatch(std::u16string_view text, std::u16string_view pattern) {
  if (pattern.empty() || text.size() < pattern.size()) return text.size();
  for (size_t start = 0; start + pattern.size() <= text.size(); ++start) {
    size_t i = 0;
    while (i < pattern.size() &&
           (pattern[i] == u'?' || LowerAscii(pattern[i]) == LowerAscii(text[start + i])))
      ++i;
    if (i == pattern.size()) return start;
  }
  return text.size();
}

std::u16string SwearFilter::FilterWide(const std::u16string& input) const {
  std::u16string text = input;
  for (const SwearEntry& entry : entries_) {
    for (const std::u16string& pattern : entry.patterns) {
      // The search resumes after each inserted replacement, so a replacement
      // holding its own pattern cannot loop forever.
      size_t from = 0;
      for (;;) {
        std::u16string_view rest = std::u16string_view(text).substr(from);
        size_t match = FindMatch(rest, pattern);
        if (match == rest.size()) break;
        text.replace(from + match, pattern.size(), entry.replacement);
        from += match + entry.replacement.size();
      }
    }
  }
  return text;
}

std::string SwearFilter::Filter(const std::string& text) const {
  return lang::WideToUTF8(FilterWide(lang::UTF8ToWide(text)));
}

SwearFilter& GetSwearFilter() {
  static SwearFilter filter;
  return filter;
}
