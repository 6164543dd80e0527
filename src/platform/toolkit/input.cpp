#include "platform/toolkit/input.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/raster/compose.h"
#include "platform/replay/replay_log.h"
#include "platform/text/utf8.h"

namespace platform {
namespace {

std::string (*g_clipboardReader)() = nullptr;

constexpr int kVkV = 'V';

// Text as a single-line box takes it: well-formed UTF-8 only, no control characters, and a
// pasted text only up to its first line break.
std::string CleanText(std::string_view s) {
  std::string out;
  size_t i = 0;
  while (i < s.size()) {
    if (s[i] == '\r' || s[i] == '\n') break;
    size_t n = Utf8CharacterLength(s.substr(i));
    if (n == 0) {  // a stray byte is dropped, never half a character kept
      ++i;
      continue;
    }
    auto b = static_cast<unsigned char>(s[i]);
    if (!(n == 1 && (b < 0x20 || b == 0x7F))) out.append(s.substr(i, n));
    i += n;
  }
  return out;
}

// The caret may be left anywhere by code that replaced the text: bring it back inside the text
// and to the start of a character.
void ClampCaret(Control& box) {
  box.caret = CharacterStart(box.caption, box.caret);
}

// Cuts a text about to be inserted to the characters the box has room for.
void CutToRoom(const Control& box, std::string& text) {
  if (box.maxLength == 0) return;
  const size_t held = SplitUtf8Characters(box.caption).size();
  const size_t room = box.maxLength - std::min(box.maxLength, held);
  const std::vector<std::string_view> characters = SplitUtf8Characters(text);
  if (characters.size() > room) text.resize(size_t(characters[room].data() - text.data()));
}

size_t PreviousCharacter(const std::string& s, size_t pos) {
  if (pos == 0) return 0;
  --pos;
  while (pos > 0 && IsUtf8Continuation(s[pos])) --pos;
  return pos;
}

size_t NextCharacter(const std::string& s, size_t pos) {
  if (pos >= s.size()) return s.size();
  ++pos;
  while (pos < s.size() && IsUtf8Continuation(s[pos])) ++pos;
  return pos;
}

void Insert(Control& box, std::string_view raw) {
  std::string text = CleanText(raw);
  if (box.inputFilter) text = CleanText(box.inputFilter(text));
  CutToRoom(box, text);
  if (text.empty()) return;
  ClampCaret(box);
  box.caption.insert(box.caret, text);
  box.caret += text.size();
}

void EditKey(Control& box, int key, int mask) {
  ClampCaret(box);
  std::string& s = box.caption;
  switch (key) {
    case vk::Back:
      if (box.caret > 0) {
        size_t from = PreviousCharacter(s, box.caret);
        s.erase(from, box.caret - from);
        box.caret = from;
      }
      break;
    case vk::Delete:
      s.erase(box.caret, NextCharacter(s, box.caret) - box.caret);
      break;
    case vk::Left:
      box.caret = PreviousCharacter(s, box.caret);
      break;
    case vk::Right:
      box.caret = NextCharacter(s, box.caret);
      break;
    case vk::Home:
      box.caret = 0;
      break;
    case vk::End:
      box.caret = s.size();
      break;
    case kVkV:
      if ((mask & vk::MaskCtrl) && g_clipboardReader) Insert(box, g_clipboardReader());
      break;
    default:
      break;
  }
}

}  // namespace

Control* FocusedTextBox(Form& form) {
  for (auto& c : form.controls)
    if (c->kind == ControlKind::TextBox && c->Shown() && c->enabled) return c.get();
  return nullptr;
}

void DeliverKeyDown(Form& form, int key, int mask) {
  DeliveryNote note(ReplayEvent::Key, NowMicros(), key, mask);
  // With key preview the window sees every key first; without it only keys that no text box
  // takes reach the window.
  if (form.onKeyDown && (form.keyPreview || !FocusedTextBox(form))) form.onKeyDown(key, mask);
  // The handler may have hidden the text box (the end screen closing): ask again.
  if (Control* box = FocusedTextBox(form)) EditKey(*box, key, mask);
}

void DeliverText(Form& form, const std::string& text) {
  DeliveryNote note(ReplayEvent::Text, NowMicros(), 0, 0, text);
  if (Control* box = FocusedTextBox(form)) Insert(*box, text);
}

void DeliverClick(Form& form, int x, int y) {
  DeliveryNote note(ReplayEvent::Click, NowMicros(), x, y);
  Control* target = HitTest(form, x, y);
  if (target && target->enabled && target->onClick) target->onClick();
}

void DeliverClose() {
  DeliveryNote note(ReplayEvent::Close, NowMicros());
  EndProgram("close");
}

void SetClipboardReader(std::string (*reader)()) { g_clipboardReader = reader; }

}  // namespace platform
