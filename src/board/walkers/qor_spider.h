// The spider: wanders over plain tokens, turning aside where it cannot go
// on, spins webs on the tiles it stands on (often on gold, which cracks
// under the web) and, once in its life, webs an explorer beside it, who then
// stays caught until a match tears the web.
#pragma once
#include <cstdint>

#include "board/walkers/qor_walker.h"
#include "render/sprites/ui_sprite.h"

class QORSpider : public QORWalker {
 public:
  static constexpr float kPace = 1.0f;
  static constexpr float kSpinSeconds = 3.0f;
  static constexpr float kAttackSeconds = 0.2f;

  QORSpider(QORBoardView* board, QORNest* nest);

  void Draw() override;
  void Tick(float dt) override;
  void Think() override;
  int32_t GetType() const override { return kSpider; }
  bool TryAttack() override;

  // A plain token on floor that is neither void nor bare; the spider minds
  // neither the explorer nor other walkers.
  bool CanEnter(int32_t x, int32_t y) const;
  bool IsWebPending() const { return webPending_ != 0; }
  bool HasAttacked() const { return attacked_ != 0; }

 private:
  // Whether it webs the cell it stands on now: 5 in 15 on gold, 1 in 15 on
  // other floor without a web.
  bool WantsToWeb() const;
  // The web lands on the cell at the next Think.
  void SpinWeb(int32_t x, int32_t y);
  void LandWeb();

  uint8_t webPending_ = 0;
  ui::UISprite webSprite_;
  int32_t lastDx_ = 0;
  well::Cell webCell_;
  uint8_t attacked_ = 0;
};
