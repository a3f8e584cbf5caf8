// The game board's tables of a level file: the header QOR, the floor
// BackgroundTiles, the race's Barriers and the walkers' Spiders, and the
// per-level data of "level/level_data.lua" (background, colours, time).
#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "board/qor_well.h"
#include "board/walkers/qor_walker.h"
#include "well/block.h"
#include "well/block_names.h"
#include "core/log.h"
#include "core/script/script_helper.h"
#include "core/script/lua_writer.h"
#include "render/debug_draw/dd_man.h"

namespace {

constexpr const char* kLevelDataFile = "level/level_data.lua";
constexpr const char* kDefaultLevelId = "temple_1_level_1";
constexpr float kDefaultTimerMinutes = 5.0f;
// Blue, green, red, yellow and purple: a level that enables no colour plays these.
constexpr int kStandardColors = 5;
constexpr float kBarrierRadius = 0.025f;
constexpr uint32_t kBarrierColour = 0x96C8C8C8u;

// A colour flag of the header: any number but 0 is on.
bool IsNonZeroNumber(const LuaPlus::LuaObject& value) { return value.IsNumber() && value.GetNumber() != 0.0; }

}  // namespace

std::string QORWell::LevelIdOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const size_t dot = path.rfind('.');
  if (slash == std::string::npos || dot == std::string::npos || slash < 1 || dot < 1) return kDefaultLevelId;
  // At most `dot` characters after the slash, less the extension's four;
  // a shorter text loses what it has.
  std::string id = path.substr(slash + 1, dot);
  id.erase(id.size() - std::min<size_t>(4, id.size()));
  std::transform(id.begin(), id.end(), id.begin(), [](unsigned char c) { return std::tolower(c); });
  return id;
}

bool QORWell::IsLevelSizeAccepted(int32_t width, int32_t height) const {
  if (width >= 1 && width <= kMaxLevelSide && height >= 1 && height <= kMaxLevelSide) return true;
  LOG_LINE(MSG_ERROR, "Level size " + std::to_string(width) + " x " + std::to_string(height) + " in " + fileName_ +
                          " is out of range (1 to " + std::to_string(kMaxLevelSide) + " cells a side)");
  return false;
}

bool QORWell::BeforeLoad(LuaPlus::LuaState* state) {
  uint8_t flags[kColorCount] = {};
  const LuaPlus::LuaObject header = script::GetGlobalObject(state, "QOR");
  if (!header.IsTable()) {
    LOG_LINE(MSG_WARNING, "Level file " + fileName_ + " has no QOR table; the fall-back board is played");
    headerMissing_ = 1;
    Setup(kFallbackWidth, kFallbackHeight, flags);
    return false;
  }
  int32_t width = script::ReadInt(header, "Width", -1);
  int32_t height = script::ReadInt(header, "Height", -1);
  if (IsEditing()) {
    width = height = kEditorSide;
  } else if (!IsLevelSizeAccepted(width, height)) {
    sizeRefused_ = 1;
    return false;
  }
  backgroundImage_ = script::ReadString(header, "Background", "img/Background_1.jpg");
  const LuaPlus::LuaObject colors = script::GetField(header, "Colors");
  for (int i = 0; i < kColorCount; ++i) {
    flags[i] = IsNonZeroNumber(script::GetField(colors, well::ColorToName(i))) ? 1 : 0;
  }

  LuaPlus::LuaState* data = script::CreateLuaState();
  const bool read = script::LoadDataScript(data, kLevelDataFile);
  const int enabled = read ? ReadLevelData(data, flags) : 0;
  LuaPlus::LuaState::Destroy(data);
  if (!read) {
    LOG_LINE(MSG_ERROR, "Unable to dataset!");
    return false;
  }
  if (enabled == 0) std::fill(flags, flags + kStandardColors, 1);
  Setup(width, height, flags);
  SetColors(flags);
  return true;
}

