// One piece of the picture puzzle: a widget whose image is its cut of the
// picture, drawn plain (never additive).
#pragma once
#include <cstdint>
#include <string>

#include "core/math/vector.h"
#include "ui/widgets/ui_widget.h"

class QORPuzzleToken : public ui::UIWidget {
 public:
  QORPuzzleToken(ui::UIWidget* parent, const std::string& name);

  // The picture's texture rectangle from uvMin to uvMax becomes the image.
  void ShowPiece(const std::string& picture, const math::Vec2& uvMin, const math::Vec2& uvMax);
  // The colour the image is drawn in (ARGB).
  void SetTint(uint32_t argb) { colour_ = argb; }
  // The image's name (empty before ShowPiece).
  const std::string& GetPicture() const { return images_[kImageOff].GetName(); }
};
