#include "ui/widgets/ui_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/strman.h"
#include "platform/input/dinput.h"
#include "ui/ui_test_support.h"

namespace {

using platform::testing::FeedKey;
using ui_testing::FixedFont;

class UITextTest : public ui_testing::UITest {
 protected:
  void SetUp() override {
    UITest::SetUp();
    platform::testing::ResetInputState();
    if (!input::GetInput().GetKeyboard()) {
      ASSERT_TRUE(input::GetInput().Init(nullptr));
    }
    panel_ = Make(nullptr, "panel", {0, 0}, {1, 1});
    box_ = Make(panel_, "box", {0, 0}, {1, 0.1f});
    box_->GetTextBlock().editable = 1;
    GetUIMan()->SetEditWidget(box_);
  }
  void TearDown() override {
    platform::testing::ResetInputState();
    UITest::TearDown();
  }

  ui::UIText& Text() { return box_->GetTextBlock(); }
  void Start(const std::u16string& text, int caret, int selectionEnd) {
    Text().SetText(text);
    Text().caret = caret;
    Text().selectionEnd = selectionEnd;
  }
  // The key pressed with the modifier keys held.
  void Press(int code, std::initializer_list<SDL_Scancode> held = {}) {
    for (SDL_Scancode key : held) FeedKey(key, true);
    Frame();
    input::KeyState key;
    key.code = code;
    Text().HandleKey(&key);
    for (SDL_Scancode key : held) FeedKey(key, false);
    Frame();
  }
  void Frame() {
    now_ += 0.02f;
    input::GetInput().GetKeyboard()->Update(false, 0.02f, now_);
  }

