#include "render/sprites/ui_sprite.h"

#include <algorithm>

#include "core/log.h"
#include "render/device/image.h"
#include "render/sprites/quad_builders.h"
#include "render/sprites/sprite_host.h"
#include "render/sprites/sprite_set.h"

namespace ui {

namespace {

constexpr const char* kLanguageMark = "###";
constexpr size_t kMarkLength = 3;
constexpr float kAuthoredWidth = 800.0f;
constexpr float kAuthoredHeight = 600.0f;

// The part of [start, start + length] inside [low, high] as fractions of the
// length (lo, hi), and its ends; a non-positive length is left whole.
void ClipAxis(float start, float length, float low, float high, float& from, float& to, float& lo, float& hi) {
  from = start;
  to = start + length;
  if (!(length > 0.0f)) return;
  if (start < low) {
    from = low;
    lo = (low - start) / length;
  }
  if (start + length > high) {
    to = high;
    hi = 1.0f - (start + length - high) / length;
  }
}

}  // namespace

Image* UISprite::GetImage() const { return entry_ ? entry_->image : image_; }

void UISprite::Invalidate() {
  // An entry's image belongs to the entry and stays for its other sprites.
  if (!entry_) delete image_;
  image_ = nullptr;
  entry_ = nullptr;
  name_.clear();
}

void UISprite::LoadImage(const std::string& name) {
  if (name.empty()) return;
  Invalidate();
  const size_t mark = name.find(kLanguageMark);
  localised_ = mark != std::string::npos ? 1 : 0;
  // Most names have no language mark and are used as they are, uncopied.
  std::string localised;
  if (localised_) localised = name.substr(0, mark) + GetSpriteHost().GetLanguage() + name.substr(mark + kMarkLength);
  const std::string& resolved = localised_ ? localised : name;
  Graphics* graphics = GetGraphics();
  if (SpriteSetEntry* entry = GetSpriteSet()->Find(resolved)) {
    if (!entry->image && graphics) entry->image = graphics->LoadImageA(entry->imageFile);
    entry_ = entry;
    clock = 0.0f;
  } else {
    image_ = graphics ? graphics->LoadImageA(resolved) : nullptr;
    if (!image_) {
      // Written in pieces: a board of missing pictures logs one per cell.
      Log& log = GetLog();
      log.BeginLine(MSG_ERROR, __FILE__, __LINE__);
      log.Write("Unable to load image ");
      log.Write(resolved.c_str());
      log.Write(" into the UI sprite");
      log.EndLine();
      return;
    }
  }
  name_ = name;
}

bool UISprite::Setup(const std::string& name, const math::Vec2& uvMin, const math::Vec2& uvMax, bool additiveBlend) {
  LoadImage(name);
  GetNativeSize(size);
  uv1 = uvMin;
  uv2 = uvMax;
  additive = additiveBlend ? 1 : 0;
  return true;
}

void UISprite::SetRect(const math::Vec2& newPosition, const math::Vec2& newSize, float newRotation, int,
                       uint32_t newColour) {
  position = newPosition;
  size = newSize;
  rotation = newRotation;
  colour = newColour;
}

void UISprite::GetNativeSize(math::Vec2& out) const {
  const Image* image = GetImage();
  if (!image) return;
  const float width = static_cast<float>(image->GetWidth());
  const float height = static_cast<float>(image->GetHeight());
  if (!entry_) {
    out = {width / kAuthoredWidth, height / kAuthoredHeight};
    return;
  }
  // The border enters as its UV fraction, not in pixels: the sizes authored
  // for the game's sprite sets rely on it.
  out = {(width - (entry_->clipX + entry_->borderU)) / (static_cast<float>(entry_->frameCount) * kAuthoredWidth),
         (height - (entry_->clipY + entry_->borderV)) / kAuthoredHeight};
}

bool UISprite::Tick(float dt) {
  // Advance is false only when a multi-frame animation finished a cycle, and
  // Tick answers as Advance does; an image of its own answers whether its
  // cycle ended (a still image every frame, a video when its clip wrapped).
  // The owner's "clip_ended" may load another image: the kind is read first.
  const bool animation = entry_ != nullptr;
  const bool ended = TickEndsCycle(dt);
  return animation ? !ended : ended;
}

bool UISprite::TickEndsCycle(float dt) {
  bool ended = false;
  if (entry_)
    ended = !entry_->Advance(clock, dt);
  else if (image_)
    ended = image_->Update();
  if (ended) RunClipEnded();
  return ended;
}

bool UISprite::CanEndCycle() const { return entry_ ? entry_->frameCount > 1 : image_ != nullptr; }

void UISprite::RunClipEnded() {
  if (owner) GetSpriteHost().RunClipEnded(owner);
}

void UISprite::GetUVs(math::Vec2& uvMin, math::Vec2& uvMax) const {
  uvMin = uv1;
  uvMax = uv2;
  if (entry_) entry_->GetFrameUVsByIndex(entry_->FrameAt(clock), uvMin, uvMax);
}

void UISprite::BuildQuad(Vertex2D* out) const {
  math::Vec2 uvMin, uvMax;
  GetUVs(uvMin, uvMax);
  BuildOrientedQuad(out, position, size, uvMin, uvMax, colour, orientation);
}

void UISprite::BuildClippedQuad(const math::Vec2& clipMin, const math::Vec2& clipMax, Vertex2D* out) const {
  if (orientation != 0) {
    BuildQuad(out);
    return;
  }
  math::Vec2 from, to, lo{0.0f, 0.0f}, hi{1.0f, 1.0f};
  ClipAxis(position.x, size.x, clipMin.x, clipMax.x, from.x, to.x, lo.x, hi.x);
  ClipAxis(position.y, size.y, clipMin.y, clipMax.y, from.y, to.y, lo.y, hi.y);
  math::Vec2 a, b;
  GetUVs(a, b);
  // The start moves first; the end is then taken from the moved start.
  const math::Vec2 start{a.x + (b.x - a.x) * lo.x, a.y + (b.y - a.y) * lo.y};
  const math::Vec2 end{start.x + (b.x - start.x) * hi.x, start.y + (b.y - start.y) * hi.y};
  BuildOrientedQuad(out, from, to - from, start, end, colour, 0);
}

void UISprite::Draw(const Vertex2D* vertices, bool blend) const {
  Graphics* graphics = GetGraphics();
  if (!graphics) return;
  graphics->SetTexture(0, GetImage());
  const bool add = blend && additive;
  if (add) {
    graphics->SetRenderState(Graphics::kSourceBlend, Graphics::kBlendSourceAlpha);
    graphics->SetRenderState(Graphics::kDestBlend, Graphics::kBlendOne);
  }
  graphics->DrawArray2D(vertices, kQuadVertices, Graphics::kTriangleList);
  if (add) {
    graphics->SetRenderState(Graphics::kSourceBlend, Graphics::kBlendSourceAlpha);
    graphics->SetRenderState(Graphics::kDestBlend, Graphics::kBlendInverseSourceAlpha);
  }
}

bool UISprite::Render() const {
  if (!GetImage()) return false;
  Vertex2D vertices[kQuadVertices];
  BuildQuad(vertices);
  Draw(vertices, true);
  return true;
}

bool UISprite::RenderRotated() const {
  if (!GetImage()) return false;
  math::Vec2 uvMin, uvMax;
  GetUVs(uvMin, uvMax);
  Vertex2D vertices[kQuadVertices];
  BuildRotatedQuad(vertices, position, size, rotation, uvMin, uvMax, colour);
  Draw(vertices, true);
  return true;
}

bool UISprite::LiesOutside(const math::Vec2& clipMin, const math::Vec2& clipMax) const {
  const float extent = std::max(size.x, size.y);
  return (position.x < clipMin.x && position.x + extent < clipMin.x) || position.x > clipMax.x ||
         (position.y < clipMin.y && position.y + extent < clipMin.y) || position.y > clipMax.y;
}

bool UISprite::RenderClipped(const math::Vec2& clipMin, const math::Vec2& clipMax) const {
  if (!GetImage() || LiesOutside(clipMin, clipMax)) return false;
  Vertex2D vertices[kQuadVertices];
  BuildClippedQuad(clipMin, clipMax, vertices);
  Draw(vertices, false);
  return true;
}

bool UISprite::BindTexture() const {
  if (Graphics* graphics = GetGraphics()) graphics->SetTexture(0, GetImage());
  return true;
}

}  // namespace ui
