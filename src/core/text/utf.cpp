#include "core/text/utf.h"

namespace lang {
namespace {
constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Decodes one character at text[i], advancing i. A malformed sequence yields
// U+FFFD and consumes its longest valid-looking prefix (at least one byte).
char32_t DecodeUtf8(std::string_view text, size_t& i) {
  const unsigned char lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  size_t more;
  char32_t cp;
  unsigned char lo = 0x80, hi = 0xBF;  // range of the first continuation byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    more = 1;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    more = 2;
    cp = lead & 0x0F;
    if (lead == 0xE0) lo = 0xA0;  // no overlong forms
    if (lead == 0xED) hi = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    more = 3;
    cp = lead & 0x07;
    if (lead == 0xF0) lo = 0x90;
    if (lead == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
  } else {
    return kReplacement;
  }
  for (; more > 0; --more) {
    if (i >= text.size()) return kReplacement;
    const unsigned char b = static_cast<unsigned char>(text[i]);
    if (b < lo || b > hi) return kReplacement;
    cp = (cp << 6) | (b & 0x3F);
    ++i;
    lo = 0x80;
    hi = 0xBF;
  }
  return cp;
}

size_t Utf8Length(char32_t cp) {
  if (cp < 0x80) return 1;
  if (cp < 0x800) return 2;
  if (cp < 0x10000) return 3;
  return 4;
}

void AppendUtf8(char32_t cp, std::string& out) {
  switch (Utf8Length(cp)) {
    case 1:
      out += static_cast<char>(cp);
      break;
    case 2:
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
      break;
    case 3:
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
      break;
    default:
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
      break;
  }
}

template <typename Char>
std::basic_string_view<Char> UpToNul(const std::basic_string<Char>& text) {
  return std::basic_string_view<Char>(text.c_str());
}
}  // namespace

std::u16string Utf8ToUtf16(std::string_view text, size_t maxUnits) {
  std::u16string out;
  size_t i = 0;
  while (i < text.size()) {
    const char32_t cp = DecodeUtf8(text, i);
    if (cp < 0x10000) {
      if (out.size() + 1 > maxUnits) break;
      out += static_cast<char16_t>(cp);
    } else {
      if (out.size() + 2 > maxUnits) break;
      const char32_t v = cp - 0x10000;
      out += static_cast<char16_t>(0xD800 | (v >> 10));
      out += static_cast<char16_t>(0xDC00 | (v & 0x3FF));
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text, size_t maxBytes) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      cp = kReplacement;
    }
    if (out.size() + Utf8Length(cp) > maxBytes) break;
    AppendUtf8(cp, out);
  }
  return out;
}

std::u16string UTF8ToWide(const std::string& text) { return Utf8ToUtf16(UpToNul(text), kMaxWideUnits); }

std::string WideToUTF8(const std::u16string& text) {
  // Very long texts are cut to their first 1014 units before conversion (a
  // pair is not split), as the engine always has.
  constexpr size_t kLongText = 1024, kCutTo = 1014;
  std::u16string_view view = UpToNul(text);
  if (view.size() > kLongText) {
    size_t cut = kCutTo;
    if (IsHighSurrogate(view[cut - 1])) --cut;
    view = view.substr(0, cut);
  }
  return Utf16ToUtf8(view, kMaxUtf8Bytes);
}

}  // namespace lang
