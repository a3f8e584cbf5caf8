#include "render/fonts/font_manager.h"

#include <cstdarg>
#include <cstdio>

#include "core/script/file_list.h"
#include "platform/gdi/gdi_font.h"
#include "render/device/graphics.h"

namespace {
constexpr const char* kFontPattern = "fonts/*.ttf";
constexpr const char* kDefaultName = "Default";
constexpr int kFirstWeight = 700;
constexpr int kFirstCharset = 1;
constexpr int kWeight = 500;
constexpr int kCharset = 0;
}  // namespace

FontManager* GetFontManager() {
  static FontManager manager;
  return &manager;
}

FontManager::~FontManager() { UnloadFonts(); }

void FontManager::ForEachFontFile(int (*call)(const char*)) {
  script::FileList files;
  files.Build(kFontPattern);
  for (int i = 0; i < files.GetFileCount(); ++i) call(files.GetFileName(i).c_str());
}

bool FontManager::LoadFonts(const std::string& face, int width, int height) {
  ForEachFontFile([](const char* path) { return AddFontResourceA(path); });
  Font* font = Find(kDefaultName);
  if (!font) {
    Graphics* graphics = GetGraphics();
    font = graphics ? graphics->CreateFontA(kDefaultName) : nullptr;
    if (font) {
      font->Resize(face, width, height, kFirstWeight, kFirstCharset);
      Add(kDefaultName, font);
    }
  }
  current_ = font;
  if (current_) current_->Resize(face, width, height, kWeight, kCharset);
  return true;
}

bool FontManager::UnloadFonts() {
  current_ = nullptr;
  Clear();
  ForEachFontFile([](const char* path) { return int(RemoveFontResourceA(path)); });
  return true;
}

void FontManager::ReloadFonts() {
  if (!current_) return;
  for (auto& entry : Entries())
    if (entry.second) entry.second->Reload();
}

void FontManager::Queue(Font* font, const math::Vec2& position, const char* format, va_list args) {
  char buffer[kMaxEntryLength + 1];
  std::vsnprintf(buffer, sizeof(buffer), format ? format : "", args);
  queue_.push_back({buffer, font, position, colour_});
}

void FontManager::Printf(const math::Vec2& position, const char* format, ...) {
  va_list args;
  va_start(args, format);
  Queue(nullptr, position, format, args);
  va_end(args);
}

void FontManager::PrintfFont(Font* font, const math::Vec2& position, const char* format, ...) {
  va_list args;
  va_start(args, format);
  Queue(font, position, format, args);
  va_end(args);
}

void FontManager::FlushText() {
  for (const TextEntry& entry : queue_) {
    Font* font = entry.font ? entry.font : current_;
    if (font) font->DrawText(entry.text, entry.position, math::Vec2(1.0f, 1.0f), 0, entry.colour, 0);
  }
  queue_.clear();
  colour_ = kDefaultColour;
  if (current_) current_->Flush();
}
