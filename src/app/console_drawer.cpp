#include "app/console_drawer.h"

#include "render/device/graphics.h"
#include "render/device/image.h"
#include "render/fonts/font.h"
#include "render/fonts/font_manager.h"
#include "render/sprites/quad_builders.h"

namespace console {
namespace {

constexpr const char* kBackground = "ui_img/blue.png";
constexpr const char* kFontName = "ConsoleFont";
// Layout flags with none of the font's alignment bits: left and top.
constexpr uint32_t kLayoutFlags = 16;
constexpr float kHistoryX = 0.02f;
constexpr float kPromptX = 0.01f;
constexpr uint32_t kWhite = 0xFFFFFFFFu;

Font* FindOrMakeFont(const std::string& face) {
  FontManager* fonts = GetFontManager();
  if (Font* font = fonts->Find(kFontName)) return font;
  Graphics* graphics = GetGraphics();
  Font* font = graphics ? graphics->CreateFontA(kFontName) : nullptr;
  if (!font) return nullptr;
  if (!face.empty())
    font->Resize(face, 8, 10, 100, 1);
  else
    font->Resize("times new roman", 10, 14, 500, 1);
  fonts->Add(kFontName, font);
  return font;
}

}  // namespace

ConsoleDrawer::~ConsoleDrawer() { Unload(); }

void ConsoleDrawer::Load(const Console&, const std::string& face) {
  Graphics* graphics = GetGraphics();
  delete background_;
  background_ = graphics ? graphics->LoadImageA(kBackground) : nullptr;
  font_ = FindOrMakeFont(face);
}

void ConsoleDrawer::Unload() {
  delete background_;
  background_ = nullptr;
}

void ConsoleDrawer::Draw(const Console& console) {
  DrawBackground(console);
  if (!font_) return;
  DrawHistory(console);
  FontManager* fonts = GetFontManager();
  fonts->PrintfFont(font_, math::Vec2(kPromptX, console.GetPromptPos()), "%s", console.GetPrompt().c_str());
  fonts->FlushText();
}

void ConsoleDrawer::DrawBackground(const Console& console) {
  Graphics* graphics = GetGraphics();
  if (!background_ || !graphics) return;
  background_->Update();
  graphics->SetTexture(0, background_);
  graphics->SetRenderState(Graphics::kSourceBlend, Graphics::kBlendSourceAlpha);
  graphics->SetRenderState(Graphics::kDestBlend, Graphics::kBlendInverseSourceAlpha);
  Vertex2D quad[6];
  BuildRectQuad(quad, math::Vec2(0.0f, 0.0f), math::Vec2(1.0f, console.GetBackgroundHeight()),
                math::Vec2(0.0f, 0.0f), math::Vec2(1.0f, 1.0f), kWhite);
  graphics->DrawArray2D(quad, 6, Graphics::kTriangleList);
}

void ConsoleDrawer::DrawHistory(const Console& console) {
  const auto& history = console.GetHistory();
  float y = console.GetTextHeight();
  for (auto line = history.rbegin(); line != history.rend() && y > 0.0f; ++line) {
    math::Vec2 position(kHistoryX, y);
    math::Vec2 size;
    font_->GetTextRect(*line, math::Vec2(1.0f, 0.0f), position, size, kLayoutFlags);
    // A line that inks nothing (empty, or control characters only) keeps one line's height.
    y -= size.y > 0.0f ? size.y : font_->GetHeight();
    font_->DrawText(*line, math::Vec2(kHistoryX, y), math::Vec2(1.0f, 1.0f), kLayoutFlags, kWhite, 0);
  }
}

}  // namespace console
