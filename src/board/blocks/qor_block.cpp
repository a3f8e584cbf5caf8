#include "board/blocks/qor_block.h"

#include <strings.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "audio/audio.h"
#include "board/blocks/qor_fixed_blocks.h"
#include "board/effects/qor_well_sfx.h"
#include "board/qor_board_view.h"
#include "board/walkers/qor_nests.h"
#include "well/effects/explosion_sfx_set.h"
#include "well/effects/part2d_sfx_set.h"

namespace {

const char* const kTypeNames[QORBlock::kNamedTypes] = {
    "qor_block",        "qor_rock",       "unknown",       "unknown",        "qor_random_block", "qor_entrance",
    "qor_exit",         "qor_bottleneck", "unknown",       "qor_milestone",  "qor_startblock",   "qor_mummynest",
    "qor_scorpionnest", "qor_spidernest", "qor_cobranest", "qor_scarabnest", "qor_locustnest",   "qor_invisible"};

// The particles of a broken rock.
constexpr float kRockDust = 50.0f;

// A token's picture by state and colour, named once for every token: a board
// makes a token a cell. The last state and colour stand for any other, which
// the names give as "stand" and "none".
const std::string& TokenImage(int32_t state, int32_t color) {
  constexpr int32_t kStates = well::kStateSelected + 2;
  constexpr int32_t kColours = well::kColorCount + 1;
  static const std::vector<std::string> kNames = [] {
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(kStates) * kColours);
    for (int32_t s = 0; s < kStates; ++s) {
      for (int32_t c = 0; c < kColours; ++c) names.push_back("token_" + well::StateToName(s) + "_" + well::ColorToName(c));
    }
    return names;
  }();
  const int32_t s = state >= 0 && state < kStates ? state : kStates - 1;
  const int32_t c = color >= 0 && color < kColours ? color : kColours - 1;
  return kNames[static_cast<size_t>(s) * kColours + c];
}

}  // namespace

QORBlock::QORBlock(well::BaseWell* board) : well::Block(board) { SetSize(1, 1); }

const char* QORBlock::TypeName(int32_t type) { return type >= 0 && type < kNamedTypes ? kTypeNames[type] : "unknown"; }

int32_t QORBlock::TypeFromName(const std::string& name) {
  for (int32_t type = 0; type < kNamedTypes; ++type)
    if (strcasecmp(name.c_str(), kTypeNames[type]) == 0) return type;
  return name.find("qor_milestone") != std::string::npos ? kMilestone : kToken;
}

QORBlock* QORBlock::FromName(const std::string& name, well::BaseWell* board) {
  const int32_t type = TypeFromName(name);
  switch (type) {
    case kToken: return new (std::nothrow) QORTokenBlock(board);
    case kRock: return new (std::nothrow) QORRockBlock(board);
    case kRandom: return new (std::nothrow) QORRandomBlock(board);
    case kEntrance: return new (std::nothrow) QOREntranceBlock(board);
    case kExit: return new (std::nothrow) QORExitBlock(board);
    case kBottle: return new (std::nothrow) QORBottleneckBlock(board);
    case kMilestone: return new (std::nothrow) QORMilestoneBlock(board, name);
    case kStartBlock: return new (std::nothrow) QORStartBlock(board);
    case kInvisible: return new (std::nothrow) QORInvisibleBlock(board);
    default: break;
  }
  if (type >= kMummyNest && type <= kLocustNest) return QORNest::Make(type, board);
  return new (std::nothrow) QORBlock(board);
}

bool QORBlock::BracketText(const std::string& name, std::string& text) {
  const size_t open = name.find('[');
  const size_t close = name.rfind(']');
  text.clear();
  if (open == std::string::npos || close == std::string::npos || open == 0 || close == 0) return false;
  // substr bounds the cut by the name's end; a "[" that ends the name leaves nothing.
  text = name.substr(open + 1, close);
  if (!text.empty()) text.pop_back();
  return true;
}

void QORBlock::OnStruck() {
  GetGameBoard()->RaiseSoundCue(std::rand() % 2 ? QORBoardView::kCueBlockFall1 : QORBoardView::kCueBlockFall2);
}

QORBoardView* QORBlock::GetGameBoard() const { return static_cast<QORBoardView*>(board_); }

void QORBlock::LoadImage(const std::string& name) {
  Wake();
  sprite_.Setup(name, math::Vec2(0.0f, 0.0f), math::Vec2(1.0f, 1.0f), false);
}

bool QORBlock::IsFixedState() const {
  const int32_t state = GetState();
  return state == kFixedState || state == well::kStateDestroyed || state == well::kStateErased;
}

