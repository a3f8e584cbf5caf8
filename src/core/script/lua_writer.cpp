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
// comma, so every piece is formatted in the C locale. A piece is formatted
// on the stack when it fits: a saved board writes thousands of short lines.
class FormattedC {
 public:
  FormattedC(const char* format, va_list args) {
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    locale_t previous = uselocale(cLocale);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(small_, sizeof small_, format, measure);
    va_end(measure);
    size_ = length > 0 ? static_cast<size_t>(length) : 0;
    if (size_ >= sizeof small_) {
      large_.resize(size_ + 1);
      std::vsnprintf(large_.data(), large_.size(), format, args);
      data_ = large_.data();
    }
    uselocale(previous);
  }
  FormattedC(const FormattedC&) = delete;
  FormattedC& operator=(const FormattedC&) = delete;

  const char* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  char small_[256];
  std::vector<char> large_;
  const char* data_ = small_;
  size_t size_ = 0;
};

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const FormattedC text(format, args);
  va_end(args);
  return std::string(text.data(), text.size());
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

void WriteLua::Put(const std::string& piece) { Put(piece.data(), piece.size()); }

void WriteLua::Put(const char* piece, size_t size) {
  if (file_) std::fwrite(piece, 1, size, file_);
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
  Print("%*s%s = %i,\n", indent_ * 3, "", name.c_str(), value);
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
  const FormattedC text(format, args);
  Put(text.data(), text.size());
  va_end(args);
}

void WriteLua::PrintLine(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const FormattedC text(format, args);
  Put(GetIndent() + std::string(text.data(), text.size()) + "\n");
  va_end(args);
}
