// Builds a language file in memory: little-endian words and UTF-16LE texts.
#pragma once
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

class LangFile {
 public:
  LangFile& Magic(const char* magic = "bcol") {
    bytes_.append(magic, 4);
    return *this;
  }
  LangFile& Word(uint32_t word) {
    for (int i = 0; i < 4; ++i) bytes_ += static_cast<char>(word >> (8 * i));
    return *this;
  }
  LangFile& Text(const std::u16string& text) {
    for (char16_t unit : text) {
      bytes_ += static_cast<char>(unit & 0xFF);
      bytes_ += static_cast<char>(unit >> 8);
    }
    return *this;
  }
  LangFile& Field(const std::u16string& text) {
    return Word(static_cast<uint32_t>(text.size())).Word(0).Text(text);
  }
  LangFile& Record(const std::u16string& key, const std::u16string& value) {
    return Field(key).Field(value);
  }
  // Drops the last n bytes.
  LangFile& Cut(size_t n) {
    bytes_.resize(bytes_.size() - std::min(n, bytes_.size()));
    return *this;
  }
  const std::string& Bytes() const { return bytes_; }
  // Writes the file into the temporary folder under the name; its path.
  std::string Save(const std::string& name) const {
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    std::ofstream(path, std::ios::binary).write(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));
    return path;
  }

 private:
  std::string bytes_;
};
