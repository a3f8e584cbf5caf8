#include "core/text/strman.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include "core/log.h"
#include "core/files/loose_path.h"
#include "core/text/utf.h"
#include "platform/codecs/little_endian.h"

namespace lang {
namespace {
constexpr char kMagic[4] = {'b', 'c', 'o', 'l'};
constexpr uint32_t kMaxTextUnits = 1023;

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

// Little-endian 32-bit word; false at the end of the file.
bool ReadWord(FILE* file, uint32_t& word) {
  uint8_t bytes[4];
  if (std::fread(bytes, 1, 4, file) != 4) return false;
  word = platform::Load32(bytes);
  return true;
}

// A text of up to `units` UTF-16LE units, as much of it as the file holds,
// ending at its first zero unit.
std::u16string ReadText(FILE* file, uint32_t units) {
  uint8_t bytes[2 * kMaxTextUnits];
  const size_t got = std::fread(bytes, 2, units, file);
  std::u16string text;
  for (size_t i = 0; i < got; ++i) {
    const char16_t unit = platform::Load16(bytes + 2 * i);
    if (unit == 0) break;
    text += unit;
  }
  return text;
}

enum class Field { kText, kEnd, kTooLong };

// A length word, the reserved word and the text they announce.
Field ReadField(FILE* file, std::u16string& text) {
  uint32_t units = 0, reserved = 0;
  if (!ReadWord(file, units)) return Field::kEnd;
  if (units > kMaxTextUnits) return Field::kTooLong;
  ReadWord(file, reserved);
  text = ReadText(file, units);
  return Field::kText;
}
}  // namespace

void StrMan::LoadLangBin(const std::string& path) {
  Clear();
  File file(std::fopen(vfs::ResolveLoosePath(path).c_str(), "rb"));
  char magic[4];
  if (!file || std::fread(magic, 1, 4, file.get()) != 4 || std::memcmp(magic, kMagic, 4) != 0) {
    LOG_LINE(MSG_ERROR, "Unable to load Language file " + path + "!");
    return;
  }
  // A record cut short by the end of the file is used as far as it was read.
  while (!std::feof(file.get()) && !std::ferror(file.get())) {
    std::u16string key, value;
    Field keyField = ReadField(file.get(), key);
    Field valueField = keyField == Field::kText ? ReadField(file.get(), value) : keyField;
    if (valueField == Field::kTooLong) {
      LOG_LINE(MSG_ERROR, "Language file " + path + " holds a text longer than " +
                              std::to_string(kMaxTextUnits) + " characters!");
      return;
    }
    if (key.empty() || value.empty()) continue;
    // The first definition of a key stays.
    auto text = std::make_unique<std::u16string>(std::move(value));
    if (Add(WideToUTF8(key), text.get())) text.release();
  }
}

const std::u16string& StrMan::Lookup(const std::string& key) const {
  static const std::u16string kEmpty;
  const std::u16string* text = Find(key);
  return text ? *text : kEmpty;
}

const std::u16string& StrMan::LookupWide(const std::u16string& key) const {
  return Lookup(WideToUTF8(key));
}

StrMan& GetStrMan() {
  static StrMan table;
  return table;
}

}  // namespace lang
