#include "board/walkers/qor_mummy.h"

#include <cstdlib>

#include "board/blocks/qor_block.h"
#include "board/effects/qor_well_sfx.h"
#include "board/game_variables.h"
#include "board/qor_board_view.h"
#include "well/effects/part2d_sfx_set.h"

namespace {

constexpr uint32_t kWhite = 0x00FFFFFFu;

}  // namespace

// --- The path.

QORMummyPath::QORMummyPath(QORBoardView* board, const QORMummy& mummy)
    : WellPath(board), board_(board), mummy_(mummy) {}

int32_t QORMummyPath::GetCellCost(int32_t x, int32_t y) {
  if (mummy_.GetCell() == well::Cell{x, y}) return kWalkableCost;
  if (well::Block* block = board_->GetBlock(x, y)) {
    const int32_t type = board_->GetBlockType(block);
    if (type == QORBlock::kRock || type > QORBlock::kMilestone) return 1;
    if (type == QORBlock::kMilestone) return kWalkableCost;
  }
  const QORTile* tile = board_->GetTile(x, y);
  if (!tile || tile->type == kTileVoid) return 0;
  return tile->type == kTileBare ? 1 : kWalkableCost;
}

// --- The mummy.

QORMummy::QORMummy(QORBoardView* board) : board_(board), path_(std::make_unique<QORMummyPath>(board, *this)) {
  board_->RaiseSoundCue(QORBoardView::kCueMummyHi);
  path_->Create();
}

QORMummy::~QORMummy() = default;

void QORMummy::PlaceAt(int32_t x, int32_t y) { cell_ = target_ = well::Cell{x, y}; }

int32_t QORMummy::Distance(const well::Cell& a, const well::Cell& b) {
  return std::abs(a.x - b.x) + std::abs(a.y - b.y);
}

const char* QORMummy::StepWord() const {
  if (target_.x > cell_.x) return "Right";
  if (target_.y < cell_.y) return "Up";
  if (target_.y > cell_.y) return "Down";
  return "left";
}

void QORMummy::ShowImage(const std::string& prefix, const char* word) {
  sprite_.Setup(prefix + word, math::Vec2(0.0f, 0.0f), math::Vec2(1.0f, 1.0f), false);
}

void QORMummy::Think() {
  if (firstThink_) {
    ShowFirstHint();
    firstThink_ = 0;
  }
  well::Cell explorer;
  if (!board_->GetExplorerCell(explorer.x, explorer.y)) return;
  switch (state_) {
    case kAppearing:
      ShowImage("Mummy_Appear_", StepWord());
      state_ = kIdle;
      break;
    case kIdle:
      ShowImage("Mummy_Idle_", StepWord());
      state_ = kDeciding;
      ShowFirstHint();
      break;
    case kWalking:
      cell_ = target_;
      Decide(explorer);
      break;
    case kDeciding:
      Decide(explorer);
      break;
    case kCasting:
      if (Distance(explorer, cell_) == 1) {
        ShowImage("Mummy_Disappear_", StepWord());
        state_ = kDisappearing;
        for (int32_t dx = -kSpellReach; dx <= kSpellReach; ++dx) {
          for (int32_t dy = -kSpellReach; dy <= kSpellReach; ++dy) {
            if (dx || dy) RestoreCell(explorer.x + dx, explorer.y + dy);
          }
        }
      } else {
        ShowImage("Mummy_Idle_", StepWord());
        state_ = kDeciding;
        RestoreCell(target_.x, target_.y);
      }
      // His way may cross the gold just lost.
      board_->RebuildExplorerPath();
      break;
    case kDisappearing:
      state_ = kGone;
      break;
    case kBanished:
      ShowImage("Mummy_Disappear_", StepWord());
      state_ = kDisappearing;
      break;
    default:
      break;
  }
}

