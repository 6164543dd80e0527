// New files named by the date and time, numbered on when the name is taken.
#include "platform/unique_file.h"

#include "platform/files.h"

namespace platform {

std::optional<std::string> MakeUniqueFile(const std::string& folder, const std::string& stem,
                                          std::time_t when, const std::string& extension,
                                          const std::function<Claim(const std::string&)>& make) {
  const std::string base = JoinPath(folder, stem + "-" + LocalTimeStamp(when));
  for (int n = 1; n < 1000; ++n) {
    std::string path = base + (n == 1 ? "" : "-" + std::to_string(n)) + extension;
    switch (make(path)) {
      case Claim::Made:
        return path;
      case Claim::Failed:
        return std::nullopt;
      case Claim::Taken:
        break;
    }
  }
  return std::nullopt;
}

}  // namespace platform
