#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "platform/toolkit/input.h"
#include "platform/toolkit/window.h"
#include "support/test_window.h"

namespace {

using namespace platform;

std::string g_clipboard;

// A window with key preview, a picture box holding the text box, like the end screen.
class TextBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = BuildForm(def_);
    ShowForm(*form_);
    form_->onKeyDown = [this](int vk, int mask) { keys_.push_back(vk * 10 + mask); };
    SetClipboardReader([] { return g_clipboard; });
  }
  void TearDown() override { SetClipboardReader(nullptr); }

  Control& Box() { return (*form_)("ename"); }
  void Set(const std::string& text, size_t caret) {
    Box().caption = text;
    Box().caret = caret;
  }
  void Key(int vk, int mask = 0) { DeliverKeyDown(*form_, vk, mask); }
  void Input(int vk) { Key(vk); }
  void Input(const std::string& text) { DeliverText(*form_, text); }
  // The text and where the caret stands in it (bytes).
  std::string Shown() { return Box().caption + "|" + std::to_string(Box().caret); }

  std::vector<ControlDef> rows_ = {TestRow("ending", ControlKind::PictureBox, nullptr, 0, 100),
                                   TestRow("ename", ControlKind::TextBox, "ending", 0, 100)};
  FormDef def_ = {"TestForm", "test", 9600, 7200, 0, true, true, nullptr, nullptr, rows_.data(), 2};
  std::unique_ptr<Form> form_;
  std::vector<int> keys_;
};

TEST_F(TextBoxTest, EditsTakeWholeCharacters) {
  // Keys as their codes, typed text as text; the result as Shown().
  struct Case {
    std::string text;
    size_t caret;
    std::vector<std::variant<int, std::string>> input;
    std::string result;
  } cases[] = {
      {"日向 澄香", 6, {vk::Back}, "日 澄香|3"},
      {"日 澄香", 3, {vk::Delete}, "日澄香|3"},
      {"日澄香", 3, {vk::End, vk::Back, vk::Delete}, "日澄|6"},  // nothing after the caret
      {"日澄", 6, {vk::Home, vk::Back, vk::Delete}, "澄|0"},     // nothing before it
      {"aé日", 0, {vk::Right, vk::Right}, "aé日|3"},
      {"aé日", 0, {vk::Right, vk::Right, vk::Right, vk::Right}, "aé日|6"},
      {"aé日", 6, {vk::Left}, "aé日|3"},
      {"aé日", 3, {vk::Home, vk::Left}, "aé日|0"},
      {"aé日", 0, {vk::End, "x"}, "aé日x|7"},
      {"ab", 1, {"日本"}, "a日本b|7"},
      {"", 0, {std::string("a\xE6\x97") + "b\x01\x7F" + "\xFF日"}, "ab日|5"},  // broken text
      {"abc", 99, {"d"}, "abcd|4"},  // a caret left beyond the text: its end
  };
  for (const Case& c : cases) {
    Set(c.text, c.caret);
    for (const auto& in : c.input) std::visit([this](const auto& one) { Input(one); }, in);
    EXPECT_EQ(Shown(), c.result) << c.text << " " << c.caret;
  }
  // Typing goes through the box's filter.
  Set("ab", 1);
  Box().inputFilter = [](std::string_view s) {
    std::string out;
    for (char c : s)
      if (c != 'x') out += c;
    return out;
  };
  DeliverText(*form_, "xyx");
  EXPECT_EQ(Box().caption, "ayb");
}

TEST_F(TextBoxTest, PasteGoesThroughTheFilterAndStopsAtALineBreak) {
  Set("", 0);
  Box().inputFilter = [](std::string_view s) { return std::string(s.substr(0, 10)); };
  g_clipboard = "澄香\tさん\nsecond line";
  Key('V', vk::MaskCtrl);
  // The tab dropped; the cut at 10 bytes mended to whole characters.
  EXPECT_EQ(Box().caption, "澄香さ");
  Key('V');  // without Ctrl it is only a key
  EXPECT_EQ(Box().caption, "澄香さ");
}

TEST_F(TextBoxTest, ALimitedBoxTakesCharactersOfEitherWidthUpToItsLimit) {
  Box().maxLength = 5;
  // The text, the caret, what is typed there, the text after.
  const std::tuple<std::string, size_t, std::string, std::string> cases[] = {
      {"ab", 1, "日向😀cd", "a日向😀b"},  // three of five fit, in the middle
      {"abcde", 5, "x", "abcde"},       // full: nothing more
      {"", 0, "abcdefg", "abcde"},
      {"abcdefg", 7, "x", "abcdefg"},  // a longer text set by the game is left alone
  };
  for (const auto& [text, caret, typed, result] : cases) {
    Set(text, caret);
    DeliverText(*form_, typed);
    EXPECT_EQ(Box().caption, result) << text << " + " << typed;
  }
  g_clipboard = "澄香さん\n";
  Set("日向 ", 7);
  Key('V', vk::MaskCtrl);
  EXPECT_EQ(Shown(), "日向 澄香|13");
}

TEST_F(TextBoxTest, KeyPreviewSeesEveryKeyFirstAndWithoutItTheWindowGetsOnlyKeysNoBoxTakes) {
  Set("ab", 2);
  Key(vk::Back);
  Key(vk::Enter);
  Key(vk::Shift, vk::MaskShift);
  EXPECT_EQ(keys_, (std::vector<int>{80, 130, 161}));
  EXPECT_EQ(Box().caption, "a");
  form_->keyPreview = false;
  Key(vk::Left);
  EXPECT_EQ(keys_.size(), 3u);  // the box took it
  Box().visible = false;
  Key(vk::Left);
  EXPECT_EQ(keys_, (std::vector<int>{80, 130, 161, 370}));
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

}  // namespace
