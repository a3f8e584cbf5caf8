// The one owner of all fonts: a case-insensitive registry of fonts by name,
// the current (default) font, and a queue of text lines posted during a frame
// and drawn together near the end of the 2D pass. It also makes the TrueType
// files of "fonts" known to the rasteriser from LoadFonts to UnloadFonts.
#pragma once
#include <cstdarg>
#include <cstdint>
#include <string>
#include <vector>

#include "core/text/named_registry.h"
#include "core/math/vector.h"
#include "render/fonts/font.h"

class FontManager : public NamedRegistry<Font> {
 public:
  static constexpr size_t kMaxEntryLength = 1023;
  static constexpr uint32_t kDefaultColour = 0xFFFFFFFFu;

  FontManager() = default;
  ~FontManager() override;

  // Adds the font files, then makes "Default" (created on first call) the
  // current font at the given face and size. Always true.
  bool LoadFonts(const std::string& face, int width, int height);
  // Forgets the current font, deletes every font, removes the font files.
  // Always true.
  bool UnloadFonts();
  // Reloads every font after a device reset; nothing without a current font.
  void ReloadFonts();

  // Queue one line, formatted printf-style and cut to kMaxEntryLength bytes;
  // nothing is drawn until FlushText.
  void Printf(const math::Vec2& position, const char* format, ...) __attribute__((format(printf, 3, 4)));
  void PrintfFont(Font* font, const math::Vec2& position, const char* format, ...)
      __attribute__((format(printf, 4, 5)));
  // Draws and empties the queue. Entries without a font use the current font
  // and are skipped while there is none.
  void FlushText();

  Font* GetCurrentFont() const { return current_; }
  size_t QueuedCount() const { return queue_.size(); }

 private:
  struct TextEntry {
    std::string text;
    Font* font;
    math::Vec2 position;
    uint32_t colour;
  };

  void Queue(Font* font, const math::Vec2& position, const char* format, va_list args);
  static void ForEachFontFile(int (*call)(const char*));

  Font* current_ = nullptr;
  uint32_t colour_ = kDefaultColour;
  std::vector<TextEntry> queue_;
};

FontManager* GetFontManager();
