// Reads a sound file whole, refusing one larger than any sound the game could hold.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "stools_internal.h"

namespace stools {
namespace {
constexpr long kLargestFile = 256L << 20;
}  // namespace

bool ReadWholeFile(const std::string& path, std::vector<char>& bytes, std::string& why) {
  bytes.clear();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    why = std::strerror(errno);
    return false;
  }
  long size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  const char* fault = nullptr;
  if (size < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
    fault = "cannot read it";
  } else if (size > kLargestFile) {
    fault = "far larger than any sound";
  } else {
    bytes.resize(size_t(size));
    if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) fault = "cannot read it";
  }
  std::fclose(file);
  if (fault) {
    why = fault;
    bytes.clear();
  }
  return fault == nullptr;
}

}  // namespace stools
