#include "platform/replay/present_log.h"

#include <cstdlib>

#include "platform/warning.h"

namespace platform {

PresentLog::PresentLog() {
  const char* path = std::getenv("KZV_PRESENT_LOG");
  if (!path || !*path) return;
  file_.reset(std::fopen(path, "w"));
  if (!file_) Warn(std::string("cannot write the present log ") + path);
}

void PresentLog::Ticked(const std::string& timer) {
  if (file_) ++ticks_[timer];
}

void PresentLog::Presented(uint64_t frameHash) {
  if (!file_) return;
  std::fprintf(file_.get(), "frame %016llx", static_cast<unsigned long long>(frameHash));
  for (const auto& [name, count] : ticks_) std::fprintf(file_.get(), " %s=%d", name.c_str(), count);
  std::fputc('\n', file_.get());
  std::fflush(file_.get());
  ticks_.clear();
}

}  // namespace platform
