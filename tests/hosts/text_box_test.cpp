#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/input.h"
#include "platform/window.h"

namespace {

using namespace platform;

ControlDef Row(const char* name, ControlKind kind, const char* container, bool visible) {
  ControlDef d{};
  d.name = name;
  d.index = -1;
  d.kind = kind;
  d.container = container;
  d.left = 150;
  d.top = 150;
  d.width = 1500;
  d.height = 300;
  d.visible = visible;
  d.enabled = true;
  return d;
}

std::string g_clipboard;
std::string Clipboard() { return g_clipboard; }

// A window with key preview, a picture box holding the text box, like the end screen.
class TextBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rows_ = {Row("ending", ControlKind::PictureBox, nullptr, true),
             Row("ename", ControlKind::TextBox, "ending", true)};
    def_ = {"TestForm", "test", 9600, 7200, 0, true, true, nullptr, nullptr, rows_.data(), 2};
    form_ = BuildForm(def_);
    ShowForm(*form_);
    form_->onKeyDown = [this](int vk, int mask) { keys_.push_back(vk * 10 + mask); };
    SetClipboardReader(Clipboard);
  }
  void TearDown() override { SetClipboardReader(nullptr); }

  Control& Box() { return (*form_)("ename"); }
  void Set(const std::string& text, size_t caret) {
    Box().caption = text;
    Box().caret = caret;
  }
  void Key(int vk, int mask = 0) { DeliverKeyDown(*form_, vk, mask); }

  std::vector<ControlDef> rows_;
  FormDef def_{};
  std::unique_ptr<Form> form_;
  std::vector<int> keys_;
};

TEST_F(TextBoxTest, BackspaceAndDeleteTakeWholeCharacters) {
  Set("日向 澄香", std::string("日向").size());
  Key(vk::Back);
  EXPECT_EQ(Box().caption, "日 澄香");
  EXPECT_EQ(Box().caret, std::string("日").size());
  Key(vk::Delete);
  EXPECT_EQ(Box().caption, "日澄香");
  Key(vk::End);
  Key(vk::Back);
  EXPECT_EQ(Box().caption, "日澄");
  Key(vk::Delete);  // nothing after the caret
  Key(vk::Home);
  Key(vk::Back);  // nothing before it
  EXPECT_EQ(Box().caption, "日澄");
  Key(vk::Delete);
  EXPECT_EQ(Box().caption, "澄");
}

TEST_F(TextBoxTest, ArrowsHomeAndEndMoveByCharacters) {
  Set("aé日", 0);
  Key(vk::Right);
  EXPECT_EQ(Box().caret, 1u);
  Key(vk::Right);
  EXPECT_EQ(Box().caret, 3u);
  Key(vk::Right);
  Key(vk::Right);
  EXPECT_EQ(Box().caret, 6u);
  Key(vk::Left);
  EXPECT_EQ(Box().caret, 3u);
  Key(vk::Home);
  Key(vk::Left);
  EXPECT_EQ(Box().caret, 0u);
  Key(vk::End);
  EXPECT_EQ(Box().caret, 6u);
  DeliverText(*form_, "x");
  EXPECT_EQ(Box().caption, "aé日x");
}

TEST_F(TextBoxTest, TypingInsertsAtTheCaretThroughTheFilter) {
  Set("ab", 1);
  DeliverText(*form_, "日本");
  EXPECT_EQ(Box().caption, "a日本b");
  EXPECT_EQ(Box().caret, 7u);
  Box().inputFilter = [](std::string_view s) {
    std::string out;
    for (char c : s)
      if (c != 'x') out += c;
    return out;
  };
  DeliverText(*form_, "xyx");
  EXPECT_EQ(Box().caption, "a日本yb");
  // A caret left beyond the text by code that replaced it: the text's end.
  Set("abc", 99);
  DeliverText(*form_, "d");
  EXPECT_EQ(Box().caption, "abcd");
}

TEST_F(TextBoxTest, PasteGoesThroughTheFilterAndStopsAtALineBreak) {
  Set("", 0);
  Box().inputFilter = [](std::string_view s) { return std::string(s.substr(0, 10)); };
  g_clipboard = "澄香\tさん\nsecond line";
  Key('V', vk::MaskCtrl);
  EXPECT_EQ(Box().caption, "澄香さ");  // tab dropped; the cut at 10 bytes mended to whole characters
  Key('V');  // without Ctrl it is only a key
  EXPECT_EQ(Box().caption, "澄香さ");
}

TEST_F(TextBoxTest, BrokenTextNeverLeavesHalfACharacter) {
  Set("", 0);
  DeliverText(*form_, std::string("a\xE6\x97") + "b\x01\x7F" + "\xFF日");
  EXPECT_EQ(Box().caption, "ab日");
}

TEST_F(TextBoxTest, KeyPreviewSeesEveryKeyFirst) {
  Set("ab", 2);
  Key(vk::Back);
  Key(vk::Enter);
  Key(vk::Shift, vk::MaskShift);
  EXPECT_EQ(keys_, (std::vector<int>{80, 130, 161}));
  EXPECT_EQ(Box().caption, "a");
}

TEST_F(TextBoxTest, AKeyThatHidesTheBoxDoesNotEditIt) {
  Set("ab", 2);
  form_->onKeyDown = [this](int, int) { (*form_)("ending").visible = false; };
  Key(vk::Back);
  EXPECT_EQ(Box().caption, "ab");
  EXPECT_EQ(FocusedTextBox(*form_), nullptr);
  DeliverText(*form_, "c");
  EXPECT_EQ(Box().caption, "ab");
}

TEST_F(TextBoxTest, WithoutPreviewTheWindowGetsOnlyKeysNoBoxTakes) {
  form_->keyPreview = false;
  Key(vk::Left);
  EXPECT_TRUE(keys_.empty());
  Box().visible = false;
  Key(vk::Left);
  EXPECT_EQ(keys_, std::vector<int>{370});
}

}  // namespace
