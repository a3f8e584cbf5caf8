#include "platform/gl/presentation.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace platform {
namespace {

std::map<SDL_Window*, Presentation>& Presentations() {
  static std::map<SDL_Window*, Presentation> presentations;
  return presentations;
}

}  // namespace

Presentation Letterbox(int backWidth, int backHeight, int drawableWidth, int drawableHeight) {
  Presentation p{backWidth, backHeight, 0, 0, drawableWidth, drawableHeight};
  if (backWidth <= 0 || backHeight <= 0 || drawableWidth <= 0 || drawableHeight <= 0) return p;
  const double scale = std::min(static_cast<double>(drawableWidth) / backWidth,
                                static_cast<double>(drawableHeight) / backHeight);
  p.width = std::max(1, static_cast<int>(std::lround(backWidth * scale)));
  p.height = std::max(1, static_cast<int>(std::lround(backHeight * scale)));
  p.x = (drawableWidth - p.width) / 2;
  p.y = (drawableHeight - p.height) / 2;
  return p;
}

void SetPresentation(SDL_Window* window, const Presentation& presentation) {
  Presentations()[window] = presentation;
}

void ForgetPresentation(SDL_Window* window) { Presentations().erase(window); }

void MapToBackBuffer(SDL_Window* window, int& x, int& y) {
  auto found = Presentations().find(window);
  if (found == Presentations().end()) return;
  const Presentation& p = found->second;
  if (p.width <= 0 || p.height <= 0) return;
  x = static_cast<int>(std::floor(static_cast<double>(x - p.x) * p.backWidth / p.width));
  y = static_cast<int>(std::floor(static_cast<double>(y - p.y) * p.backHeight / p.height));
}

}  // namespace platform
