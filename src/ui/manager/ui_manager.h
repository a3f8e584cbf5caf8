// The owner of every UI panel (a panel is a widget without a parent): loads
// panels from ".ui" files, makes widgets by type name, keeps the focus, the
// widget being dragged, the open dropdown and the text box being edited, and
// runs Lua on behalf of widgets. Each frame it updates and draws the panels
// and routes the mouse and the keyboard to them, and it draws its own mouse
// cursor. It is also the sprites' host: their language and their owners'
// "clip_ended".
#pragma once
#include <memory>
#include <string>

#include "core/input/key_listener.h"
#include "core/input/mouse_listener.h"
#include "render/sprites/sprite_host.h"
#include "render/sprites/ui_sprite.h"
#include "ui/widgets/walk_list.h"

class WriteLua;

namespace flash {
class FlashDriver;
}

namespace camera {
class AbstractCamera;
}

namespace LuaPlus {
class LuaObject;
class LuaState;
}

namespace ui {

class UIDropDown;
class UIText;
class UIWidget;

// Registers with the mouse and the keyboard that exist when it is made.
class UIManager : public SpriteHost, public input::KeyListener, public input::MouseListener {
 public:
  static constexpr int kProfileSection = 3;
  static constexpr float kCursorSize = 0.02f;

  UIManager();
  ~UIManager() override;
  UIManager(const UIManager&) = delete;
  UIManager& operator=(const UIManager&) = delete;

  // Loads a panel file and lists its panel front-most; a panel of the same
  // name already listed is returned instead. Null, logged, on failure.
  UIWidget* AddPanel(const std::string& path);
  // A new widget of the type name (compared in lower case) with no name.
  UIWidget* CreateWidget(UIWidget* parent, const std::string& typeName);
  // The widget of the table's "Type", loaded from the table; null when the
  // value is no table or the load fails.
  UIWidget* CreateWidgetFromTable(UIWidget* parent, const LuaPlus::LuaObject& table);
  // Writes the panel as the table "Panel"; nothing for a null panel.
  void SavePanel(UIWidget* panel, const std::string& path);
  // Lists the panel front-most unless it is listed.
  void InsertPanel(UIWidget* panel);
  // Unlinks a listed panel, destroying it when asked; whether it was listed.
  bool DropPanel(UIWidget* panel, bool destroy);
  void DropAllPanels();
  // The back-most listed panel of the name, in any letter case.
  UIWidget* GetPanel(const std::string& name);
  bool IsListed(const UIWidget* panel);
  // Calls `visit` on every panel, back to front.
  template <typename Visit>
  void ForEachPanel(Visit visit) {
    BackToFront([&visit](UIWidget* panel) {
      visit(panel);
      return false;
    });
  }
  // The first widget of the name found in the panels, back to front.
  UIWidget* GetWidget(const std::string& name);
  // A listed panel moves to the end (front-most), respectively the start.
  void PushPanelToFront(UIWidget* panel);
  void PushPanelToBack(UIWidget* panel);
  // Whether a visible widget with an image lies under the point.
  bool HitTest(const math::Vec2& point);
  // Nothing to refresh: scripts may call it.
  void RefreshActive() {}

  // Panels back to front.
  void Update(float dt);
  // Panels back to front with what they draw on top, then the drag target,
  // then the cursor.
  void Render();
  // After a device reset: the Flash driver, then each panel.
  void ResetResources();
  // Makes the movie player's driver unless it exists.
  void InitFlash();
  // Deletes the driver, which empties the player's libraries: at shut-down
  // and before a device reset.
  void ShutdownFlash();
  bool HasFlashDriver() const { return flashDriver_ != nullptr; }

  void SetCursor(const std::string& image, const math::Vec2& offset, const math::Vec2& size);
  // Lets the cursor's image go before the graphics that hold it shut down;
  // the cursor then draws nothing.
  void ReleaseCursorImage() { cursor_.Invalidate(); }
  void ShowCursor(bool show) { cursorShown_ = show; }
  bool IsCursorShown() const { return cursorShown_; }
  const math::Vec2& GetCursorPosition() const { return cursorPosition_; }
  const UISprite& GetCursorSprite() const { return cursor_; }