  ui::UIWidget* panel_ = nullptr;
  ui::UIWidget* box_ = nullptr;
  float now_ = 1.0f;
};

TEST_F(UITextTest, EditingKeysKeepWithinTheText) {
  const std::u16string sixtyFour(64, u'm');
  const struct {
    const char* what;
    std::u16string text;
    int caret, selectionEnd;
    std::vector<int> keys;
    std::u16string result;
    int caretAfter;
  } cases[] = {
      {"home, delete", u"abc", 2, 2, {DIK_HOME, DIK_DELETE}, u"bc", 0},
      {"end, delete", u"abc", 0, 0, {DIK_END, DIK_DELETE}, u"abc", 3},
      {"backspace at 0", u"abc", 0, 0, {DIK_BACK}, u"abc", 0},
      {"backspace", u"abc", 2, 2, {DIK_BACK}, u"ac", 1},
      {"backspace past the end", u"abc", 50, 70, {DIK_BACK}, u"ab", 2},
      {"delete a selection", u"abcd", 1, 3, {DIK_DELETE}, u"ad", 1},
      {"backspace a selection", u"abcd", 1, 3, {DIK_BACK}, u"ad", 1},
      {"backspace a selection from 0", u"abcd", 0, 4, {DIK_BACK}, u"", 0},
      {"delete a whole selection", u"abcd", 0, 4, {DIK_DELETE}, u"", 0},
      {"a reversed range is empty", u"abcd", 3, 1, {DIK_DELETE}, u"abc", 3},
      {"a negative caret", u"abcd", -5, -5, {DIK_DELETE}, u"bcd", 0},
      {"empty text", u"", 3, 3, {DIK_BACK, DIK_DELETE, DIK_LEFT, DIK_RIGHT, DIK_END}, u"", 0},
      {"left, right at the ends", u"ab", 0, 0, {DIK_LEFT, DIK_END, DIK_RIGHT}, u"ab", 2},
      {"typing", u"abc", 1, 1, {DIK_X, DIK_Y}, u"axybc", 3},
      {"typing over a selection", u"abcd", 1, 3, {DIK_X}, u"axd", 2},
      {"typing past the end", u"abc", 9, 9, {DIK_X}, u"abcx", 4},
      {"no character", u"abc", 1, 1, {DIK_F2, DIK_UP}, u"abc", 1},
      {"64 characters take no more", sixtyFour, 3, 3, {DIK_X}, sixtyFour, 3},
      {"but still lose some", sixtyFour, 3, 3, {DIK_X, DIK_BACK, DIK_DELETE}, std::u16string(62, u'm'), 2},
  };
  for (const auto& c : cases) {
    Start(c.text, c.caret, c.selectionEnd);
    for (int key : c.keys) Press(key);
    EXPECT_EQ(Text().GetDisplayed(), c.result) << c.what;
    EXPECT_EQ(Text().caret, c.caretAfter) << c.what;
    EXPECT_EQ(Text().selectionEnd, c.caretAfter) << c.what;
  }
}

TEST_F(UITextTest, TypedTextKeepsItsShiftHoweverLateTheFrameReadsTheKeys) {
  // The console listens once the keyboard exists; typing reaches it and the edit box alike.
  console_->Init("console.lua", "");
  FeedKey(SDL_SCANCODE_GRAVE, true);
  FeedKey(SDL_SCANCODE_GRAVE, false);
  Frame();
  ASSERT_TRUE(console_->IsOpen());
  Start(u"", 0, 0);
  const struct {
    SDL_Scancode key;
    bool shifted;
  } typed[] = {{SDL_SCANCODE_P, false}, {SDL_SCANCODE_R, false}, {SDL_SCANCODE_I, false},
               {SDL_SCANCODE_N, false}, {SDL_SCANCODE_T, false}, {SDL_SCANCODE_9, true},
               {SDL_SCANCODE_6, false}, {SDL_SCANCODE_8, true},  {SDL_SCANCODE_7, false},
               {SDL_SCANCODE_0, true}};
  for (const auto& key : typed) {
    // A slow frame: the Shift is up again before the keys are read.
    if (key.shifted) FeedKey(SDL_SCANCODE_LSHIFT, true);
    FeedKey(key.key, true);
    if (key.shifted) FeedKey(SDL_SCANCODE_LSHIFT, false);
    FeedKey(key.key, false);
    Frame();
  }
  EXPECT_EQ(console_->GetPrompt(), "print(6*7)");
  EXPECT_EQ(Text().GetDisplayed(), u"print(6*7)");
  // With the frame on time the Shift is read as held, as before.
  FeedKey(SDL_SCANCODE_LSHIFT, true);
  FeedKey(SDL_SCANCODE_1, true);
  Frame();
  FeedKey(SDL_SCANCODE_1, false);
  FeedKey(SDL_SCANCODE_LSHIFT, false);
  Frame();
  EXPECT_EQ(console_->GetPrompt(), "print(6*7)!");
  for (int i = 0; i < 11; ++i) Press(DIK_BACK);
  FeedKey(SDL_SCANCODE_GRAVE, true);
  FeedKey(SDL_SCANCODE_GRAVE, false);
  Frame();
  EXPECT_FALSE(console_->IsOpen());
}

TEST_F(UITextTest, EveryKeyButTheModifiersClicks) {
  Start(u"abc", 0, 0);
  for (int key : {DIK_HOME, DIK_LSHIFT, DIK_RSHIFT, DIK_LCONTROL, DIK_RCONTROL, DIK_F2}) Press(key);
  EXPECT_EQ(SoundCounts(), "press 0 rollover 0 key 2");
}

TEST_F(UITextTest, TypingDropsWhatNoLongerFitsAndEnterRunsTheScript) {
  // 0.5 wide: 0.49 inside, so 43 characters of 0.01 fit in 90% less both borders.
  ui::UIWidget* narrow = Make(panel_, "narrow", {0, 0.2f}, {0.5f, 0.1f});
  narrow->GetTextBlock().editable = 1;
  GetUIMan()->SetEditWidget(narrow);
  box_ = narrow;
  Start(std::u16string(43, u'n'), 0, 0);
  Press(DIK_A);
  EXPECT_EQ(Text().GetDisplayed(), u"a" + std::u16string(42, u'n'));
  EXPECT_EQ(Text().caret, 43);

  narrow->SetEvent(ui::UIWidget::kTextEnter, "table.insert(Events, 'enter')");
  Press(DIK_RETURN);
  EXPECT_EQ(Events(), std::vector<std::string>{"enter"});
}

TEST_F(UITextTest, ClipboardPastesAtTheEndAndCopiesTheSelectionOrAll) {
  input::Keyboard* keyboard = input::GetInput().GetKeyboard();
  Start(u"hello world", 6, 11);
  Press(DIK_INSERT, {SDL_SCANCODE_LCTRL});
  std::string copied;
  ASSERT_TRUE(keyboard->GetClipboardText(copied));
  EXPECT_EQ(copied, "world");
  Start(u"hello world", 4, 4);
  Press(DIK_INSERT, {SDL_SCANCODE_RCTRL});
  ASSERT_TRUE(keyboard->GetClipboardText(copied));
  EXPECT_EQ(copied, "hello world");

  ASSERT_TRUE(keyboard->SetClipboardText(u"!?"));
  Start(u"abc", 0, 0);
  Press(DIK_INSERT, {SDL_SCANCODE_LSHIFT});
  EXPECT_EQ(Text().GetDisplayed(), u"abc!?");
  EXPECT_EQ(Text().caret, 6);  // past the end, as after any new text
}

TEST_F(UITextTest, TheCaretRectangleMarksTheSelectionOrTheNextCharacter) {
  // The box is 0.99 x 0.09 inside; texts are measured 0.98 wide and centred.
  const struct {
    std::u16string text;
    int caret, selectionEnd;
    float x, width;
  } cases[] = {
      {u"abcd", 2, 2, 0.49f, 0.01f},    // before 'c', over 'c'
      {u"abcdef", 2, 4, 0.48f, 0.02f},  // over "cd"
      {u"ab", 2, 2, 0.5f, 0.01f},       // at the end: an "X" wide
      {u"a b", 1, 1, 0.475f, 0.02f},    // a space is marked as an "i"
      {u"", 0, 0, 0.485f, 0.01f},
  };
  for (const auto& c : cases) {
    Start(c.text, c.caret, c.selectionEnd);
    Text().UpdateSelection();
    const std::string what(c.text.begin(), c.text.end());
    EXPECT_NEAR(Text().GetCaretRect().x, c.x, 1e-5f) << what;
    EXPECT_NEAR(Text().GetCaretRect().width, c.width, 1e-5f) << what;
    EXPECT_NEAR(Text().GetCaretRect().y, 0.03f, 1e-5f) << what;
    EXPECT_NEAR(Text().GetCaretRect().height, FixedFont::kLineHeight, 1e-5f) << what;
  }
  // A click puts the caret before the character under the point: 'b' spans 0.49 .. 0.5.
  Start(u"abcd", 4, 4);
  EXPECT_FALSE(box_->OnMouseDown({0.495f, 0.05f}, 0));
  EXPECT_EQ(Text().caret, 1);
  EXPECT_EQ(Text().GetCharIndexAt({0.1f, 0}), 1);
  EXPECT_EQ(Text().GetCharIndexAt({0.9f, 0}), 5);
  Text().SelectRange({0.515f, 0.05f}, {0.495f, 0.05f});  // dragged leftwards from 'd' to 'b'
  EXPECT_EQ(Text().caret, 1);
  EXPECT_EQ(Text().selectionEnd, 4);
}

TEST_F(UITextTest, DrawingJustifiesTranslatesAndShowsTheCaret) {
  auto* greeting = new std::u16string(u"Hallo");
  lang::GetStrMan().Add("greeting", greeting);
  ui::UIWidget* label = Make(panel_, "label", {0.1f, 0.5f}, {0.4f, 0.2f});
  label->SetText("greeting");
  EXPECT_EQ(label->GetText(), "Hallo");
  EXPECT_EQ(label->GetTextBlock().GetSource(), u"greeting");
  Start(u"greeting", 0, 0);
  EXPECT_EQ(Text().GetDisplayed(), u"greeting");  // editable text is never translated
  lang::GetStrMan().Entries().erase(lang::GetStrMan().KeyOf("greeting"));
  delete greeting;

  const struct {
    const char* h;
    const char* v;
    uint32_t flags;
  } justifications[] = {{"LEFT", "Top", 0},
                        {"right", "bottom", Font::kRight | Font::kBottom},
                        {"middle", "", Font::kCentre | Font::kVerticalCentre}};
  for (const auto& j : justifications) {
    ui::UIText& text = label->GetTextBlock();
    text.SetHJust(j.h);
    text.SetVJust(j.v);
    font_->draws.clear();
    ASSERT_TRUE(text.Render());
    ASSERT_EQ(font_->draws.size(), 1u);
    EXPECT_EQ(font_->draws[0].flags, j.flags) << j.h;
    EXPECT_NEAR(font_->draws[0].position.x, 0.105f, 1e-6f);
    EXPECT_NEAR(font_->draws[0].box.x, 0.385f, 1e-6f);  // inner width less one border
  }

  // Long centred texts go to the left when asked; short ones stay centred.
  ui::UIManager::ForceLeftAlign(true);
  label->GetTextBlock().SetHJust("center");
  const struct {
    const char* text;
    uint32_t horizontal;
  } texts[] = {{"one\ntwo\nthree", 0}, {"one line", Font::kCentre}};
  for (const auto& t : texts) {
    label->SetText(t.text);
    font_->draws.clear();
    label->GetTextBlock().Render();
    EXPECT_EQ(font_->draws.at(0).flags & (Font::kCentre | Font::kRight), t.horizontal) << t.text;
  }
  ui::UIManager::ForceLeftAlign(false);

  // The edit box draws its caret image over the character after the caret.
  graphics_.calls.clear();
  Start(u"abcd", 2, 2);
  Text().UpdateSelection();
  ASSERT_TRUE(Text().Render());
  ASSERT_NE(Text().GetCaretImage(), nullptr);
  EXPECT_EQ(Text().GetCaretImage()->GetName(), "ui_img/cursor.png");
  EXPECT_NEAR(Text().GetCaretImage()->position.x, 0.005f + 0.49f, 1e-6f);
  EXPECT_EQ(graphics_.calls.size(), 2u);  // bind, draw
  label->GetTextBlock().editable = 1;
  label->GetTextBlock().Render();
  EXPECT_EQ(label->GetTextBlock().GetCaretImage(), nullptr);  // not the edit box
}

TEST_F(UITextTest, TrimSpacesLeavesSingleSpacesBetweenWords) {
  ui::UIText& text = Text();
  const struct {
    std::u16string before, after;
  } cases[] = {{u"  two   words ", u"two words"}, {u"   ", u""}, {u"", u""}, {u"a  b", u"a b"}};
  for (const auto& c : cases) {
    text.SetText(c.before);
    text.TrimSpaces();
    EXPECT_EQ(text.GetDisplayed(), c.after);
  }
}

}  // namespace
