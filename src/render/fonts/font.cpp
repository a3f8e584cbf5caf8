#include "render/fonts/font.h"

#include <strings.h>

#include "render/device/graphics.h"

bool Font::Init(const std::string& face, int width, int height, uint8_t flag, int weight) {
  face_ = face;
  width_ = width;
  height_ = height;
  flag_ = flag;
  weight_ = weight;
  return Build();
}

void Font::Resize(const std::string& face, int width, int height, int weight, int) {
  if (strcasecmp(face.c_str(), face_.c_str()) != 0 || width != width_ || height != height_ || weight != weight_)
    Init(face, width, height, flag_, weight);
}

float Font::GetHeight() const {
  const Graphics* graphics = GetGraphics();
  if (!graphics || graphics->GetScreenHeight() == 0) return 0.0f;
  return float(height_) / float(graphics->GetScreenHeight());
}

void Font::Reload() { Init(face_, width_, height_, flag_, weight_); }
