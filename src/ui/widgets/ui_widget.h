// The base of every element of the user interface. A panel is a widget
// without a parent; every widget owns its children, kept in a list keyed by
// name. Positions and sizes are fractions of the screen; a widget stores its
// absolute position. A widget answers the mouse by running one of its 25
// event scripts (Lua text run in the console's state).
//
// Scripts may delete widgets whose code is still running: see
// widget_lifetime.h.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/math/vector.h"
#include "render/sprites/ui_sprite.h"
#include "ui/widgets/named_list.h"
#include "ui/widgets/ui_text.h"

class WriteLua;

namespace LuaPlus {
class LuaObject;
class LuaState;
}

namespace ui {

class UICheckBox;
class UIDropDown;
class UIFlashWidget;
class UIManager;
class UIMover;
class UIMultiLine;
class UIProgress;
class UISlider;
class UIPart2DWidget;

// "widget" .. "part2d" for types 0 to 8, "widget" for any other.
const char* GetWidgetTypeName(int type);
// The panel-file key of the event; "unknown" outside 0 .. 24.
const char* GetEventName(int index);

class UIWidget : public NamedList<UIWidget> {
 public:
  enum Event : int {
    kOnLoad = 0,
    kGainFocus,
    kLooseFocus,
    kDragEvent,
    kDropEvent,
    kMouseOver,
    kMouseOff,
    kHoover,
    kLmbClick,
    kLmbDoubleClick,
    kLmbRepeat,
    kRmbClick,
    kRmbDoubleClick,
    kRmbRepeat,
    kLmbRelease,
    kRmbRelease,
    kSliderChange,
    kClipEnded,
    kTextEnter,
    kSelected,
    kUpKey,
    kDownKey,
    kLeftKey,
    kRightKey,
    kTabKey,
    kEventCount
  };
  enum Image : int {
    kImageOff = 0,
    kImageOver,
    kImageClick,
    kImageProgressFull,
    kImageProgressEmpty,
    kImageIcon,  // a slider's icon, a dropdown's button
    kImageListBack,
    kImageChecked,
    kImageUnchecked,
    kImageCount
  };
  enum Type : int {
    kTypeWidget = 0,
    kTypeProgress,
    kTypeSlider,
    kTypeDropDown,
    kTypeMultiLine,
    kTypeCheckBox,
    kTypeFlash,
    kTypePartSys,
    kTypePart2D
  };
  static constexpr int kLeftButton = 0;
  // Deeper "Children" tables are refused when loading.
  static constexpr int kMaxNesting = 32;

  UIWidget(UIWidget* parent, const std::string& name);

  // The slots, in order.
  ~UIWidget() override;
  virtual bool Init(const std::string& name, const math::Vec2& position, const math::Vec2& size);
  virtual bool Load(const LuaPlus::LuaObject& table);
  virtual bool Save(WriteLua& writer);
  virtual bool Update(float dt);
  virtual bool Render(bool force);
  virtual bool RenderOnTop();
  virtual bool OnMouseMove(const math::Vec2& oldPoint, const math::Vec2& newPoint);
  virtual bool OnDrag(const math::Vec2& start, const math::Vec2& point);
  virtual bool OnDrop(const math::Vec2& start, const math::Vec2& point, bool flag);
  virtual bool OnHover(const math::Vec2& point);
  virtual bool OnMouseDown(const math::Vec2& point, int button);
  virtual bool OnDoubleClick(const math::Vec2& point, int button);
  virtual bool OnMouseUp(const math::Vec2& point, int button);
  virtual bool OnMouseHeld(const math::Vec2& point, int button);
  virtual bool OnMouseRepeat(const math::Vec2& point, int button);
  virtual bool ForwardToChildren(int value);
  virtual void ResetResources();
  virtual bool IsInside(const math::Vec2& point) const;
  virtual void SetPosition(const math::Vec2& relative);
  virtual void SetPositionRelativeToParent(const math::Vec2& absolute);
  virtual bool HasImage() const;
  virtual void SetText(const std::string& utf8);
  virtual bool SetTextW(const std::u16string& text);
  virtual void AppendText(const std::string& utf8);
  virtual bool AppendTextW(const std::u16string& text);
  virtual void RefreshText();
  virtual UIWidget* GetClone();
  virtual void ReloadImages();
  virtual bool SaveType(WriteLua& writer);

