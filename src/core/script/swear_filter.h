// Replaces listed words in display text. The list comes from a Lua file
// defining the table "Swear": entries { From = word or { words }, To = text }.
// In a word "?" stands for any one character; ASCII letters match either case.
#pragma once
#include <string>
#include <string_view>
#include <vector>

struct SwearEntry {
  std::vector<std::u16string> patterns;  // none empty
  std::u16string replacement;
};

class SwearFilter {
 public:
  // Appends the file's entries; false, list unchanged, when it cannot be run.
  bool Load(const std::string& path);
  // UTF-8 in and out.
  std::string Filter(const std::string& text) const;
  std::u16string FilterWide(const std::u16string& text) const;
  // Position of the first match of the pattern in the text; text.size() when
  // there is none.
  static size_t FindMatch(std::u16string_view text, std::u16string_view pattern);

 private:
  std::vector<SwearEntry> entries_;
};

// The process-wide filter, empty until loaded.
SwearFilter& GetSwearFilter();
