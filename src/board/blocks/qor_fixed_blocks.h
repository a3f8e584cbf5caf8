// The landmarks of a level, blocks that never fall and that matches never
// clear: the entrance and exit tombs, the bottles that fill as tokens of
// their colour are cleared near the explorer, the treasure milestones and the
// racers' start blocks.
#pragma once
#include <cstdint>
#include <string>

#include "board/blocks/qor_block.h"
#include "render/sprites/ui_sprite.h"

// A tomb: 2 x 2 cells whatever it is asked, never falling, never struck or
// destroyed; its colour is the level's.
class QORTombBlock : public QORBlock {
 public:
  void SetSize(int32_t width, int32_t height) override;
  void OnStruck() override {}
  void FallTest() override {}
  void SetDestroyed() override {}

 protected:
  QORTombBlock(well::BaseWell* board, int32_t type);
};

// Where the explorer starts and comes back after a knock-out. It shuts its
// door while the pointer is over it.
class QOREntranceBlock : public QORTombBlock {
 public:
  explicit QOREntranceBlock(well::BaseWell* board) : QORTombBlock(board, kEntrance) {}
  void Init() override;
  void SetSelected() override;
  void OnAnimationEnd() override;
};

// The explorer's goal: shut until he steps in; on a level with a rival it
// shows the treasure instead.
class QORExitBlock : public QORTombBlock {
 public:
  explicit QORExitBlock(well::BaseWell* board) : QORTombBlock(board, kExit) {}
  void Init() override;
  void OnAnimationEnd() override;
  void SetSelected() override {}

  // The explorer has reached it: the door opens, once.
  void Open();
  bool IsOpened() const { return opened_ != 0; }

 private:
  // The image it shows when it rests: the treasure beside a rival, else `tomb`.
  std::string RestingImage(const char* tomb) const;

  uint8_t opened_ = 0;
};

// A bottle of one colour: each token of its colour cleared near the explorer
// pours in, the full part rising from the bottom; one feed past full breaks
// it and turns its floor to gold. Matches and powers pass over it.
class QORBottleneckBlock : public QORBlock {
 public:
  static constexpr int32_t kCapacity = 15;
  // Both images hold the bottle in the top-left 45 x 45 pixels of 64 x 64.
  static constexpr float kPictureUV = 45.0f / 64.0f;

  explicit QORBottleneckBlock(well::BaseWell* board);
  void Init() override;
  // The board's batched drawing shows the bottle as full as it is; the other
  // ways of drawing show the whole empty bottle, as any block draws its sprite_.
  void Draw(const math::Vec2& position) override;
  void AddToBatch(ui::SpriteBatch& batch, ui::SpriteBatch& overlay) override;
  void DrawClipped(const math::Vec2& position, const math::Vec2& clipMin, const math::Vec2& clipMax) override;
  void AddToBatchClipped(ui::SpriteBatch& batch, ui::SpriteBatch& overlay, const math::Vec2& clipMin,
                         const math::Vec2& clipMax) override;
  // An explosion only: a bottle is not cleared.
  void SetDestroyed() override;
  void SetSelected() override {}
  void SetStanding() override {}
  void SetState(int32_t) override {}
  void FallTest() override {}

  void Feed(int32_t n);
  int32_t GetFill() const { return fill_; }
  const ui::UISprite& GetFullSprite() const { return full_; }

 private:
  // The empty bottle above, the full part below the level of the fill.
  void Layout(const math::Vec2& position);
  void ShowWholeEmpty();

  ui::UISprite full_;
  int32_t capacity_ = kCapacity;
  int32_t fill_ = 0;
};

// A treasure the explorer collects, named "qor_milestone[n]" for the n-th
// treasure of the level's goal map; on the race board it marks the track
// and is not drawn.
class QORMilestoneBlock : public QORBlock {
 public:
  QORMilestoneBlock(well::BaseWell* board, const std::string& name);
  void Init() override;
  // The name it was made from, index and all, so that it saves unchanged.
  std::string GetTypeName() override { return name_; }
  void Draw(const math::Vec2& position) override;
  void AddToBatch(ui::SpriteBatch& batch, ui::SpriteBatch& overlay) override;
  void DrawClipped(const math::Vec2& position, const math::Vec2& clipMin, const math::Vec2& clipMax) override;
  void AddToBatchClipped(ui::SpriteBatch& batch, ui::SpriteBatch& overlay, const math::Vec2& clipMin,
                         const math::Vec2& clipMax) override;
  void SetColor(int32_t) override;
  void SetStanding() override;
  void SetSelected() override {}
  void FallTest() override {}

  // The goal map found its treasure.
  void Open();
  int32_t GetIndex() const { return index_; }
  const std::string& GetImageName() const { return image_; }

 private:
  bool OnRaceBoard() const;

  std::string name_;
  std::string image_;
  int32_t index_ = 0;
};

// Where a racer of the scarab race starts.
class QORStartBlock : public QORBlock {
 public:
  explicit QORStartBlock(well::BaseWell* board);
  void Init() override;
  void SetColor(int32_t) override;
  void SetStanding() override;
  void SetSelected() override {}
  void FallTest() override {}

 private:
  std::string image_ = "startblock";
};