  // Names and children.
  UIWidget* GetWidgetByName(const std::string& name);
  // As GetWidgetByName, but null unless the widget found is of the type.
  UIWidget* GetWidgetOfType(const std::string& name, int type);
  UISlider* GetSliderByName(const std::string& name);
  UIProgress* GetProgressByName(const std::string& name);
  UIMultiLine* GetMultiLineByName(const std::string& name);
  UIDropDown* GetDropDownByName(const std::string& name);
  UICheckBox* GetCheckBoxByName(const std::string& name);
  UIFlashWidget* GetFlashWidgetByName(const std::string& name);
  UIPart2DWidget* GetPartWidgetByName(const std::string& name);
  // Unlinks the entry holding this very child, destroying it when asked.
  // False for a null or unnamed child (or one not listed).
  bool DeleteChild(UIWidget* child, bool destroy);
  // False, nothing changed, when a sibling has the name. A child becomes its
  // parent's last child; a panel the front-most panel.
  bool RenameWidget(const std::string& name);

  // Mouse passes of the UI manager and event scripts.
  bool ProcessMouseOver();
  bool ProcessMouseOff();
  // Runs the event's script in the console when it has one; whether it ran.
  bool RunEvent(int index);
  UIWidget* FindWidgetAt(const math::Vec2& point);
  bool HitTest(const math::Vec2& point);

  void SetIsActive(bool active);
  bool IsActive() const { return active_; }
  void SetIsVisible(bool visible) { visible_ = visible; }
  bool IsVisible() const { return visible_; }
  void SetCanDrag(bool canDrag) { canDrag_ = canDrag; }
  bool CanDrag() const { return canDrag_; }
  void SetScale(float scale) { scale_ = scale; }
  float GetScale() const { return scale_; }
  void SetRotation(float rotation) { rotation_ = rotation; }
  float GetRotation() const { return rotation_; }
  void SetSize(const math::Vec2& size);
  const math::Vec2& GetSize() const { return size_; }
  const math::Vec2& GetPosition() const { return position_; }
  // What SetPosition takes: the position less the parent's.
  math::Vec2 GetPositionInParent() const;
  // Each component 0 .. 1, times 255 truncated to a byte.
  void SetColor(float r, float g, float b, float a);
  void SetTextColor(float r, float g, float b, float a);
  uint32_t GetColor() const { return colour_; }
  void SetFont(const std::string& name);
  std::string GetFont() const { return text_.GetFontName(); }
  std::string GetText() const;
  void SelectAllText();
  void TrimSpaces() { text_.TrimSpaces(); }
  void SetImage(int index, const std::string& name);
  // printf-style, cut to 1023 bytes; nothing for a null widget.
  static void SetTextFormatted(UIWidget* widget, const char* format, ...) __attribute__((format(printf, 2, 3)));

