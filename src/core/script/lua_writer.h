// Writes the engine's Lua data files: one global assigned a nested table,
// streamed field by field with three spaces of indent per level.
#pragma once
#include <cstdio>
#include <string>

#include "core/math/vector.h"

class WriteLua {
 public:
  WriteLua() = default;
  ~WriteLua() { Close(); }
  WriteLua(const WriteLua&) = delete;
  WriteLua& operator=(const WriteLua&) = delete;

  // False, with a warning, when a file is already open or cannot be created.
  bool Open(const std::string& path);
  void Close();

  // An empty name makes the table the next array entry of the enclosing one;
  // a name starting with "--" turns the name line into a comment.
  void BeginTable(const std::string& name);
  void EndTable(bool withComma);
  void WriteString(const std::string& name, const std::string& value);
  void WriteWString(const std::string& name, const std::u16string& value);
  void WriteInt(const std::string& name, int value);
  void WriteFloat(const std::string& name, float value);
  void WriteVec2(const std::string& name, const math::Vec2& value);
  void WriteVec4(const std::string& name, const math::Vec4& value);
  // printf-style text as is; PrintLine adds the indent and a line break.
  // Numbers are formatted in the C locale.
  void Print(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void PrintLine(const char* format, ...) __attribute__((format(printf, 2, 3)));

  std::string GetIndent() const;
  // The body of a double-quoted Lua string that reads back as `text`.
  static std::string Escape(const std::string& text);

 private:
  // Writes the piece when a file is open.
  void Put(const std::string& piece);
  void Put(const char* piece, size_t size);

  FILE* file_ = nullptr;
  int indent_ = 0;
};
