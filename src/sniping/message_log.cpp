#include "sniping/message_log.h"

#include "shell/forms.h"

namespace {
constexpr int kLogLines = 9;
}

void PushLogMessage(const std::string& text) {
  platform::Form& form = Form1();
  // Bottom up, so that no caption is overwritten before it has moved on.
  for (int line = kLogLines - 1; line > 0; --line) {
    form("sarch", line).caption = form("sarch", line - 1).caption;
  }
  form("sarch", 0).caption = text;
}
