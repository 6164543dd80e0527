#include "platform/toolkit/message_box.h"

#include "platform/warning.h"

namespace platform {
namespace {
std::function<void(const std::string&, const std::string&)>& Handler() {
  static std::function<void(const std::string&, const std::string&)> handler;
  return handler;
}
}  // namespace

void ShowMessageBox(const std::string& title, const std::string& text, const std::string& detail) {
  Warn(detail.empty() ? text : text + " (" + detail + ")");
  if (Handler()) Handler()(title, text);
}

void SetMessageBoxHandler(std::function<void(const std::string&, const std::string&)> handler) {
  Handler() = std::move(handler);
}

}  // namespace platform
