#include "game/qor_editor_well.h"

#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "board/blocks/qor_block.h"
#include "board/blocks/qor_well_mode.h"
#include "board/walkers/qor_walker.h"
#include "core/input/input.h"
#include "core/input/keyboard.h"
#include "core/log.h"
#include "core/math/geometry.h"
#include "core/script/console.h"
#include "game/qor_editor_ui.h"
#include "platform/input/dinput.h"
#include "platform/window/win32.h"
#include "render/debug_draw/dd_man.h"
#include "render/fonts/font_manager.h"
#include "ui/manager/ui_manager.h"
#include "well/decoration.h"
#include "well/game_end.h"

namespace {

// Keys by their DirectInput codes.
constexpr int32_t kKeyFirstNumber = 2;   // "1"
constexpr int32_t kKeyLastPower = 8;     // "7"
constexpr int32_t kKeyLastTool = 13;     // "="
constexpr int32_t kKeyW = 17;
constexpr int32_t kKeyLeftCtrl = 29;
constexpr int32_t kKeyA = 30;
constexpr int32_t kKeyS = 31;
constexpr int32_t kKeyF = 33;
constexpr int32_t kKeyG = 34;
constexpr int32_t kKeyH = 35;
constexpr int32_t kKeyJ = 36;
constexpr int32_t kKeyK = 37;
constexpr int32_t kKeyL = 38;
constexpr int32_t kKeyC = 46;
constexpr int32_t kKeyM = 50;
constexpr int32_t kKeySpace = 57;

constexpr float kBarrierTolerance = 0.025f;
constexpr uint32_t kOpaque = 0xFFFFFFFFu;
constexpr uint32_t kGuideColour = 0xFFFFFFFFu;
const math::Vec2 kLevelTextPosition{0.01f, 0.08f};

// Counts over the program's whole run, so milestones never share a name.
int32_t milestoneCounter = 0;

struct WalkerTool {
  const char* walker;
  const char* nest;  // null for the rival
};
constexpr WalkerTool kWalkerTools[] = {
    {"spider", "qor_spidernest"},     {"shady", nullptr},           {"cobra", "qor_cobranest"},
    {"scorpion", "qor_scorpionnest"}, {"mummy", "qor_mummynest"}, {"locust", "qor_locustnest"},
    {"scarab", "qor_scarabnest"},
};

struct WalkerKey {
  int32_t code;
  const char* walker;
};
constexpr WalkerKey kWalkerKeys[] = {{kKeyA, "shady"},    {kKeyS, "spider"}, {kKeyF, "cobra"},
                                     {kKeyJ, "scorpion"}, {kKeyH, "mummy"},  {kKeyM, "mummy"},
                                     {kKeyL, "locust"},   {kKeyK, "scarab"}};

struct TileTool {
  const char* name;
  int32_t type;
  int32_t variant;  // 0 keeps the tile's own
};
constexpr TileTool kTileTools[] = {
    {"Tile_None", kTileVoid, 1},          {"Tile_Normal_Sand1", kTileSand, 1},
    {"Tile_Normal_Sand2", kTileSand, 2},  {"Tile_Normal_Sand3", kTileSand, 3},
    {"Tile_Crack_Sand1", kTileCracked, 1}, {"Tile_Crack_Sand2", kTileCracked, 2},
    {"Tile_Crack_Sand3", kTileCracked, 3}, {"Tile_normal_metal", kTileMetal, 0},
    {"tile_edit_only", kTileEditOnly, 0}, {"Tile_Normal_Gold", kTileGold, 0},
};

bool SameName(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

bool IsReadableFile(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::fclose(file);
  return true;
}

}  // namespace

QOREditorWell::QOREditorWell(void* owner) : QORWell(owner) {}

QOREditorWell::~QOREditorWell() { DropInHand(); }

std::string QOREditorWell::TemporaryLevelPath() { return GetTempPath() + kTemporaryLevel; }

void QOREditorWell::Setup(uint32_t width, uint32_t height, const uint8_t colorFlags[kColorCount]) {
  if (IsEditing()) width = height = kEditorSide;
  QORWell::Setup(width, height, colorFlags);
}

void QOREditorWell::Setup(const uint8_t colorFlags[kColorCount]) {
  Setup(kEditorSide, kEditorSide, colorFlags);
  // As on a loaded level, blocks placed on floor rest on the void around it.
  FillVoidCells();
  SetCurrentTile("Tile_Normal_Sand1");
  delete mode_;
  mode_ = QORWellMode::GetMode("arcade", this).release();
  frameX_ = frameY_ = kEditorSide / 2;
}

// --- Tools.

void QOREditorWell::DropInHand() {
  delete blockInHand_;
  blockInHand_ = nullptr;
  DestroyWalker(rivalFigure_);
  rivalFigure_ = nullptr;
  rivalInHand_ = false;
  rivalCell_ = {-1, -1};
  tileInHand_.reset();
  delete decorationInHand_;
  decorationInHand_ = nullptr;
}

void QOREditorWell::SetCurrentBlock(const std::string& name) {
  blockName_ = name;
  DropInHand();
  const int32_t h = static_cast<int32_t>(height_);
  if (name.find("qor_milestone") != std::string::npos) {
    char numbered[64];
    std::snprintf(numbered, sizeof(numbered), "qor_milestone[%i]", milestoneCounter++);
    blockInHand_ = CreateBlock(numbered, colorName_, -2, h - 2, 2, 2);
  } else if (name == "qor_big_barrel") {
    blockInHand_ = CreateBlock(name, colorName_, -3, h - 3, 2, 2);
  } else {
    blockInHand_ = CreateBlock(name, colorName_, -2, h - 2, 1, 1);
  }
}

void QOREditorWell::SetCurrentDecoration(const std::string& image) {
  decorationImage_ = image;
  DropInHand();
  decorationInHand_ = new well::Decoration(this);
  decorationInHand_->SetImage(image);
}

void QOREditorWell::SetCurrentTile(const std::string& name) {
  DropInHand();
  tileInHand_ = std::make_unique<ui::UISprite>();
  tileInHand_->Setup(name, math::Vec2(0.0f, 0.0f), math::Vec2(1.0f, 1.0f), false);
  tileName_ = name;
}

void QOREditorWell::SetCurrentWalker(const std::string& name) {
  for (const WalkerTool& tool : kWalkerTools) {
    if (!SameName(name, tool.walker)) continue;
    if (tool.nest) {
      SetCurrentBlock(tool.nest);
    } else {
      DropInHand();
      rivalInHand_ = true;
    }
    return;
  }
}

void QOREditorWell::TurnDecorationInHand(int32_t steps) {
  if (!decorationInHand_ || steps == 0) return;
  decorationInHand_->SetRotation(decorationInHand_->GetRotation() + (steps > 0 ? 1 : 3));
}

// --- The mode.

void QOREditorWell::SetMode(const std::string& name) {
  const bool wasEditing = IsEditing();
  const std::string path = TemporaryLevelPath();
  // The layout is the only copy there is: without it saved, nothing changes.
  if (wasEditing && !Save(path)) {
    LOG_LINE(MSG_ERROR, "The editor cannot write its layout to " + path + "; it stays in the edit mode");
    return;
  }
  delete mode_;
  mode_ = nullptr;
  editMode_ = kEditNormal;
  if (SameName(name, "edit_frozen")) {
    editMode_ = kEditFrozen;
  } else if (Lower(name).find("play_") != std::string::npos) {
    mode_ = QORWellMode::GetMode(name.substr(name.rfind('_') + 1), this).release();
    if (mode_) editMode_ = kPlay;
  }
  SetGravity(editMode_ != kEditFrozen);
  ReloadTemporary(path);
  if (editMode_ == kPlay) mode_->OnLevelLoaded();
  OnLevelStart();
}

void QOREditorWell::ReloadTemporary(const std::string& path) {
  if (!IsReadableFile(path)) {
    LOG_LINE(MSG_ERROR, "The editor cannot read its layout back from " + path);
    return;
  }
  DropInHand();
  ClearWalkers();
  ClearWell();
  barriers_.clear();
  Load(path, -1.0f);
  FindEntranceAndExit();
  BuildSpawnCells();
  SetScroll(math::Vec2(0.0f, 0.0f));
  OnLevelStart();
}

// --- The frame.

void QOREditorWell::Tick(float dt) {
  if (!IsEditing()) {
    QORWell::Tick(dt);
    return;
  }
  EdgeScroll(dt);
  TickHud(dt);
  GameScrollWell::Tick(dt);
}

void QOREditorWell::OnSettled() {
  if (IsEditing()) return;
  ResolveMatches();
  RefreshHitTiles();
}

bool QOREditorWell::OnMouseMove(const math::Vec2& point) {
  if (!IsEditing()) return QORWell::OnMouseMove(point);
  mousePosition_ = point;
  return false;
}

void QOREditorWell::OnMouseDrag(const math::Vec2& point) {
  if (!IsEditing()) QORWell::OnMouseDrag(point);
}

void QOREditorWell::Draw() {
  QORWell::Draw();
  DrawBarriers();
  dd::Manager* debug = dd::GetManager();
  if (barrierMode_) {
    if (barrierStarted_) {
      debug->AddLine2D(barrierStart_ - scroll_, mousePosition_, kBarrierLineColour);
    } else {
      debug->AddCircle2D(mousePosition_, kBarrierTolerance, kBarrierLineColour);
    }
  }
  const well::Cell cell = ScreenToCell(mousePosition_);
  if (FontManager* fonts = GetFontManager()) {
    fonts->Printf(kLevelTextPosition, "Level %s [%i, %i]", fileName_.c_str(), cell.x, cell.y);
  }
}

void QOREditorWell::DrawBackDecorations() {
  GameScrollWell::DrawBackDecorations();
  if (IsEditing()) DrawPreview(true);
}

void QOREditorWell::DrawOverlay() {
  if (!IsEditing()) {
    QORWell::DrawOverlay();
    return;
  }
  DrawPreview(false);
  DrawGuides();
}

bool QOREditorWell::PreviewShows() const { return !GetUIMan()->HitTest(mousePosition_); }

void QOREditorWell::MoveDecorationInHand(const math::Vec2& point) {
  if (snap_) {
    const well::Cell cell = ScreenToCell(point);
    decorationInHand_->SetScreenPosition(CellToScreen(cell.x, cell.y));
  } else {
    decorationInHand_->SetScreenPosition(point - decorationInHand_->GetSize() * 0.5f);
  }
}

void QOREditorWell::DrawPreview(bool back) {
  if (!PreviewShows()) return;
  if (decorationInHand_ && (decorationInHand_->GetLayer() < well::Decoration::kFrontLayer) == back) {
    MoveDecorationInHand(mousePosition_);
    decorationInHand_->SetTint(kPreviewTint);
    decorationInHand_->Draw();
  }
  if (back) return;
  const well::Cell cell = ScreenToCell(mousePosition_);
  if (!IsInside(cell.x, cell.y)) return;
  if (blockInHand_) {
    blockInHand_->SetTint(kPreviewTint);
    blockInHand_->Draw(CellToScreen(cell.x, cell.y));
  }
  if (tileInHand_) {
    tileInHand_->SetRect(CellToScreen(cell.x, cell.y), cellSize_, 0.0f, 0, kPreviewTint);
    tileInHand_->Render();
  }
  if (rivalInHand_) {
    if (cell != rivalCell_) RemakeRivalInHand(cell);
    if (rivalFigure_) rivalFigure_->Draw();
  }
}

void QOREditorWell::RemakeRivalInHand(const well::Cell& cell) {
  DestroyWalker(rivalFigure_);
  rivalFigure_ = MakeShady(cell.x, cell.y);
  rivalCell_ = cell;
}

void QOREditorWell::DrawGuides() {
  dd::Manager* debug = dd::GetManager();
  const int32_t middle = kEditorSide / 2;
  debug->AddLine2D(CellToScreen(0, middle), CellToScreen(kEditorSide, middle), kGuideColour);
  debug->AddLine2D(CellToScreen(middle, 0), CellToScreen(middle, kEditorSide), kGuideColour);
  const math::Vec2 topLeft = CellToScreen(frameX_ - kFrameColumns / 2, frameY_ - kFrameRows / 2);
  const math::Vec2 bottomRight = CellToScreen(frameX_ + kFrameColumns / 2, frameY_ + kFrameRows / 2);
  const math::Vec2 topRight{bottomRight.x, topLeft.y};
  const math::Vec2 bottomLeft{topLeft.x, bottomRight.y};
  debug->AddLine2D(topLeft, topRight, kBarrierLineColour);
  debug->AddLine2D(topRight, bottomRight, kBarrierLineColour);
  debug->AddLine2D(bottomRight, bottomLeft, kBarrierLineColour);
  debug->AddLine2D(bottomLeft, topLeft, kBarrierLineColour);
}

// --- Clicks.

void QOREditorWell::OnLeftClick(const math::Vec2& point) {
  if (!IsEditing()) {
    QORWell::OnLeftClick(point);
    return;
  }
  mousePosition_ = point;
  const well::Cell cell = ScreenToCell(point);
  if (barrierMode_) {
    const math::Vec2 boardPoint = point + scroll_;
    if (barrierStarted_) barriers_.push_back({barrierStart_, boardPoint});
    barrierStart_ = boardPoint;
    barrierStarted_ = 1;
  } else if (rivalInHand_) {
    // The figure shown goes onto the board, and a new one is in hand.
    if (cell != rivalCell_ || !rivalFigure_) RemakeRivalInHand(cell);
    QORWalker* placed = rivalFigure_;
    rivalFigure_ = nullptr;
    rivalCell_ = {-1, -1};
    if (placed) AddWalker(placed);
  } else if (decorationInHand_) {
    PlaceDecorationInHand(point);
  } else if (tileInHand_) {
    if (QORTile* tile = GetTile(cell.x, cell.y)) PaintTile(*tile);
  } else if (blockInHand_) {
    PlaceBlockInHand(cell);
  } else {
    // Decorations are hit where they show, scrolled with the board.
    decorationInHand_ = TakeDecorationAt(point);
    if (decorationInHand_) decorationImage_ = decorationInHand_->GetImageName();
  }
}

void QOREditorWell::PlaceDecorationInHand(const math::Vec2& point) {
  well::Decoration* placed = decorationInHand_;
  MoveDecorationInHand(point);
  placed->SetTint(kOpaque);
  InsertDecoration(placed);
  decorationInHand_ = new well::Decoration(this);
  decorationInHand_->SetImage(placed->GetImageName());
  decorationInHand_->SetRotation(placed->GetRotation());
  decorationInHand_->SetLayer(std::max(0, placed->GetLayer()));
}

void QOREditorWell::PaintTile(QORTile& tile) {
  for (const TileTool& tool : kTileTools) {
    if (tileName_ != tool.name) continue;
    if (tool.type == kTileVoid) {
      if (tile.type == kTileVoid) return;
      if (well::Block* block = GetBlock(tile.x, tile.y)) {
        block->SetErased();
        RemoveDeadBlocks();
      }
      if (well::Block* invisible = CreateBlock("qor_invisible", "none", tile.x, tile.y, 1, 1)) {
        PlaceBlock(invisible, tile.x, tile.y, -1.0f);
      }
    }
    if (tool.type == kTileEditOnly) {
      for (uint32_t i = 0; i < width_ * height_; ++i) {
        QORTile& other = tiles_[i];
        if (&other == &tile || other.type != kTileEditOnly) continue;
        other.type = kTileVoid;
        RefreshTile(other);
      }
    }
    tile.type = tool.type;
    if (tool.variant != 0) tile.crackVariant = tool.variant;
    RefreshTile(tile);
    return;
  }
}

void QOREditorWell::PlaceBlockInHand(const well::Cell& cell) {
  const int32_t w = blockInHand_->GetWidth();
  const int32_t h = blockInHand_->GetHeight();
  if (!IsInside(cell.x, cell.y) || !IsInside(cell.x + w - 1, cell.y + h - 1)) return;
  const int32_t type = GetBlockType(blockInHand_);
  const QORTile* tile = GetTile(cell.x, cell.y);
  const bool floorless = !tile || tile->type == kTileVoid;
  if (floorless && type != QORBlock::kMilestone && type != QORBlock::kStartBlock) return;
  std::vector<well::Block*> covered;
  CollectBlocks(cell.x, cell.y, cell.x + w - 1, cell.y + h - 1, covered);
  for (const well::Block* block : covered) {
    if (block->IsSliding()) return;
  }
  for (well::Block* block : covered) block->SetErased();
  RemoveDeadBlocks();
  well::Block* placed = blockInHand_;
  blockInHand_ = nullptr;
  placed->SetTint(kOpaque);
  PlaceBlock(placed, cell.x, cell.y, -1.0f);
  SetCurrentBlock(blockName_);
}

bool QOREditorWell::RemoveBarrierAt(const math::Vec2& point) {
  for (auto it = barriers_.begin(); it != barriers_.end(); ++it) {
    math::Vec2 push;
    float depth = 0.0f;
    if (math::SegmentCircleCollision(it->from, it->to, point, 0.0f, kBarrierTolerance, push, depth)) {
      barriers_.erase(it);
      return true;
    }
  }
  return false;
}

void QOREditorWell::OnRightClick(const math::Vec2& point) {
  const well::Cell cell = ScreenToCell(point);
  QORTile* tile = GetTile(cell.x, cell.y);
  if (!IsEditing()) {
    if (tile) {
      tile->type = kTileGold;
      RefreshTile(*tile);
    }
    QORWell::OnRightClick(point);
    return;
  }
  if (RemoveBarrierAt(point + scroll_)) return;
  if (DeleteWalkers(point)) return;
  if (DeleteDecoration(point)) return;
  // Off the board there is no block to erase nor floor to take away.
  if (!tile) return;
  if (well::Block* block = GetBlock(cell.x, cell.y); block && GetBlockType(block) != QORBlock::kInvisible) {
    block->SetErased();
    RemoveDeadBlocks();
  } else if (tile->type != kTileVoid) {
    tile->type = kTileVoid;
    RefreshTile(*tile);
  }
}

// --- Keys.

bool QOREditorWell::HandlesFrameKey(int32_t code) {
  if (!input::GetInput().GetKeyboard() || !input::GetInput().GetKeyboard()->GetKeyState(kKeyLeftCtrl).down) return false;
  switch (code) {
    case DIK_UP:
      --frameY_;
      return true;
    case DIK_DOWN:
      ++frameY_;
      return true;
    case DIK_LEFT:
      --frameX_;
      return true;
    case DIK_RIGHT:
      ++frameX_;
      return true;
    default:
      return false;
  }
}

void QOREditorWell::OnKey(const input::KeyState* key) {
  if (!key) return;
  if (console::Console* console = GetConsole(); console && console->IsOpen()) return;
  const int32_t code = key->code;
  if (HandlesFrameKey(code)) return;
  if (code >= kKeyFirstNumber && code <= kKeyLastPower && hud_) hud_->SelectPower(code - kKeyFirstNumber);
  for (const WalkerKey& walkerKey : kWalkerKeys) {
    if (code == walkerKey.code) SetCurrentWalker(walkerKey.walker);
  }
  switch (code) {
    case kKeyW: {
      const well::Cell cell = ScreenToCell(mousePosition_);
      QORTile* tile = GetTile(cell.x, cell.y);
      if (tile && tile->type != kTileMetal) tile->webbed = tile->webbed ? 0 : 1;
      break;
    }
    case kKeyG:
      snap_ = snap_ ? 0 : 1;
      break;
    case kKeyC:
      barrierMode_ = 1;
      barrierStarted_ = 0;
      break;
    case kKeySpace:
      delete blockInHand_;
      blockInHand_ = nullptr;
      tileInHand_.reset();
      delete decorationInHand_;
      decorationInHand_ = nullptr;
      barrierMode_ = 0;
      break;
    case DIK_UP:
    case DIK_DOWN:
      if (decorationInHand_) {
        decorationInHand_->SetLayer(std::max(0, decorationInHand_->GetLayer() + (code == DIK_UP ? 1 : -1)));
      }
      break;
    case DIK_LEFT:
    case DIK_RIGHT:
      TurnDecorationInHand(code == DIK_RIGHT ? 1 : -1);
      break;
    default:
      break;
  }
  if (IsEditing() && code >= kKeyFirstNumber && code <= kKeyLastTool) {
    char script[32];
    std::snprintf(script, sizeof(script), "EditorKey%i()", code - 1);
    GetUIMan()->ExecuteScript(script);
  }
}

// --- Interface.

void QOREditorWell::InitUI() {
  delete hud_;
  auto* hud = new QOREditorUI(this);
  hud_ = hud;
  hud->Init();
  // The boxes start from the board's colours, which a save then keeps.
  hud->RefreshColors();
}

void QOREditorWell::ShutdownUI() {
  if (hud_) hud_->Hide();
  if (gameEnd_) gameEnd_->HidePanel();
}
