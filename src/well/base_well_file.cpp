// The board file: a Lua script defining the global tables Blocks,
// Decorations and Info, run in a fresh state to load and written back
// through WriteLua to save. Derived boards add their own tables through the
// load and save hooks.
#include <algorithm>

#include "well/base_well.h"
#include "well/decoration.h"
#include "core/log.h"
#include "core/script/script_helper.h"
#include "core/script/lua_writer.h"

namespace well {

bool BaseWell::Load(const std::string& fileName, float delay) {
  fileName_ = fileName;
  LuaPlus::LuaState* state = script::CreateLuaState();
  if (!script::LoadDataScript(state, fileName)) {
    LOG_LINE(MSG_ERROR, "Unable to load well from file " + fileName + "!");
    LuaPlus::LuaState::Destroy(state);
    return false;
  }
  if (BeforeLoad(state)) {
    LoadBlocks(state, delay);
    if (!SkipDecorationsOnLoad()) {
      LoadDecorations(state);
      LoadInfo(state);
    }
    AfterLoad(state);
  }
  LuaPlus::LuaState::Destroy(state);
  return true;
}

void BaseWell::LoadBlocks(LuaPlus::LuaState* state, float delay) {
  const LuaPlus::LuaObject blocks = script::GetGlobalObject(state, "Blocks");
  if (!blocks.IsTable()) return;
  for (int i = 1, count = blocks.GetTableCount(); i <= count; ++i) {
    const LuaPlus::LuaObject entry = blocks[i];
    const int32_t x = script::ReadInt(entry, "X", 0);
    const int32_t y = script::ReadInt(entry, "Y", 0);
    Block* block = CreateBlock(script::ReadString(entry, "Type", "normal"), script::ReadString(entry, "Color", "red"),
                               x, y, script::ReadInt(entry, "Width", 0), script::ReadInt(entry, "Height", 0));
    if (block) PlaceBlock(block, x, y, delay);
  }
}

void BaseWell::LoadDecorations(LuaPlus::LuaState* state) {
  const LuaPlus::LuaObject decorations = script::GetGlobalObject(state, "Decorations");
  if (!decorations.IsTable()) return;
  for (int i = 1, count = decorations.GetTableCount(); i <= count; ++i) {
    const LuaPlus::LuaObject entry = decorations[i];
    const std::string image = script::ReadString(entry, "Image", "");
    if (image.empty()) continue;
    const math::Vec2 offset{script::ReadFloat(entry, "OffsetX", 0.0f), script::ReadFloat(entry, "OffsetY", 0.0f)};
    AddDecoration(image, script::ReadInt(entry, "X", 0), script::ReadInt(entry, "Y", 0),
                  script::ReadInt(entry, "Width", 0), script::ReadInt(entry, "Height", 0), offset,
                  script::ReadInt(entry, "Layer", Decoration::kFrontLayer), script::ReadInt(entry, "Rotation", 0));
  }
}

void BaseWell::LoadInfo(LuaPlus::LuaState* state) {
  const LuaPlus::LuaObject info = script::GetGlobalObject(state, "Info");
  if (!info.IsTable()) return;
  backgroundName_ = script::ReadString(info, "Background", "random");
  effectName_ = script::ReadString(info, "Effect", "none");
}

bool BaseWell::Save(const std::string& fileName) {
  WriteLua writer;
  if (!writer.Open(fileName)) return false;
  BeforeSave(writer);
  SaveBlocks(writer);
  SaveDecorations(writer);
  SaveExtra(writer);
  writer.BeginTable("Info");
  writer.WriteString("Background", backgroundName_);
  writer.WriteString("Effect", effectName_);
  writer.EndTable(false);
  writer.Close();
  return true;
}

void BaseWell::CollectSavedBlocks(std::vector<Block*>& list) {
  CollectAllBlocks(list);
  list.erase(std::remove_if(list.begin(), list.end(), [](Block* block) { return !block->HasImage(); }),
             list.end());
}

void BaseWell::SaveBlocks(WriteLua& writer) {
  std::vector<Block*> blocks;
  CollectSavedBlocks(blocks);
  writer.BeginTable("Blocks");
  for (Block* block : blocks) {
    const Cell cell = block->GetCell();
    writer.BeginTable("");
    writer.WriteString("Type", block->GetTypeName());
    writer.WriteString("Color", ColorToName(block->GetColor()));
    writer.WriteInt("X", cell.x);
    writer.WriteInt("Y", cell.y);
    writer.WriteInt("Width", block->GetWidth());
    writer.WriteInt("Height", block->GetHeight());
    writer.EndTable(true);
  }
  writer.EndTable(false);
}

void BaseWell::SaveDecorations(WriteLua& writer) {
  if (decorations_.empty()) return;
  writer.BeginTable("Decorations");
  for (const Decoration* decoration : decorations_) {
    const Cell cell = decoration->GetCell();
    writer.BeginTable("");
    writer.WriteString("Image", decoration->GetImageName());
    writer.WriteInt("X", cell.x);
    writer.WriteInt("Y", cell.y);
    writer.WriteFloat("OffsetX", decoration->GetOffset().x);
    writer.WriteFloat("OffsetY", decoration->GetOffset().y);
    writer.WriteInt("Layer", decoration->GetLayer());
    writer.WriteInt("Rotation", decoration->GetRotation());
    writer.EndTable(true);
  }
  writer.EndTable(false);
}

}  // namespace well
