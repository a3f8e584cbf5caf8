// The widgets' script classes, called from the console's Lua state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/widgets/kinds/ui_multi_line.h"
#include "ui/widgets/kinds/ui_progress.h"
#include "ui/manager/ui_manager.h"
#include "ui/ui_test_support.h"

namespace {

using Strings = std::vector<std::string>;

class WidgetScriptTest : public ui_testing::UITest {
 protected:
  void SetUp() override {
    UITest::SetUp();
    RegisterUIScripts();
    panel_ = GetUIMan()->AddPanel(VANTOR_TEST_DATA "/kinds.ui");
    ASSERT_NE(panel_, nullptr);
  }
  // What the chunk returns, through tostring, with `p` the panel.
  std::string Eval(const std::string& chunk) {
    console_->Do("Result = '<error>'");
    console_->Do("Result = tostring((function() local p = GetUIMan():GetPanel('Kinds') " + chunk + " end)())");
    LuaPlus::LuaObject result = console_->GetState()->GetGlobal("Result");
    return result.IsString() ? result.GetString() : "?";
  }

  ui::UIWidget* panel_ = nullptr;
};

TEST_F(WidgetScriptTest, ScriptsReachEveryWidgetAndTheKindsOwnMethods) {
  struct Row {
    const char* chunk;
    const char* result;
  };
  const Row rows[] = {
      {"return p:GetName() .. ' ' .. p:GetType()", "Kinds widget"},
      {"return p:GetWidgetByName('volume'):GetType()", "slider"},
      // Typed getters give nil for another kind.
      {"return p:GetDropDownByName('Sound')", "nil"},
      {"return p:GetSliderByName('Down')", "nil"},
      {"return p:GetFlashWidgetByName('Down')", "nil"},
      {"return p:GetPartWidgetByName('Down')", "nil"},
      {"return p:GetCheckBoxByName('Sound'):IsChecked()", "true"},
      {"local b = p:GetCheckBoxByName('Sound') b:SetChecked(false) return b:IsChecked()", "false"},
      {"local w = p:GetProgressByName('Down') w:SetProgress(1.5) return w:GetProgress()", "1"},
      {"local s = p:GetSliderByName('Volume') s:SetSlider(0.75) return s:GetSlider()", "0.75"},
      // Index arguments are truncated.
      {"local d = p:GetDropDownByName('Language') d:SetCurrentOption(1.7) return d:GetSelectedText()", "French"},
      {"local d = p:GetDropDownByName('Language') d:AddOption('Dutch') d:SetCurrentOptionFromText('Dutch')"
       " return d:GetSelected() .. d:GetOriginalSelectedText()",
       "3Dutch"},
      {"local d = p:GetDropDownByName('Language') d:SetOpen(true) return d:IsOpen()", "true"},
      {"local d = p:GetDropDownByName('Language') d:Clear() return d:GetSelected()", "-1"},
      {"local m = p:GetMultiLineByName('Help') m:ScrollUp() m:ScrollDown() return m:GetType()", "multiline"},
      // The four virtual operations reach the kind's own: the multi-line
      // keeps the text out of its text block.
      {"p:GetWidgetByName('Help'):SetText('Read me') return p:GetWidgetByName('Help'):GetText()", ""},
      {"local w = p:GetWidgetByName('Down') w:SetIsVisible(false)"
       " return tostring(w:GetIsActive()) .. ' ' .. tostring(w:GetIsVisible())",
       "false false"},
      {"local w = p:GetWidgetByName('Across') w:SetColor(1, 0, 0, 1) return w:GetColor()", "4294901760"},
      {"local w = p:GetWidgetByName('Across') w:SetTextColor(0, 0, 1, 1) return w:GetTextColor()", "4278190335"},
      {"local w = p:GetWidgetByName('Across') w:SetPosition(Vec2(0.25, 0.5)) return w:GetPosition().y", "0.5"},
      {"local w = p:GetWidgetByName('Across') w:SetPositionRelativeToParent(Vec2(0.5, 0.5))"
       " return w:GetPosition().x",
       "0.5"},
      {"local w = p:GetWidgetByName('Across') w:SetSize(Vec2(0.5, 0.25)) return w:GetSize().y", "0.25"},
      {"local w = p:GetWidgetByName('Across') w:SetScale(2) w:SetRotation(90)"
       " return w:GetScale() .. ' ' .. w:GetRotation()",
       "2 90"},
      {"local w = p:GetWidgetByName('Across') w:SetCanDrag(true) return w:GetCanDrag()", "true"},
      {"local w = p:GetWidgetByName('Across') w:SetIsActive(false) return w:GetIsActive()", "false"},
      {"local w = p:GetWidgetByName('Across') w:SetFont('SmallFont') return w:GetFont()", "SmallFont"},
      {"local w = p:GetWidgetByName('Across') w:SetText('a   b') w:AppendText(' c ') w:TrimSpaces()"
       " return w:GetText()",
       "a b c"},
      {"local w = p:GetWidgetByName('Across') w:SelectAllText() return w:GetParent():GetName()", "Kinds"},
      {"return p:GetParent()", "nil"},
      {"return p:GetWidgetByName('Across'):RenameWidget('Over')", "true"},
      {"return p:DeleteChild(p:GetWidgetByName('Over'), true)", "true"},
      {"return p:GetWidgetByName('Over')", "nil"},
      {"local w = p:GetWidgetByName('Volume') w:SetOffImage('off_8x8.png') w:SetOverImage('over_8x8.png')"
       " w:SetClickImage('click_8x8.png') w:SetReleaseLMBEvent('x = 1') w:SetTextSelectedEvent('y = 2')"
       " w:SetGainFocusEvent('z = 3') return 1",
       "1"},
      {"p:SetAllImage('all_8x8.png') p:ClearMovers() p:DeleteMovers() return 1", "1"},
      // Only a progress bar takes a sweep.
      {"UIMoveProgress(p, 1, 0, 1, '') UIMoveProgress(p:GetWidgetByName('Down'), 0.5, 0, 2,"
       " \"table.insert(Events, 'full')\") return 1",
       "1"},
  };
  for (const Row& row : rows) EXPECT_EQ(Eval(row.chunk), row.result) << row.chunk;

  EXPECT_TRUE(panel_->GetWidgetByName("Down")->IsActive());  // only hidden
  EXPECT_EQ(panel_->GetMultiLineByName("Help")->GetStoredText(), u"Read me");
  ui::UIWidget* volume = panel_->GetWidgetByName("Volume");
  EXPECT_EQ(volume->GetImage(ui::UIWidget::kImageClick).GetName(), "click_8x8.png");
  EXPECT_EQ(volume->GetEvent(ui::UIWidget::kLmbRelease), "x = 1");
  EXPECT_EQ(volume->GetEvent(ui::UIWidget::kSelected), "y = 2");
  EXPECT_EQ(volume->GetEvent(ui::UIWidget::kGainFocus), "z = 3");
  EXPECT_EQ(panel_->GetImage(ui::UIWidget::kImageOver).GetName(), "all_8x8.png");

  // The sweep from 0 to 2 fills the bar and stops at 1.
  EXPECT_EQ(panel_->GetMoverCount(), 0u);
  ui::UIProgress* down = panel_->GetProgressByName("Down");
  down->SetIsVisible(true);
  std::vector<float> values;
  for (int frame = 0; frame < 4; ++frame) {
    GetUIMan()->Update(0.25f);
    values.push_back(down->GetProgress());
  }
  EXPECT_EQ(values, (std::vector<float>{1, 0, 1, 1}));
  EXPECT_EQ(Events(), Strings{"full"});
  EXPECT_EQ(down->GetMoverCount(), 0u);
}

}  // namespace
