// The level editor's board: a 60 x 60 game board the mouse paints. Only one
// tool is in hand at a time (a block, the rival's start, a floor tile or a
// decoration); barrier mode draws the race's barrier lines instead. Its mode
// switches between the two editing modes and play: entering play saves the
// layout to a temporary level and plays a fresh copy of it, and going back
// loads that layout again, discarding the play.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "board/qor_well.h"

namespace well {
class Decoration;
}

class QOREditorWell : public QORWell {
 public:
  enum EditMode : int32_t { kEditNormal = 0, kEditFrozen = 1, kPlay = 2 };
  static constexpr const char* kTemporaryLevel = "temp_level.lua";
  static constexpr int32_t kFrameColumns = 50;
  static constexpr int32_t kFrameRows = 30;
  static constexpr uint32_t kPreviewTint = 0x96969696u;
  static constexpr uint32_t kBarrierLineColour = 0xFFFF0000u;

  explicit QOREditorWell(void* owner);
  ~QOREditorWell() override;

  // While editing every board is 60 x 60 cells, whatever a file asks for.
  void Setup(uint32_t width, uint32_t height, const uint8_t colorFlags[kColorCount]) override;
  // An empty 60 x 60 board with the colours, the sand tile in hand and the
  // arcade mode, not started.
  void Setup(const uint8_t colorFlags[kColorCount]);

  // --- The slots the editor replaces.
  void OnSettled() override;
  void Draw() override;
  void Tick(float dt) override;
  bool IsEditing() override { return editMode_ != kPlay; }
  bool IsEditorWell() override { return true; }
  void DrawBackDecorations() override;
  void DrawOverlay() override;
  bool OnMouseMove(const math::Vec2& point) override;
  void OnMouseDrag(const math::Vec2& point) override;
  void OnLeftClick(const math::Vec2& point) override;
  void OnRightClick(const math::Vec2& point) override;
  void InitUI() override;
  void ShutdownUI() override;
  void OnKey(const input::KeyState* key) override;

  // --- Tools. Choosing one drops whatever is in hand.
  // A milestone's name gets the next index of the program's run.
  void SetCurrentBlock(const std::string& name);
  void SetCurrentDecoration(const std::string& image);
  void SetCurrentTile(const std::string& name);
  // A nest's block tool, or the rival in hand; any other name does nothing.
  void SetCurrentWalker(const std::string& name);
  void SetCurrentColor(const std::string& colorName) { colorName_ = colorName; }
  void SetSnap(bool on) { snap_ = on ? 1 : 0; }
  // "edit_normal", "edit_frozen" or "PLAY_<mode>", in any letter case.
  void SetMode(const std::string& name);
  // The size "SetEditorSize" asked for; the board stays 60 x 60.
  void SetRequestedSize(int32_t width, int32_t height) {
    requestedWidth_ = width;
    requestedHeight_ = height;
  }

  int32_t GetEditMode() const { return editMode_; }
  bool IsBarrierMode() const { return barrierMode_ != 0; }
  bool IsSnapping() const { return snap_ != 0; }
  const std::string& GetBlockName() const { return blockName_; }
  const std::string& GetTileName() const { return tileName_; }
  well::Block* GetBlockInHand() const { return blockInHand_; }
  well::Decoration* GetDecorationInHand() const { return decorationInHand_; }
  bool HasRivalInHand() const { return rivalInHand_; }
  bool HasTileInHand() const { return tileInHand_ != nullptr; }
  int32_t GetFrameX() const { return frameX_; }
  int32_t GetFrameY() const { return frameY_; }
  // The decoration in hand turns a quarter forward (steps > 0) or back.
  void TurnDecorationInHand(int32_t steps);
  // Where the temporary level lives: the system's temporary folder.
  static std::string TemporaryLevelPath();

 private:
  void DropInHand();
  void ReloadTemporary(const std::string& path);
  void PlaceBlockInHand(const well::Cell& cell);
  void PaintTile(QORTile& tile);
  void PlaceDecorationInHand(const math::Vec2& point);
  void MoveDecorationInHand(const math::Vec2& point);
  void RemakeRivalInHand(const well::Cell& cell);
  bool RemoveBarrierAt(const math::Vec2& point);
  bool HandlesFrameKey(int32_t code);
  void DrawPreview(bool back);
  void DrawGuides();
  // The pointer lies over the board, not over an image of the interface.
  bool PreviewShows() const;

  int32_t editMode_ = kEditNormal;
  std::string blockName_;
  std::string colorName_;
  well::Block* blockInHand_ = nullptr;
  // The rival's start in hand; his figure is made again at the pointer's cell.
  bool rivalInHand_ = false;
  QORWalker* rivalFigure_ = nullptr;
  well::Cell rivalCell_{-1, -1};
  std::string tileName_;
  std::unique_ptr<ui::UISprite> tileInHand_;
  well::Decoration* decorationInHand_ = nullptr;
  std::string decorationImage_;
  uint8_t snap_ = 0;
  uint8_t barrierMode_ = 0;
  math::Vec2 barrierStart_;
  uint8_t barrierStarted_ = 0;
  int32_t frameX_ = kEditorSide / 2;
  int32_t frameY_ = kEditorSide / 2;
  int32_t requestedWidth_ = kEditorSide;
  int32_t requestedHeight_ = kEditorSide;
};
