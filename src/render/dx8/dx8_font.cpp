#include "render/dx8/dx8_font.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/frame_timer.h"
#include "core/log.h"
#include "core/text/utf.h"
#include "platform/d3d8/d3d8.h"
#include "platform/d3dx/dxerr8.h"
#include "render/dx8/dx8_graphics.h"

namespace {

constexpr int kTextureSize = GlyphCache::kTextureSize;
constexpr float kCellPerHeight = 1.8f;
constexpr size_t kMaxVertices = text::kMaxChars * 6;

// Shared by every font: one text is laid out and drawn at a time.
std::array<text::Line, text::kMaxLines> g_lines;
std::array<const GlyphCache::Glyph*, text::kMaxChars> g_glyphs;
std::array<Vertex2D, kMaxVertices> g_vertices;

IDirect3DDevice8* Device() {
  Dx8Graphics* graphics = GetDx8Graphics();
  return graphics ? graphics->GetDevice() : nullptr;
}

}  // namespace

DX8Font::DX8Font(const std::string& name) : Font(name) {}

DX8Font::~DX8Font() { DeInit(); }

void DX8Font::DeInit() {
  rasteriser_.Release();
  if (texture_) texture_->Release();
  texture_ = nullptr;
  cache_.Clear();
  lineHeight_ = 0;
}

void DX8Font::Resize(const std::string& face, int width, int height, int weight, int charset) {
  DeInit();
  face_ = face;
  width_ = width;
  height_ = height;
  weight_ = weight;

  // The GDI fonts come first: a height of 0 leaves the cell height to GDI.
  const bool fonts = rasteriser_.Create(face, width, height, weight, charset);
  lineHeight_ = height > 0 ? height : rasteriser_.CellHeight();
  cache_.Build(int(lineHeight_ * kCellPerHeight), width, lineHeight_);

  IDirect3DDevice8* device = Device();
  HRESULT result = D3DERR_INVALIDCALL;
  // One level: glyphs are written to the top level only and drawn 1:1, so
  // smaller levels would be memory holding blank texels.
  if (device)
    result = device->CreateTexture(kTextureSize, kTextureSize, 1, 0, D3DFMT_A4R4G4B4, D3DPOOL_MANAGED, &texture_);
  if (FAILED(result)) {
    texture_ = nullptr;
    rasteriser_.Release();
    LOG_LINE(MSG_ERROR, "Unable to create Font texture for " + face + " : " + DXGetErrorString8(result));
    return;
  }
  D3DLOCKED_RECT locked{};
  if (SUCCEEDED(texture_->LockRect(0, &locked, nullptr, 0))) {
    for (int row = 0; row < kTextureSize; ++row)
      std::memset(static_cast<uint8_t*>(locked.pBits) + size_t(row) * locked.Pitch, 0, kTextureSize * 2);
    texture_->UnlockRect(0);
  }
  if (!fonts) LOG_LINE(MSG_ERROR, "Unable to create Font Object for " + face);
}

DX8Font::Glyph* DX8Font::GetGlyph(char16_t code) { return cache_.Get(code, GetFrameTimer().GetTotalTime()); }

void DX8Font::RenderGlyphs() {
  if (cache_.PendingCount() < 1) return;
  cache_.CollectPending(pending_);
  const bool border = HasBorder();
  D3DLOCKED_RECT locked{};
  // Only the glyphs' cells change: they are marked one by one, so that no
  // more than they goes to the device.
  bool writable = texture_ && SUCCEEDED(texture_->LockRect(0, &locked, nullptr, D3DLOCK_NO_DIRTY_UPDATE));
  if (texture_ && !writable) LOG_LINE(MSG_WARNING, "Unable to lock rect!");
  for (size_t done = 0; done < pending_.size();) {
    size_t drawn = rasteriser_.Draw(pending_.data() + done, pending_.size() - done, cache_.CellSize(), border);
    if (drawn == 0) break;
    if (writable) {
      rasteriser_.Copy(pending_.data() + done, drawn, static_cast<uint8_t*>(locked.pBits), locked.Pitch,
                       cache_.CellSize(), border);
      for (size_t i = done; i < done + drawn; ++i) MarkCellDirty(*pending_[i], border);
    }
    done += drawn;
  }
  if (writable) texture_->UnlockRect(0);
  cache_.ClearPending();
}

// The texels Copy wrote for the glyph: its size, a column further with the
// border, within its cell and the texture.
void DX8Font::MarkCellDirty(const Glyph& glyph, bool border) {
  const int cell = cache_.CellSize();
  const int width = std::min(glyph.width + (border ? 1 : 0), cell), height = std::min(glyph.height, cell);
  RECT area{glyph.cellX, glyph.cellY, std::min(glyph.cellX + width, kTextureSize),
            std::min(glyph.cellY + height, kTextureSize)};
  if (area.right > area.left && area.bottom > area.top) texture_->AddDirtyRect(&area);
}

int DX8Font::LayoutText(const std::u16string& text, int boxWidth, Line* lines, const Glyph** glyphs,
                        int& lineCount, int& charCount) {
  charCount = int(std::min(text.size(), text::kMaxChars));
  for (int i = 0; i < charCount; ++i) glyphs[i] = text::IsControlChar(text[i]) ? nullptr : GetGlyph(text[i]);
  RenderGlyphs();
  lineCount = text::BreakLines(text.data(), charCount, glyphs, boxWidth, lines);
  return lineCount;
}

math::Vec2 DX8Font::ScreenPixels() {
  const Graphics* graphics = GetGraphics();
  if (!graphics) return math::Vec2();
  return math::Vec2(graphics->GetScreenWidth(), graphics->GetScreenHeight());
}

