#include "board/blocks/qor_fixed_blocks.h"

#include <algorithm>
#include <cstdlib>

#include "board/effects/qor_well_sfx.h"
#include "board/qor_board_view.h"
#include "render/sprites/sprite_batch.h"
#include "well/effects/explosion_sfx_set.h"

namespace {

constexpr int32_t kLandmarkSide = 2;

// A milestone's index: the leading decimal number of its bracket text, 0
// when there is none; numbers past the range of an index are cut to it.
int32_t LeadingIndex(const std::string& text) {
  const long value = std::strtol(text.c_str(), nullptr, 10);
  return static_cast<int32_t>(std::clamp<long>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

// --- Tombs.

QORTombBlock::QORTombBlock(well::BaseWell* board, int32_t type) : QORBlock(board) {
  type_ = type;
  color_ = well::kColorNone;
  well::Block::SetSize(kLandmarkSide, kLandmarkSide);
}

void QORTombBlock::SetSize(int32_t, int32_t) { well::Block::SetSize(kLandmarkSide, kLandmarkSide); }

void QOREntranceBlock::Init() { LoadImage("Tomb_Opened"); }

void QOREntranceBlock::SetSelected() {
  const int32_t state = GetState();
  if (state >= kFixedState && state <= well::kStateSelected) return;
  // Only the image: the state stays, and the door keeps closing while hovered.
  LoadImage("Tomb_Closing");
}

void QOREntranceBlock::OnAnimationEnd() {
  if (GetState() != well::kStateSelected) return;
  LoadImage("Tomb_Closed");
  state_ = well::kStateStand;
}

std::string QORExitBlock::RestingImage(const char* tomb) const {
  return GetGameBoard()->IsShadyLevel() ? "subgoal_token" : tomb;
}

void QORExitBlock::Init() { LoadImage(RestingImage("Tomb_Closed")); }

void QORExitBlock::OnAnimationEnd() {
  if (IsFixedState()) return;
  // The opening has played once: the door stays open.
  LoadImage(RestingImage("Tomb_Opened"));
}

void QORExitBlock::Open() {
  if (opened_) return;
  LoadImage(RestingImage("Tomb_Opening"));
  opened_ = 1;
}

// --- Bottle.

QORBottleneckBlock::QORBottleneckBlock(well::BaseWell* board) : QORBlock(board) {
  type_ = kBottle;
  state_ = kFixedState;
}

void QORBottleneckBlock::Init() {
  const std::string colour = well::ColorToName(color_);
  const math::Vec2 whole(1.0f, 1.0f);
  sprite_.Setup("img/token_emptybottle_" + colour + ".png", math::Vec2(), whole, false);
  full_.Setup("img/token_fullbottle_" + colour + ".png", math::Vec2(), whole, false);
  Layout(math::Vec2());
}

void QORBottleneckBlock::Layout(const math::Vec2& position) {
  const math::Vec2 size = GetDrawSize();
  // The part still empty, from the top; a broken or overfilled bottle is full.
  const float empty = std::clamp(1.0f - static_cast<float>(fill_) / static_cast<float>(capacity_), 0.0f, 1.0f);
  const float split = empty * size.y;
  sprite_.SetRect(position, math::Vec2(size.x, split), 0.0f, 0, tint_);
  sprite_.uv1 = math::Vec2(0.0f, 0.0f);
  sprite_.uv2 = math::Vec2(kPictureUV, empty * kPictureUV);
  full_.SetRect(math::Vec2(position.x, position.y + split), math::Vec2(size.x, size.y - split), 0.0f, 0, tint_);
  full_.uv1 = math::Vec2(0.0f, empty * kPictureUV);
  full_.uv2 = math::Vec2(kPictureUV, kPictureUV);
}

void QORBottleneckBlock::ShowWholeEmpty() {
  sprite_.uv1 = math::Vec2(0.0f, 0.0f);
  sprite_.uv2 = math::Vec2(kPictureUV, kPictureUV);
}

void QORBottleneckBlock::Draw(const math::Vec2& position) {
  ShowWholeEmpty();
  QORBlock::Draw(position);
}

void QORBottleneckBlock::AddToBatch(ui::SpriteBatch& batch, ui::SpriteBatch& overlay) {
  ShowWholeEmpty();
  QORBlock::AddToBatch(batch, overlay);
}

void QORBottleneckBlock::DrawClipped(const math::Vec2& position, const math::Vec2& clipMin, const math::Vec2& clipMax) {
  ShowWholeEmpty();
  QORBlock::DrawClipped(position, clipMin, clipMax);
}

void QORBottleneckBlock::AddToBatchClipped(ui::SpriteBatch& batch, ui::SpriteBatch&, const math::Vec2& clipMin,
                                           const math::Vec2& clipMax) {
  const math::Vec2 position = GetScreenPosition();
  Layout(position);
  const bool inside = FitsInside(position, clipMin, clipMax);
  const ui::UISprite* parts[] = {&sprite_, &full_};
  for (const ui::UISprite* part : parts) {
    if (inside) {
      batch.Add(part);
    } else {
      batch.AddClipped(part, clipMin, clipMax);
    }
  }
}

void QORBottleneckBlock::SetDestroyed() {
  QORWellSFX* effects = GetGameBoard()->GetGameEffects();
  if (!effects) return;
  if (well::ExplosionSFXSet* explosion = effects->GetExplosionSet(QORWellSFX::kYellowBurst))
    explosion->Trigger(GetEffectCentre(), 1.0f, 0.00625f, 0.5f);
}

void QORBottleneckBlock::Feed(int32_t n) {
  // A broken bottle waits for the board to take it away.
  if (GetState() == well::kStateDestroyed) return;
  fill_ += n;
  if (fill_ <= capacity_) return;
  state_ = well::kStateDestroyed;
  QORBoardView* well = GetGameBoard();
  const well::Cell cell = GetCell();
  if (QORTile* tile = well->GetTile(cell.x, cell.y)) {
    tile->type = kTileGold;
    well->RefreshTile(*tile);
  }
}

// --- Milestone.

QORMilestoneBlock::QORMilestoneBlock(well::BaseWell* board, const std::string& name) : QORBlock(board), name_(name) {
  type_ = kMilestone;
  color_ = well::kColorNone;
  well::Block::SetSize(kLandmarkSide, kLandmarkSide);
  std::string text;
  if (BracketText(name, text)) {
    image_ = "milestone";
    index_ = LeadingIndex(text);
  } else {
    image_ = "none";
  }
}

bool QORMilestoneBlock::OnRaceBoard() const { return GetGameBoard()->IsRace(); }

void QORMilestoneBlock::Init() { LoadImage(OnRaceBoard() ? "milestone" : "subgoal_token"); }

void QORMilestoneBlock::Draw(const math::Vec2& position) {
  if (!OnRaceBoard()) QORBlock::Draw(position);
}

void QORMilestoneBlock::AddToBatch(ui::SpriteBatch& batch, ui::SpriteBatch& overlay) {
  if (!OnRaceBoard()) QORBlock::AddToBatch(batch, overlay);
}

void QORMilestoneBlock::DrawClipped(const math::Vec2& position, const math::Vec2& clipMin, const math::Vec2& clipMax) {
  if (!OnRaceBoard()) QORBlock::DrawClipped(position, clipMin, clipMax);
}

void QORMilestoneBlock::AddToBatchClipped(ui::SpriteBatch& batch, ui::SpriteBatch& overlay, const math::Vec2& clipMin,
                                          const math::Vec2& clipMax) {
  if (!OnRaceBoard()) QORBlock::AddToBatchClipped(batch, overlay, clipMin, clipMax);
}

void QORMilestoneBlock::SetColor(int32_t) { color_ = well::kColorNone; }

void QORMilestoneBlock::SetStanding() { ReturnToStand(); }

void QORMilestoneBlock::Open() { LoadImage("subgoal"); }

// --- Start block.

QORStartBlock::QORStartBlock(well::BaseWell* board) : QORBlock(board) {
  type_ = kStartBlock;
  color_ = well::kColorNone;
}

void QORStartBlock::Init() { LoadImage(image_); }

void QORStartBlock::SetColor(int32_t) { color_ = well::kColorNone; }

void QORStartBlock::SetStanding() { ReturnToStand(); }
