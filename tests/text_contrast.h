// How well a text reads against what lies behind it on a picture: the
// contrast ratio of the accessibility guidelines, (L1 + 0.05) / (L2 + 0.05)
// of two relative luminances. ImageMagick gives the luminance of every pixel
// of the rectangle (linear RGB, Rec. 709 weights). The background is the
// bulk of the rectangle: its median. The glyphs are the extreme pixels on
// the side of their drawing colour, lighter or darker than the background
// (the other side's extreme is the background's own texture or frame); thin
// strokes and smoothing make them few: the value that the outermost
// thousandth of the pixels reaches. The lower of their ratio and the drawing
// colour's own ratio to the background counts, so that glyphs lost in a
// background of their own tone are not measured on its frame.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

// The relative luminance of a colour 0xRRGGBB (the top byte is not read).
inline double RelativeLuminance(uint32_t rgb) {
  auto linear = [](uint32_t byte) {
    const double c = static_cast<double>(byte & 0xFFu) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(rgb >> 16) + 0.7152 * linear(rgb >> 8) + 0.0722 * linear(rgb);
}

// The text drawn in `textColour` (0xRRGGBB) in the rectangle; 0 when
// ImageMagick cannot read the picture or the rectangle is empty.
inline double TextContrast(const std::string& picture, int x, int y, int width, int height, uint32_t textColour) {
  const std::string command = "convert '" + picture + "' -crop " + std::to_string(width) + "x" +
                              std::to_string(height) + "+" + std::to_string(x) + "+" + std::to_string(y) +
                              " +repage -alpha off -colorspace RGB -grayscale Rec709Luminance -depth 16"
                              " -format %c histogram:info:- 2>/dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return 0.0;
  // Pixels by luminance, 0 to 65535.
  std::map<long, long> counts;
  long total = 0;
  char line[256];
  while (std::fgets(line, sizeof line, pipe)) {
    long count = 0, value = 0;
    if (std::sscanf(line, " %ld: ( %ld", &count, &value) != 2) continue;
    counts[value] += count;
    total += count;
  }
  pclose(pipe);
  if (total == 0) return 0.0;

  // The luminance that `share` of the pixels reach, counted from the dark
  // end or from the light one.
  auto reached = [&](double share, bool fromDark) {
    const long wanted = std::max(1L, static_cast<long>(share * static_cast<double>(total)));
    long seen = 0;
    if (fromDark) {
      for (const auto& [value, count] : counts)
        if ((seen += count) >= wanted) return static_cast<double>(value) / 65535.0;
    } else {
      for (auto it = counts.rbegin(); it != counts.rend(); ++it)
        if ((seen += it->second) >= wanted) return static_cast<double>(it->first) / 65535.0;
    }
    return 0.0;
  };
  auto ratio = [](double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); };
  constexpr double kGlyphShare = 0.001;
  const double background = reached(0.5, true);
  const double drawn = RelativeLuminance(textColour);
  return std::min(ratio(reached(kGlyphShare, drawn < background), background), ratio(drawn, background));
}