void DX8Font::RenderText(const char16_t* text, const math::Vec2& position, const math::Vec2& box, uint32_t colour,
                         const Line* lines, const Glyph* const* glyphs, int lineCount, uint32_t flags, bool draw) {
  const math::Vec2 screen = ScreenPixels();
  const math::Vec2 boxPixels(screen.x * box.x, screen.y * box.y);
  if (HasBorder()) colour = 0xFFFFFFFFu;
  const float pitch = float(lineHeight_ + lineSpacing_);
  boundsMin_ = math::Vec2(1e6f, 1e6f);
  boundsMax_ = math::Vec2(-1e6f, -1e6f);

  const float x0 = screen.x * position.x;
  float y = screen.y * position.y;
  if (flags & kBottom)
    y += boxPixels.y - lineCount * pitch;
  else if (flags & kVerticalCentre)
    y += (boxPixels.y - lineCount * pitch) * 0.5f;

  IDirect3DDevice8* device = draw ? Device() : nullptr;
  draw = draw && device && texture_;
  if (draw) {
    device->SetTexture(0, texture_);
    device->SetTexture(1, nullptr);
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, FALSE);
  }

  size_t count = 0;
  bool alternate = false;  // a coloured phrase keeps its colour across a wrap
  for (int k = 0; k < lineCount; ++k) {
    const float lineY = y + k * pitch;
    float penX = x0;
    const float slack = boxPixels.x - lines[k].width;
    if (flags & kCentre)
      penX += slack * 0.5f;
    else if (flags & kRight)
      penX += slack;
    for (int i = lines[k].first; i < lines[k].end; ++i) {
      const char16_t c = text[i];
      if (c == text::kTab) {
        penX = (penX / text::kTabStop + 1.0f) * text::kTabStop;
        continue;
      }
      if (c == text::kColourSwitch) {
        alternate = !alternate;
        continue;
      }
      const Glyph* glyph = glyphs[i];
      if (!glyph) continue;
      const uint32_t current = alternate ? alternateColour_ : colour;
      const int ix = int(penX), iy = int(lineY);
      const float w = float(glyph->width), h = float(glyph->height);
      if (draw) {
        const float ul = glyph->uv.x, vt = glyph->uv.y;
        const float ur = ul + w / kTextureSize, vb = vt + h / kTextureSize;
        const float left = ix + 0.5f, top = iy + 0.5f, right = ix + w + 0.5f, bottom = iy + h + 0.5f;
        const Vertex2D quad[6] = {
            {left, bottom, 0, 1, current, ul, vb},  {left, top, 0, 1, current, ul, vt},
            {right, bottom, 0, 1, current, ur, vb}, {right, top, 0, 1, current, ur, vt},
            {right, bottom, 0, 1, current, ur, vb}, {left, top, 0, 1, current, ul, vt},
        };
        std::copy(quad, quad + 6, g_vertices.begin() + count);
        count += 6;
      }
      boundsMin_ = math::Vec2(std::min(boundsMin_.x, float(ix)), std::min(boundsMin_.y, float(iy)));
      boundsMax_ = math::Vec2(std::max(boundsMax_.x, ix + w), std::max(boundsMax_.y, iy + h));
      penX += w;
    }
  }
  if (draw && count > 0) GetGraphics()->DrawArray2D(g_vertices.data(), uint32_t(count), Graphics::kTriangleList);
}

void DX8Font::DrawTextW(const std::u16string& text, const math::Vec2& position, const math::Vec2& box,
                        uint32_t flags, uint32_t colour, int) {
  if (text.empty() || box.x <= 0.00001f || !texture_) return;
  IDirect3DDevice8* device = Device();
  if (!device) return;
  device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
  device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
  device->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTEXF_LINEAR);
  int lineCount = 0, charCount = 0;
  LayoutText(text, int(box.x * ScreenPixels().x), g_lines.data(), g_glyphs.data(), lineCount, charCount);
  RenderText(text.data(), position, box, colour, g_lines.data(), g_glyphs.data(), lineCount, flags, true);
}

void DX8Font::DrawText(const std::string& text, const math::Vec2& position, const math::Vec2& box,
                       uint32_t flags, uint32_t colour, int unused) {
  DrawTextW(lang::UTF8ToWide(text), position, box, flags, colour, unused);
}

void DX8Font::GetTextRectW(const std::u16string& text, const math::Vec2& box, math::Vec2& position,
                           math::Vec2& size, uint32_t flags) {
  if (text.empty()) return;
  const math::Vec2 screen = ScreenPixels();
  if (screen.x <= 0 || screen.y <= 0) return;
  math::Vec2 measured = box;
  if (box.x * screen.x <= 1.0f) measured.x = 1.0f;
  if (box.y * screen.y <= 1.0f) measured.y = 1.0f;
  int lineCount = 0, charCount = 0;
  LayoutText(text, int(measured.x * screen.x), g_lines.data(), g_glyphs.data(), lineCount, charCount);
  RenderText(text.data(), position, measured, 0xFFFFFFFFu, g_lines.data(), g_glyphs.data(), lineCount, flags,
             false);
  if (boundsMax_.x < boundsMin_.x) {
    size = math::Vec2();
    return;
  }
  position = math::Vec2(boundsMin_.x / screen.x, boundsMin_.y / screen.y);
  size = math::Vec2((boundsMax_.x - boundsMin_.x) / screen.x, (boundsMax_.y - boundsMin_.y) / screen.y);
}

void DX8Font::GetTextRect(const std::string& text, const math::Vec2& box, math::Vec2& position,
                          math::Vec2& size, uint32_t flags) {
  GetTextRectW(lang::UTF8ToWide(text), box, position, size, flags);
}
