#include "platform/message_box.h"

#include <cstdio>

namespace platform {
namespace {
std::function<void(const std::string&, const std::string&)>& Handler() {
  static std::function<void(const std::string&, const std::string&)> handler;
  return handler;
}
}  // namespace

void ShowMessageBox(const std::string& title, const std::string& text) {
  std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
  std::fflush(stderr);
  if (Handler()) Handler()(title, text);
}

void SetMessageBoxHandler(std::function<void(const std::string&, const std::string&)> handler) {
  Handler() = std::move(handler);
}

}  // namespace platform
