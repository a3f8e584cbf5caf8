#include "game/qor_puzzle_token.h"

QORPuzzleToken::QORPuzzleToken(ui::UIWidget* parent, const std::string& name) : ui::UIWidget(parent, name) {}

void QORPuzzleToken::ShowPiece(const std::string& picture, const math::Vec2& uvMin, const math::Vec2& uvMax) {
  ui::UISprite& image = images_[kImageOff];
  image.owner = this;
  // A picture that does not load leaves the token without an image.
  image.Invalidate();
  image.LoadImage(picture);
  image.uv1 = uvMin;
  image.uv2 = uvMax;
  image.additive = 0;
}
