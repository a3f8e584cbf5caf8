// What ImageMagick's identify makes of an image file: its format and size as
// "BMP 800x600" (the format may carry a version, "BMP3"), or its complaint.
#pragma once
#include <cstdio>
#include <string>

inline std::string IdentifyImage(const std::string& path) {
  const std::string command = "identify -format '%m %wx%h' '" + path + "' 2>&1";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return "";
  char answer[128] = {};
  const size_t read = std::fread(answer, 1, sizeof answer - 1, pipe);
  pclose(pipe);
  return std::string(answer, read);
}