void QORMummy::Decide(const well::Cell& explorer) {
  if (explorer != lastGoal_) {
    path_->ResetCosts();
    path_->FloodFill(explorer.x, explorer.y);
    lastGoal_ = explorer;
    path_->BuildPath(target_.x, target_.y, explorer.x, explorer.y);
  }
  if (Distance(explorer, cell_) == 1) {
    Magic();
    return;
  }
  path_->PopNextStep(target_.x, target_.y);
  state_ = kWalking;
  stepTimer_.remaining = stepTimer_.period;
  ShowImage(target_ == cell_ ? "Mummy_Idle_" : "Mummy_Walk_", StepWord());
}

bool QORMummy::Magic() {
  // A mummy on its way out casts no more.
  if (state_ >= kDisappearing) return false;
  well::Cell explorer;
  if (!board_->GetExplorerCell(explorer.x, explorer.y) || Distance(explorer, cell_) != 1) return false;
  const char* word = "left";
  if (explorer.x < cell_.x) {
    word = "Right";
  } else if (explorer.y > cell_.y) {
    word = "Up";
  } else if (explorer.y < cell_.y) {
    word = "Down";
  }
  board_->SetExplorerIdle();
  // The spell he stands in holds him until it ends; cast anew at each of his
  // step ends it would start over and never end, and hold him for good.
  if (state_ == kCasting) return true;
  board_->RaiseSoundCue(QORBoardView::kCueMummyMagic);
  ShowImage("Mummy_Magic_", word);
  state_ = kCasting;
  return true;
}

void QORMummy::Banish() {
  state_ = kBanished;
  Think();
  board_->RaiseSoundCue(QORBoardView::kCueMummyBye);
  QORWellSFX* effects = board_->GetGameEffects();
  if (well::Part2DSFXSet* burn = effects ? effects->GetParticleSet(QORWellSFX::kBurn) : nullptr)
    burn->TriggerCount(kBanishBurst, GetScreenPosition() + board_->GetCellSize() * 0.5f + board_->GetScroll());
}

void QORMummy::RestoreCell(int32_t x, int32_t y) {
  QORTile* tile = board_->GetTile(x, y);
  if (tile && tile->type == kTileGold) {
    tile->hit = 0;
    tile->type = kTileCracked;
    board_->RefreshTile(*tile);
  }
  if (QORWellSFX* effects = board_->GetGameEffects()) effects->TriggerAtCell(x, y, QORWellSFX::kLightning);
}

void QORMummy::ShowFirstHint() {
  // The board's TriggerHint marks the hint shown itself: marked here first,
  // it would never show.
  if (GetInt(kHintFirstMummy) == 1) return;
  const math::Vec2 topLeft = GetSpritePosition();
  board_->TriggerHint(kHintFirstMummy, topLeft, topLeft + math::Vec2(kSpriteWidth, kSpriteHeight));
}

bool QORMummy::TickSprite(float dt) { return sprite_.TickEndsCycle(dt); }

void QORMummy::TickStepTimer(float dt) {
  if (stepTimer_.remaining >= 0.0f) stepTimer_.Tick(dt);
}

math::Vec2 QORMummy::GetScreenPosition() const {
  const math::Vec2 from = board_->CellToScreen(cell_.x, cell_.y);
  if (stepTimer_.remaining < 0.0f) return from;
  const math::Vec2 to = board_->CellToScreen(target_.x, target_.y);
  return from + (to - from) * stepTimer_.GetProgress();
}

math::Vec2 QORMummy::GetSpritePosition() const {
  const math::Vec2 cell = board_->GetCellSize();
  const math::Vec2 stand((cell.x - kSpriteWidth) * 0.5f, cell.y - kSpriteHeight);
  const math::Vec2 at = GetScreenPosition() + stand;
  const math::Vec2 target = board_->CellToScreen(target_.x, target_.y) + stand;
  // While the timer runs this eases the way; once it stops, t is 1 and the
  // figure stands on the target.
  const float t = stepTimer_.GetProgress();
  return at + (target - at) * t;
}

void QORMummy::Draw() {
  if (state_ == kGone) return;
  const auto alpha = static_cast<uint32_t>(static_cast<int32_t>(alpha_ * 255.0f)) & 0xFFu;
  sprite_.SetRect(GetSpritePosition(), math::Vec2(kSpriteWidth, kSpriteHeight), 0.0f, 0, alpha << 24 | kWhite);
  sprite_.Render();
}