  const std::string& GetName() const { return name_; }
  UIWidget* GetParent() const { return parent_; }
  int GetType() const { return type_; }
  const std::string& GetSourceFile() const { return sourceFile_; }
  void SetSourceFile(const std::string& path) { sourceFile_ = path; }
  const std::string& GetEvent(int index) const;
  void SetEvent(int index, const std::string& script);
  int GetCurrentImage() const { return currentImage_; }
  const UISprite& GetImage(int index) const { return images_[index]; }
  UIText& GetTextBlock() { return text_; }
  const UIText& GetTextBlock() const { return text_; }
  bool IsEditable() const { return text_.editable != 0; }
  bool PlaysSound() const { return playSound_; }
  void SetPlaySound(bool on) { playSound_ = on; }
  bool BlocksAll() const { return blockAll_; }
  void SetBlockAll(bool on) { blockAll_ = on; }
  bool HasEntered() const { return entered_; }
  bool HasLeft() const { return left_; }
  const math::Vec2& GetUV1() const { return uv1_; }
  const math::Vec2& GetUV2() const { return uv2_; }
  // Movers run one after another, first added first.
  void AddMover(std::unique_ptr<UIMover> mover);
  // Every mover run out with its end script suppressed: one per update,
  // each then sets its end value.
  void ClearMovers();
  // Destroys every mover at once.
  void DeleteMovers();
  // Unlinks the mover and destroys it; nothing when it is not listed.
  void DropMover(UIMover* mover);
  // Unlinks the mover and hands it over (null when not listed).
  std::unique_ptr<UIMover> TakeMover(UIMover* mover);
  size_t GetMoverCount() const { return movers_.size(); }

  // Ancestors above this widget.
  int Depth() const;

  // Set on a widget whose destruction waits for running widget code to end,
  // and on its subtree: walks stop, nothing more reaches it.
  bool IsDead() const { return dead_; }
  void MarkDead();
  // The counters of "Noname_widget%i" and "Clone_%i" start again at 0.
  static void ResetNameCounters();
  // The script class "Widget".
  static void RegisterLua(LuaPlus::LuaState* state);

 protected:
  // The shown image: the current one when loaded, else image 0 (or null).
  UISprite* ShownImage();
  // The text Save writes as "Text": the text block's source.
  virtual std::u16string SavedText() const { return text_.GetSource(); }
  // Copies the base fields into a clone (see GetClone).
  void CopyInto(UIWidget& clone) const;
  // Loads a kind's own image by name (an empty name leaves it empty) at its
  // native size, with the texture corners given and additive off.
  UISprite& LoadKindImage(int index, const std::string& name, const math::Vec2& uv1, const math::Vec2& uv2);
  // "Clone_" and the next clone number.
  static std::string NextCloneName();
  void TakeFocus();
  // Visits the children last to first until one handles the call (stops
  // too once this widget is dead); whether one handled it.
  template <typename Call>
  bool AnyChildBackward(Call call);
  // The same from the first child to the last.
  template <typename Call>
  bool AnyChildForward(Call call);
  template <typename Call>
  void EachChildForward(Call call);

  UIManager* uiManager_;
  UIWidget* parent_;
  UISprite images_[kImageCount];
  int currentImage_ = kImageOff;
  UIText text_;
  int type_ = 0;
  std::string events_[kEventCount];
  std::string name_;
  std::string sourceFile_;
  bool active_ = true;
  bool visible_ = true;
  bool canDrag_ = false;
  bool playSound_ = true;
  math::Vec2 position_;
  math::Vec2 size_;
  math::Vec2 uv1_;
  math::Vec2 uv2_;
  float rotation_ = 0.0f;
  float scale_ = 1.0f;
  uint32_t colour_ = 0xFFFFFFFFu;
  bool entered_ = false;
  bool left_ = false;
  bool blockAll_ = false;

 private:
  void UpdateMovers(float dt);

  void LoadChildren(const LuaPlus::LuaObject& children);
  void WriteColour(WriteLua& writer, const char* key, uint32_t colour) const;

  bool dead_ = false;
  std::vector<std::unique_ptr<UIMover>> movers_;
};

template <typename Call>
inline bool UIWidget::AnyChildBackward(Call call) {
  bool handled = false;
  WalkBackward([&](UIWidget* child) {
    handled = call(child);
    return handled || dead_;
  });
  return handled;
}

template <typename Call>
inline bool UIWidget::AnyChildForward(Call call) {
  bool handled = false;
  WalkForward([&](UIWidget* child) {
    handled = call(child);
    return handled || dead_;
  });
  return handled;
}

template <typename Call>
inline void UIWidget::EachChildForward(Call call) {
  WalkForward([&](UIWidget* child) {
    call(child);
    return dead_;
  });
}

}  // namespace ui
