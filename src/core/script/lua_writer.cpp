#include "core/script/lua_writer.h"

#include <clocale>
#include <cmath>
#include <cstdarg>
#include <locale.h>
#include <vector>

#include "core/log.h"
#include "core/text/utf.h"
#include "platform/lua/luaplus.h"

namespace {

// Files must read back the same wherever the process locale puts a decimal
// comma, so every piece is formatted in the C locale.
std::string FormatC(const char* format, va_list args) {
  static locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
  locale_t previous = uselocale(cLocale);
  va_list measure;
  va_copy(measure, args);
  int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  std::string text;
  if (length > 0) {
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    text.assign(buffer.data(), static_cast<size_t>(length));
  }
  uselocale(previous);
  return text;
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatC(format, args);
  va_end(args);
  return text;
}

// "%f" of the value; infinities and NaN as expressions that evaluate to
// them, since Lua would read "inf" or "nan" as an unset global.
std::string Number(float value) {
  if (std::isnan(value)) return "0/0";
  if (std::isinf(value)) return value > 0 ? "1/0" : "-1/0";
  return Format("%f", value);
}

}  // namespace

bool WriteLua::Open(const std::string& path) {
  if (file_) {
    LOG_LINE(MSG_WARNING, "WriteLua file already open: unable to open at " + path);
    return false;
  }
  file_ = std::fopen(path.c_str(), "w");
  if (!file_) {
    LOG_LINE(MSG_WARNING, "Unable to open WriteLua file at " + path);
    return false;
  }
  return true;
}

void WriteLua::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

void WriteLua::Put(const std::string& piece) {
  if (file_) std::fwrite(piece.data(), 1, piece.size(), file_);
}

std::string WriteLua::GetIndent() const { return std::string(static_cast<size_t>(indent_) * 3, ' '); }

std::string WriteLua::Escape(const std::string& text) { return LuaPlus::EscapeString(text); }

void WriteLua::BeginTable(const std::string& name) {
  if (!name.empty()) Put(GetIndent() + name + " = \n");
  Put(GetIndent() + "{ \n");
  ++indent_;
}

void WriteLua::EndTable(bool withComma) {
  if (indent_ > 0) --indent_;
  Put(GetIndent() + (withComma ? "}, \n" : "}\n"));
}

void WriteLua::WriteString(const std::string& name, const std::string& value) {
  Put(GetIndent() + name + " = \"" + Escape(value) + "\",\n");
}

void WriteLua::WriteWString(const std::string& name, const std::u16string& value) {
  WriteString(name, lang::WideToUTF8(value));
}

void WriteLua::WriteInt(const std::string& name, int value) {
  Put(Format("%s%s = %i,\n", GetIndent().c_str(), name.c_str(), value));
}

void WriteLua::WriteFloat(const std::string& name, float value) {
  Put(GetIndent() + name + " = " + Number(value) + ",\n");
}

void WriteLua::WriteVec2(const std::string& name, const math::Vec2& value) {
  Put(GetIndent() + name + " = { " + Number(value.x) + ", " + Number(value.y) + " },\n");
}

void WriteLua::WriteVec4(const std::string& name, const math::Vec4& value) {
  Put(GetIndent() + name + " = { " + Number(value.x) + ", " + Number(value.y) + ", " +
      Number(value.z) + ", " + Number(value.w) + " },\n");
}

void WriteLua::Print(const char* format, ...) {
  va_list args;
  va_start(args, format);
  Put(FormatC(format, args));
  va_end(args);
}

void WriteLua::PrintLine(const char* format, ...) {
  va_list args;
  va_start(args, format);
  Put(GetIndent() + FormatC(format, args) + "\n");
  va_end(args);
}
