// The base of the nine special powers. An armed power carries its cursor
// image with the mouse, highlights the cells it would act on and fills the
// HUD's instruction line; a click on the board uses it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/math/vector.h"
#include "render/sprites/ui_sprite.h"

class QORBoardView;
class QORWellUI;
namespace well {
class Block;
}

class QORPower {
 public:
  static constexpr const char* kHighlightImage = "Effect_Overlay_Shadow";

  // Number 1 to 9: its images are "<n>_off", "<n>_on" and "<n>_click".
  QORPower(QORBoardView* board, int32_t number);
  virtual ~QORPower() = default;
  QORPower(const QORPower&) = delete;
  QORPower& operator=(const QORPower&) = delete;

  virtual void Init();
  // Uses the power at the mouse position; true when it acted.
  virtual bool OnClick(const math::Vec2& point) = 0;
  virtual void SetMousePosition(const math::Vec2& point);
  // The power's sound, and the instruction line cleared and hidden.
  virtual void AfterUse();
  // The cursor; a power draws its highlights first (DrawHighlight).
  virtual void Draw();
  // Animates and keeps the instruction line showing the power's help.
  virtual void Tick(float dt);
  virtual int32_t GetIndex() const { return number_; }

  const ui::UISprite& GetCursor() const { return cursor_; }
  int32_t GetMouseX() const { return mouseX_; }
  int32_t GetMouseY() const { return mouseY_; }
  const std::string& GetOffImage() const { return offImage_; }

 protected:
  // The highlight on a floor cell of the board; nothing elsewhere.
  void DrawHighlight(int32_t x, int32_t y);
  // The highlight on each cell of the inclusive rectangle.
  void DrawHighlightArea(int32_t x0, int32_t y0, int32_t x1, int32_t y1);
  // A floor tile (metal, sand, cracked sand or gold) lies under the cell.
  bool IsFloorCell(int32_t x, int32_t y) const;
  // An ordinary token: a game block of type 0.
  bool IsToken(const well::Block* block) const;
  // The board effects' overlay on a floor cell, and `count` particles of the
  // particle set at the cell's centre.
  void PlayEffects(int32_t x, int32_t y, size_t overlay, size_t burst, float count);
  // One charge of this power fewer, and the buttons brought up to date.
  void UseCharge();
  QORWellUI* GetHud() const;

  QORBoardView* board_;
  ui::UISprite cursor_;
  ui::UISprite highlight_;
  int32_t mouseX_ = 0;
  int32_t mouseY_ = 0;
  std::string offImage_;
  std::string onImage_;
  std::string clickImage_;
  int32_t number_;
};