int QORWell::ReadLevelData(LuaPlus::LuaState* data, uint8_t flags[kColorCount]) {
  const LuaPlus::LuaObject level = script::GetGlobalObject(data, levelId_);
  if (!level.IsTable()) return 0;
  backgroundName_ = script::ReadString(level, "Background", "img/background_1.jpg");
  int enabled = 0;
  for (int i = 0; i < kColorCount; ++i) {
    const LuaPlus::LuaObject value = script::GetField(level, well::ColorToName(i));
    flags[i] = value.IsNumber() && value.GetNumber() == 1.0 ? 1 : 0;
    enabled += flags[i];
  }
  SetTimeLimit(script::ReadFloat(level, "Timer", kDefaultTimerMinutes) * 60.0f);
  return enabled;
}

void QORWell::FillVoidCells() {
  for (uint32_t x = 0; x < width_; ++x) {
    for (uint32_t y = 0; y < height_; ++y) {
      const int32_t type = tiles_[GetCellIndex(x, y)].type;
      if (type != kTileVoid && type != kTileEditOnly) continue;
      if (well::Block* block = CreateBlock("qor_invisible", "none", x, y, 1, 1)) PlaceBlock(block, x, y, -1.0f);
    }
  }
}

void QORWell::LoadSpecial(LuaPlus::LuaState* state) {
  tileTotal_ = 0;
  const LuaPlus::LuaObject floor = script::GetGlobalObject(state, "BackgroundTiles");
  if (floor.IsTable() && width_ > 0) {
    const int count = floor.GetTableCount();
    for (int i = 1; i <= count; ++i) {
      const LuaPlus::LuaObject entry = floor[i];
      if (!entry.IsTable()) continue;
      const int32_t x = script::ReadInt(entry, "X", (i - 1) % static_cast<int32_t>(width_));
      const int32_t y = script::ReadInt(entry, "Y", (i - 1) / static_cast<int32_t>(width_));
      QORTile* tile = GetTile(x, y);
      if (!tile) continue;
      tile->type = script::ReadInt(entry, "Type", kTileMetal);
      tile->crackVariant = script::ReadInt(entry, "Index", 1);
      tile->webbed = script::ReadInt(entry, "Webbed", 0) == 1 ? 1 : 0;
      tile->x = x;
      tile->y = y;
      RefreshTile(*tile);
      if (tile->type >= kTileVoid && tile->type < kTileBare) ++tileTotal_;
    }
    RefreshHitTiles();
  }

  FillVoidCells();

  const LuaPlus::LuaObject barriers = script::GetGlobalObject(state, "Barriers");
  if (barriers.IsTable()) {
    const int count = barriers.GetTableCount();
    for (int i = 1; i <= count; ++i) {
      const LuaPlus::LuaObject entry = barriers[i];
      if (!entry.IsTable()) continue;
      barriers_.push_back(QORBarrier{script::ReadVec2(entry, "From", math::Vec2(0.0f, 0.0f)),
                                     script::ReadVec2(entry, "To", math::Vec2(0.0f, 0.0f))});
    }
  }

  ClearWalkers();
  const LuaPlus::LuaObject spiders = script::GetGlobalObject(state, "Spiders");
  if (spiders.IsTable()) {
    const int count = spiders.GetTableCount();
    for (int i = 1; i <= count; ++i) {
      const LuaPlus::LuaObject entry = spiders[i];
      if (!entry.IsTable()) continue;
      const int32_t x = script::ReadInt(entry, "X", -1);
      const int32_t y = script::ReadInt(entry, "Y", -1);
      // Only the rival (1) is placed from the file; others come from nests.
      if (x < 0 || y < 0 || script::ReadInt(entry, "ID", 0) != 1) continue;
      shadyLevel_ = 1;
      shadyStartX_ = x;
      shadyStartY_ = y;
    }
  }
}

