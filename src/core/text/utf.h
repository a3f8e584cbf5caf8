// The one UTF-8 <-> UTF-16 codec. Display text is UTF-16 (char16_t; wchar_t is
// 32 bits here); keys, scripts and files are UTF-8.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace lang {

// The engine's conversions give at most this much text; the display code
// sizes its arrays for it.
constexpr size_t kMaxWideUnits = 1023;
constexpr size_t kMaxUtf8Bytes = 1023;

// Converts the whole view, stopping before the first character that would
// not fit in the limit, so a surrogate pair or a multi-byte sequence is never
// split. Malformed input becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text, size_t maxUnits);
std::string Utf16ToUtf8(std::u16string_view text, size_t maxBytes);

// The engine's conversions: the text up to its first NUL, within the limits
// above.
std::u16string UTF8ToWide(const std::string& text);
std::string WideToUTF8(const std::u16string& text);

}  // namespace lang
