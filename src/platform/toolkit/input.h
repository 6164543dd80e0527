#pragma once
#include <string>

#include "platform/toolkit/window.h"

namespace platform {

// What the hosts deliver to the shown form; both hosts go through these, so the program cannot
// tell which one runs it.

// A key-down with its virtual-key code and modifier mask (Shift 1, Ctrl 2, Alt 4). The form's
// key preview handler sees it first; then the focused text box takes its editing keys
// (Backspace, Delete, Left, Right, Home, End, Ctrl+V).
void DeliverKeyDown(Form& form, int vk, int mask);

// Typed text (UTF-8) into the focused text box, through its input filter.
void DeliverText(Form& form, const std::string& text);

// A click at client pixel (x, y), hit-tested in stacking order; runs the control's onClick.
void DeliverClick(Form& form, int x, int y);

// The window's close box: the program ends with "close".
[[noreturn]] void DeliverClose();

// The text box that has the focus: the form's text box while it is shown and enabled.
Control* FocusedTextBox(Form& form);

// Text for Ctrl+V: the hosts install the clipboard reader.
void SetClipboardReader(std::string (*reader)());

}  // namespace platform