void QORWell::ComputeSavedSize() {
  int32_t maxX = -1, maxY = -1;
  for (uint32_t x = 0; x < width_; ++x) {
    for (uint32_t y = 0; y < height_; ++y) {
      if (tiles_[GetCellIndex(x, y)].type == kTileVoid) continue;
      maxX = std::max(maxX, static_cast<int32_t>(x));
      maxY = std::max(maxY, static_cast<int32_t>(y));
    }
  }
  auto cover = [&](const well::Cell& cell, int32_t width, int32_t height) {
    maxX = std::max(maxX, cell.x + width - 1);
    maxY = std::max(maxY, cell.y + height - 1);
  };
  for (const well::RestoreRecord& record : restoreRecords_)
    cover(well::Cell{record.x, record.y}, record.width, record.height);
  // A saved block outside the floor (a room without one) must reload too.
  std::vector<well::Block*> saved;
  CollectSavedBlocks(saved);
  for (const well::Block* block : saved) cover(block->GetCell(), block->GetWidth(), block->GetHeight());
  // The editor's whole board fits: 60 cells, its last column and row kept.
  const int32_t maxWidth = std::min(kEditorSide, static_cast<int32_t>(width_));
  const int32_t maxHeight = std::min(kEditorSide, static_cast<int32_t>(height_));
  savedWidth_ = std::clamp(maxX + 1, 0, maxWidth);
  savedHeight_ = std::clamp(maxY + 1, 0, maxHeight);
}

bool QORWell::Save(const std::string& fileName) {
  ComputeSavedSize();
  return GameScrollWell::Save(fileName);
}

void QORWell::BeforeSave(WriteLua& writer) {
  // The board's own colours, which the editor's HUD replaces by its switches.
  uint8_t flags[kColorCount];
  for (int i = 0; i < kColorCount; ++i) flags[i] = colorWeights_.weights[i] != 0.0f ? 1 : 0;
  ReadHudColorSwitches(flags);
  writer.BeginTable("QOR");
  writer.WriteInt("Width", savedWidth_);
  writer.WriteInt("Height", savedHeight_);
  writer.WriteString("Background", backgroundImage_);
  writer.BeginTable("Colors");
  for (int i = 0; i < kColorCount; ++i) writer.WriteInt(well::ColorToName(i), flags[i] ? 1 : 0);
  writer.EndTable(true);
  writer.EndTable(false);
}

void QORWell::SaveExtra(WriteLua& writer) {
  SaveTiles(writer);
  SaveBarriers(writer);
  if (!walkers_.empty()) WriteWalkers(writer);
}

void QORWell::SaveTiles(WriteLua& writer) {
  writer.BeginTable("BackgroundTiles");
  for (int32_t x = 0; x < savedWidth_; ++x) {
    for (int32_t y = 0; y < savedHeight_; ++y) {
      const QORTile& tile = tiles_[GetCellIndex(x, y)];
      writer.BeginTable("");
      writer.WriteInt("Type", tile.type);
      writer.WriteInt("Index", tile.crackVariant);
      writer.WriteInt("Webbed", tile.webbed ? 1 : 0);
      writer.WriteInt("X", tile.x);
      writer.WriteInt("Y", tile.y);
      writer.EndTable(true);
    }
  }
  writer.EndTable(false);
}

void QORWell::SaveBarriers(WriteLua& writer) {
  if (barriers_.empty()) return;
  writer.BeginTable("Barriers");
  for (const QORBarrier& barrier : barriers_) {
    writer.BeginTable("");
    writer.WriteVec2("From", barrier.from);
    writer.WriteVec2("To", barrier.to);
    writer.EndTable(true);
  }
  writer.EndTable(false);
}

void QORWell::WriteWalkers(WriteLua& writer) {
  writer.BeginTable("Spiders");
  for (QORWalker* walker : walkers_) {
    int32_t x = 0, y = 0;
    GetWalkerCell(walker, x, y);
    writer.BeginTable("");
    writer.WriteInt("ID", GetWalkerType(walker));
    writer.WriteInt("X", x);
    writer.WriteInt("Y", y);
    writer.WriteInt("Dir", walker ? walker->GetTurnSense() : 1);
    writer.EndTable(true);
  }
  writer.EndTable(false);
}

void QORWell::DrawBarriers() {
  dd::Manager* debug = dd::GetManager();
  for (const QORBarrier& barrier : barriers_) {
    debug->AddCapsule2D(barrier.to - scroll_, barrier.from - scroll_, kBarrierRadius, kBarrierColour);
  }
}
