// Names offered to the name box on a controller's up and down.
#include "platform/toolkit/pad_names.h"

#include <vector>

#include "platform/toolkit/input.h"

namespace platform {
namespace {
std::vector<std::string> g_signs;
}  // namespace

void SetPadCallSigns(std::vector<std::string> signs) { g_signs = std::move(signs); }

void PadNames::Watch(Form& form) {
  if (FocusedTextBox(form)) return;
  for (auto& c : form.controls)
    if (c->kind == ControlKind::TextBox && !c->caption.empty()) last_ = c->caption;
}

bool PadNames::TakeKey(Form& form, int key) {
  if (key != vk::Up && key != vk::Down) return false;
  Control* box = FocusedTextBox(form);
  if (!box) return false;
  std::vector<std::string> names;
  if (!last_.empty()) names.push_back(last_);
  for (const std::string& sign : g_signs)
    if (sign != last_) names.push_back(sign);
  size_t at = names.size();
  for (size_t i = 0; i < names.size(); ++i)
    if (names[i] == box->caption) at = i;
  // From a text that is on no list, down starts at the top and up at the bottom.
  const size_t n = names.size();
  size_t next =
      key == vk::Down ? (at == n ? 0 : (at + 1) % n) : (at == n || at == 0 ? n - 1 : at - 1);
  // The old text goes as End and Backspace would take it, so that the box changes only through
  // deliveries, which a replay keeps.
  DeliverKeyDown(form, vk::End, 0);
  for (size_t left = box->caption.size(); left > 0 && FocusedTextBox(form) == box;) {
    DeliverKeyDown(form, vk::Back, 0);
    if (box->caption.size() >= left) break;
    left = box->caption.size();
  }
  DeliverText(form, names[next]);
  return true;
}

}  // namespace platform