  // Input routing.
  void OnKeyDown(const input::KeyState* key) override;
  void OnKeyUp(const input::KeyState* key) override;
  void OnKeyRepeat(const input::KeyState* key) override;
  void OnMouseDown(const input::MouseButton* button, const math::Vec2* point) override;
  void OnMouseDoubleClick(const input::MouseButton* button, const math::Vec2* point) override;
  void OnMouseUp(const input::MouseButton* button, const math::Vec2* point) override;
  void OnMouseHeld(const input::MouseButton* button, const math::Vec2* point) override;
  void OnMouseRepeat(const input::MouseButton* button, const math::Vec2* point) override;
  void OnMouseHover(const math::Vec2* point) override;
  void OnMouseMove(const math::Vec2* oldPoint, const math::Vec2* newPoint) override;
  void OnMouseDrag(const math::Vec2* dragStart, const math::Vec2* point) override;
  void OnMouseDragEnd(const math::Vec2* dragStart, const math::Vec2* point) override;
  // A new screen is up: a button held now was pressed on the screen before,
  // and its release, held and repeat calls fire nothing on this one.
  void OnScreenChanged();

  // The widget classes, the movers' functions, "UIManager" and "GetUIMan".
  static void RegisterLua(LuaPlus::LuaState* state);

  // A new focus clears the edit box.
  void SetFocus(UIWidget* widget);
  UIWidget* GetFocus() const { return focus_; }
  // An editable widget becomes the focus and its text the edit box; anything
  // else clears both. The drag target is cleared either way.
  void SetEditWidget(UIWidget* widget);
  void ClearEditWidget();
  UIText* GetEditTextBox() const { return editTextBox_; }
  UIWidget* GetDragTarget() const { return dragTarget_; }
  void SetDragTarget(UIWidget* widget) { dragTarget_ = widget; }
  UIDropDown* GetOpenDropdown() const { return openDropdown_; }
  void SetOpenDropdown(UIDropDown* dropdown) { openDropdown_ = dropdown; }
  // Clears focus, drag target, open dropdown and edit box where they point
  // at a widget whose destruction is under way.
  void ForgetDeadWidgets();
  // The same for a widget being freed.
  void ForgetWidget(const UIWidget* widget);

  // Runs the script in the console's state and echoes it; nothing for an
  // empty script or without a console state.
  void ExecuteScript(const std::string& script);

  // The camera of the scripted screen shown last; the particle widgets draw
  // with it, and draw nothing while there is none. Not owned.
  void SetCamera(camera::AbstractCamera* camera) { camera_ = camera; }
  camera::AbstractCamera* GetCamera() const { return camera_; }

  const std::string& GetFontName() const { return fontName_; }
  void SetLanguage(const std::string& language) { language_ = language; }

  // SpriteHost.
  void RunClipEnded(UIWidget* owner) override;
  const std::string& GetLanguage() const override { return language_; }

  // Long centred texts drawn from the left (process-wide).
  static void ForceLeftAlign(bool on);
  static bool IsForceLeftAlign();

 private:
  struct PanelEntry {
    UIWidget* value = nullptr;
  };
  // Visits panels front to back until one call returns true.
  template <typename Call>
  bool FrontToBack(Call call);
  template <typename Call>
  bool BackToFront(Call call);
  // The open dropdown when the point lies in it.
  UIDropDown* DropdownAt(const math::Vec2& point) const;
  // Whether the button was pressed before the screen changed; its release
  // ends that.
  bool IsStalePress(const input::MouseButton* button, bool released);

  // Back-most first.
  WalkList<PanelEntry> panels_;
  UIWidget* focus_ = nullptr;
  UIDropDown* openDropdown_ = nullptr;
  UIWidget* dragTarget_ = nullptr;
  UIWidget* editWidget_ = nullptr;
  UIText* editTextBox_ = nullptr;
  camera::AbstractCamera* camera_ = nullptr;
  std::unique_ptr<flash::FlashDriver> flashDriver_;
  std::string fontName_ = "SmallFont";
  std::string language_ = "English";
  UISprite cursor_;
  bool cursorShown_ = true;
  math::Vec2 cursorPosition_;
  math::Vec2 cursorOffset_;
  math::Vec2 cursorSize_{kCursorSize, kCursorSize};
  // One bit a button index: held since a press on this screen, and held
  // since a press on an earlier one.
  uint32_t heldButtons_ = 0;
  uint32_t staleButtons_ = 0;
};

template <typename Call>
inline bool UIManager::FrontToBack(Call call) {
  return panels_.WalkBackward([&call](UIWidget* panel) { return call(panel); });
}

template <typename Call>
inline bool UIManager::BackToFront(Call call) {
  return panels_.WalkForward([&call](UIWidget* panel) { return call(panel); });
}

}  // namespace ui

ui::UIManager* GetUIMan();