void QORBlock::ReturnToStand() {
  if (GetState() == well::kStateStand) return;
  state_ = well::kStateStand;
  Init();
}

math::Vec2 QORBlock::GetEffectCentre() const { return GetScreenPosition() + drawSize_ * 0.5f + board_->GetScroll(); }

// --- Token.

QORTokenBlock::QORTokenBlock(well::BaseWell* board) : QORBlock(board) { type_ = kToken; }

void QORTokenBlock::Init() { LoadImage(TokenImage(state_, color_)); }

void QORTokenBlock::SetSelected() {
  if (IsFixedState() || GetState() == well::kStateSelected) return;
  well::Block::SetSelected();
  Init();
}

void QORTokenBlock::SetStanding() {
  if (!IsFixedState()) ReturnToStand();
}

bool QORTokenBlock::IgnoresCycleEnd() const { return IsFixedState() || GetState() == well::kStateStand; }

void QORTokenBlock::OnAnimationEnd() {
  if (IsFixedState()) return;
  QORBoardView* well = GetGameBoard();
  if (well->GetBlockAtPoint(well->GetMousePosition()) != this) {
    SetStanding();
  } else if (GetState() != well::kStateSelected) {
    SetSelected();
  }
}

void QORTokenBlock::OnDestroyed() {
  QORBoardView* well = GetGameBoard();
  QORWellSFX* effects = well->GetGameEffects();
  if (!effects) return;
  // Longer cascades clear with larger explosions from a later set.
  const int32_t combo = well->GetComboCount();
  const auto set = static_cast<size_t>(std::clamp<int32_t>(combo, 0, QORWellSFX::kExplosionSets - 1));
  if (well::ExplosionSFXSet* explosion = effects->GetExplosionSet(set))
    explosion->Trigger(GetEffectCentre(), 1.0f, 0.00625f, (static_cast<float>(combo) * 0.5f + 1.0f) * 0.1f);
}

// --- Rock.

QORRockBlock::QORRockBlock(well::BaseWell* board) : QORBlock(board) {
  type_ = kRock;
  color_ = well::kColorNone;
}

void QORRockBlock::Init() { LoadImage("Token_Rock"); }

void QORRockBlock::SetStanding() { ReturnToStand(); }

void QORRockBlock::FallTest() {
  if (board_->IsEditing()) return;
  well::Block::FallTest();
}

void QORRockBlock::OnArrived() {
  QORBoardView* well = GetGameBoard();
  well::Cell explorer, target;
  if (well->GetExplorerCell(explorer.x, explorer.y) && well->GetExplorerTargetCell(target.x, target.y)) {
    const well::Cell cell = GetCell();
    if (cell == explorer || cell == target) {
      SetDestroyed();
    } else if (QORTile* tile = well->GetTile(cell.x, cell.y); tile && tile->type == kTileGold) {
      // The rock's weight cracks the gold: the explorer's way there is shut.
      tile->type = kTileCracked;
      well->RefreshTile(*tile);
      well->RebuildExplorerPath();
    }
  }
  well::Block::OnArrived();
}

void QORRockBlock::OnDestroyed() {
  QORWellSFX* effects = GetGameBoard()->GetGameEffects();
  if (!effects) return;
  if (well::Part2DSFXSet* dust = effects->GetParticleSet(QORWellSFX::kDust))
    dust->TriggerCount(kRockDust, GetEffectCentre());
  audio::GetAudio().PlaySound("special 6");
}

// --- Random placeholder, invisible blocker, image block.

QORRandomBlock::QORRandomBlock(well::BaseWell* board) : QORBlock(board) {
  type_ = kRandom;
  color_ = well::kColorNone;
}

void QORRandomBlock::Init() { LoadImage("random_block_none"); }

void QORRandomBlock::SetColor(int32_t) { color_ = well::kColorNone; }

QORInvisibleBlock::QORInvisibleBlock(well::BaseWell* board) : QORBlock(board) {
  type_ = kInvisible;
  color_ = well::kColorNone;
  state_ = kFixedState;
}

void QORInvisibleBlock::SetColor(int32_t) { color_ = well::kColorNone; }

QORImageBlock::QORImageBlock(well::BaseWell* board, const std::string& name) : QORBlock(board), name_(name) {
  type_ = kImage;
  color_ = well::kColorNone;
  if (!BracketText(name, image_)) image_ = "none";
}

void QORImageBlock::Init() {
  if (strcasecmp(image_.c_str(), "none") != 0) LoadImage(image_);
}

void QORImageBlock::SetStanding() {
  state_ = well::kStateStand;
  Init();
}

void QORImageBlock::SetColor(int32_t) { color_ = well::kColorNone; }
