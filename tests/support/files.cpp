#include "support/files.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

TempDir::TempDir(const std::string& tag) {
  std::string pattern = (fs::temp_directory_path() / ("kzv-" + tag + "-XXXXXX")).string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a folder like " + pattern);
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> Entries(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

int CountOf(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::error_code ignored;
  fs::remove(path, ignored);
  std::ofstream(path, std::ios::binary) << bytes;
}

void FillProgramFolder(const std::string& dir) {
  const fs::path build = KZV_BUILD_DIR;
  fs::create_symlink(build / "Stools.dll", fs::path(dir) / "Stools.dll");
  fs::create_directory(fs::path(dir) / "data");
  // Each file linked on its own, in the languages' folders too, so that a test can take one away.
  for (const auto& file : fs::recursive_directory_iterator(build / "data")) {
    const fs::path copy = fs::path(dir) / fs::relative(file.path(), build);
    if (file.is_directory())
      fs::create_directories(copy);
    else
      fs::create_symlink(file.path(), copy);
  }
}
