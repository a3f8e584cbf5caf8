#include "game/qor_credit_state.h"

#include <algorithm>

#include "core/log.h"
#include "core/script/script_helper.h"
#include "ui/manager/ui_manager.h"
#include "ui/widgets/ui_widget.h"

QORCreditState::QORCreditState(camera::PerspectiveCamera* camera, const std::string& creditsFile)
    : GameScreen(camera, kPanelFile, "OnEnterCredits()", "") {
  ReadCredits(creditsFile);
}

QORCreditState::~QORCreditState() = default;

// "CREDITS" is read as a sequence, from 1 to its length; entries that are
// not strings are passed over.
void QORCreditState::ReadCredits(const std::string& file) {
  LuaPlus::LuaState* state = script::CreateLuaState();
  if (!script::LoadDataScript(state, file)) {
    LOG_LINE(MSG_ERROR, "Unable to load Credits !");
  } else {
    lua_State* lua = state->GetCState();
    lua_getglobal(lua, "CREDITS");
    const size_t count = lua_istable(lua, -1) ? lua_rawlen(lua, -1) : 0;
    for (size_t i = 1; i <= count; ++i) {
      lua_rawgeti(lua, -1, static_cast<int>(std::min<size_t>(i, INT32_MAX)));
      if (lua_type(lua, -1) == LUA_TSTRING) {
        size_t length = 0;
        const char* text = lua_tolstring(lua, -1, &length);
        Line line{std::string(text, length), false};
        if (!line.text.empty() && line.text[0] == '*') {
          line.text.erase(0, 1);
          line.highlighted = true;
        }
        lines_.push_back(std::move(line));
      }
      lua_pop(lua, 1);
    }
    lua_pop(lua, 1);
  }
  LuaPlus::LuaState::Destroy(state);
}

bool QORCreditState::OnEnter() {
  nextLine_ = 0;
  GameScreen::OnEnter();
  for (CreditSlot& slot : slots_) slot.widget = nullptr;
  ui::UIWidget* panel = GetPanels().empty() ? nullptr : GetPanels().front();
  if (!panel) return false;
  for (int i = 0; i < kSlotCount; ++i) {
    CreditSlot& slot = slots_[i];
    slot.widget = panel->GetWidgetByName("Credits" + std::to_string(i));
    slot.timer.period = kCrossingSeconds;
    slot.timer.remaining = static_cast<float>(i) * kCrossingSeconds / kSlotCount;
    if (!slot.widget) continue;
    slot.widget->SetPosition({0.0f, kStartY});
    AssignNextLine(slot);
  }
  return true;
}

bool QORCreditState::OnExit() {
  GameScreen::OnExit();
  nextLine_ = 0;
  return true;
}

void QORCreditState::AssignNextLine(CreditSlot& slot) {
  if (!slot.widget || lines_.empty()) return;
  const Line& line = lines_[static_cast<size_t>(nextLine_)];
  slot.widget->SetText(line.text);
  if (line.highlighted)
    slot.widget->SetTextColor(1.0f, 1.0f, 0.5f, 1.0f);
  else
    slot.widget->SetTextColor(1.0f, 1.0f, 1.0f, 1.0f);
  nextLine_ = (nextLine_ + 1) % static_cast<int>(lines_.size());
}

bool QORCreditState::Tick(float dt) {
  GameScreen::Tick(dt);
  for (CreditSlot& slot : slots_) {
    if (!slot.widget) continue;
    slot.timer.Tick(dt);
    if (slot.timer.IsExpired()) {
      slot.timer.remaining = kCrossingSeconds;
      AssignNextLine(slot);
    }
    const float d = std::clamp(1.0f - slot.timer.remaining / kCrossingSeconds, 0.0f, 1.0f);
    slot.widget->SetPosition({slot.widget->GetPositionInParent().x, kStartY + d * (kEndY - kStartY)});
  }
  return true;
}
