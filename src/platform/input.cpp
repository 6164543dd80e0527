#include "platform/input.h"

#include <string_view>

#include "platform/clock.h"
#include "platform/compose.h"
#include "platform/replay_log.h"

namespace platform {
namespace {

std::string (*g_clipboardReader)() = nullptr;

constexpr int kVkV = 'V';

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Length of the well-formed UTF-8 sequence at the start of s, or 0 when it is not one.
size_t SequenceLength(std::string_view s) {
  auto b = static_cast<unsigned char>(s[0]);
  size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
  if (n == 0 || n > s.size()) return 0;
  for (size_t i = 1; i < n; ++i)
    if (!IsContinuation(static_cast<unsigned char>(s[i]))) return 0;
  uint32_t cp = n == 1 ? b : b & (0x7F >> n);
  for (size_t i = 1; i < n; ++i) cp = (cp << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
  static constexpr uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kSmallest[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

// Text as a single-line box takes it: well-formed UTF-8 only, no control characters, and a
// pasted text only up to its first line break.
std::string CleanText(std::string_view s) {
  std::string out;
  size_t i = 0;
  while (i < s.size()) {
    if (s[i] == '\r' || s[i] == '\n') break;
    size_t n = SequenceLength(s.substr(i));
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
  if (box.caret > box.caption.size()) box.caret = box.caption.size();
  while (box.caret > 0 && box.caret < box.caption.size() &&
         IsContinuation(static_cast<unsigned char>(box.caption[box.caret])))
    --box.caret;
}

size_t PreviousCharacter(const std::string& s, size_t pos) {
  if (pos == 0) return 0;
  --pos;
  while (pos > 0 && IsContinuation(static_cast<unsigned char>(s[pos]))) --pos;
  return pos;
}

size_t NextCharacter(const std::string& s, size_t pos) {
  if (pos >= s.size()) return s.size();
  ++pos;
  while (pos < s.size() && IsContinuation(static_cast<unsigned char>(s[pos]))) ++pos;
  return pos;
}

void Insert(Control& box, std::string_view raw) {
  std::string text = CleanText(raw);
  if (box.inputFilter) text = CleanText(box.inputFilter(text));
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
