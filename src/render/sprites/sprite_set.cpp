#include "render/sprites/sprite_set.h"

#include <climits>
#include <cmath>
#include <memory>
#include <vector>

#include "core/log.h"
#include "core/script/lua_records.h"
#include "core/script/script_helper.h"
#include "render/device/graphics.h"
#include "render/device/image.h"

namespace ui {

SpriteSetEntry::~SpriteSetEntry() { delete image; }

bool SpriteSetEntry::Advance(float& clock, float dt) const {
  clock += dt;
  const float cycle = GetCycle();
  if (clock <= cycle) return true;
  clock -= cycle;
  // A NaN or infinite step would otherwise report a finished cycle forever.
  if (!std::isfinite(clock)) {
    clock = 0.0f;
    return true;
  }
  return frameCount <= 1;
}

int SpriteSetEntry::FrameAt(float clock) const {
  const float frame = clock / frameDuration;
  if (!(frame >= 0.0f) || frame >= static_cast<float>(INT_MAX)) return 0;
  return static_cast<int>(frame);
}

void SpriteSetEntry::GetFrameUVs(float clock, math::Vec2& uvMin, math::Vec2& uvMax) const {
  GetFrameUVsByIndex(FrameAt(clock), uvMin, uvMax);
}

void SpriteSetEntry::GetFrameUVsByIndex(int frame, math::Vec2& uvMin, math::Vec2& uvMax) const {
  if (!image || frameCount <= 0) return;
  const float width = static_cast<float>(image->GetWidth());
  const float height = static_cast<float>(image->GetHeight());
  const unsigned column = static_cast<unsigned>(frame) % static_cast<unsigned>(frameCount);
  const float du = (width - clipX) / width / static_cast<float>(frameCount);
  const float vFull = (height - clipY) / height;
  float left = static_cast<float>(column) * du + borderU;
  float right = static_cast<float>(column + 1) * du - borderU;
  float top = borderV;
  float bottom = vFull - borderV;
  uvMin = {flipU ? right : left, flipV ? bottom : top};
  uvMax = {flipU ? left : right, flipV ? top : bottom};
}

bool SpriteSet::AddSprite(const std::string& name, const std::string& imageFile, int frameCount,
                          float frameDuration, float borderX, float borderY, bool flipU, bool flipV, float clipX,
                          float clipY) {
  if (frameCount <= 0) return false;
  Graphics* graphics = GetGraphics();
  Image* image = graphics ? graphics->LoadImageA(imageFile) : nullptr;
  if (!image) return false;
  auto entry = std::make_unique<SpriteSetEntry>();
  entry->name = name;
  entry->imageFile = imageFile;
  entry->image = image;
  entry->frameCount = frameCount;
  entry->frameDuration = frameDuration;
  entry->borderU = borderX / static_cast<float>(image->GetWidth());
  entry->borderV = borderY / static_cast<float>(image->GetHeight());
  entry->clipX = clipX;
  entry->clipY = clipY;
  entry->flipU = flipU ? 1 : 0;
  entry->flipV = flipV ? 1 : 0;
  if (Add(name, entry.get())) entry.release();
  return true;
}

void SpriteSet::Load(const std::string& file) {
  std::vector<std::string> missing;
  bool loaded = script::ReadRecords(file, "Sprites", [&](const LuaPlus::LuaObject& element) {
    std::string name = script::ReadString(element, "Name", "");
    std::string imageFile = script::ReadString(element, "ImageFile", "");
    int frameCount = script::ReadInt(element, "SpriteC", 0);
    float frameTime = script::ReadFloat(element, "FrameTime", 0.1f);
    float borderX = script::ReadFloat(element, "FrameBorderX", 0.0f);
    float borderY = script::ReadFloat(element, "FrameBorderY", 0.0f);
    bool flipU = script::ReadBool(element, "FlipU", false);
    bool flipV = script::ReadBool(element, "FlipV", false);
    float clipX = script::ReadFloat(element, "ClipX", 0.0f);
    float clipY = script::ReadFloat(element, "ClipY", 0.0f);
    if (frameCount <= 0 || name.empty() || imageFile.empty()) return;
    // FrameTime is a rate: frames per second.
    if (!AddSprite(name, imageFile, frameCount, 1.0f / frameTime, borderX, borderY, flipU, flipV, clipX, clipY))
      missing.push_back("Missing Sprite " + name + " : " + imageFile);
  });
  if (!loaded) {
    LOG_LINE(MSG_ERROR, "Unable to load Sprite set " + file + "!");
    return;
  }
  for (const std::string& line : missing) LOG_LINE(MSG_COMMENT, line);
}

SpriteSet* GetSpriteSet() {
  static SpriteSet set;
  return &set;
}

}  // namespace ui
