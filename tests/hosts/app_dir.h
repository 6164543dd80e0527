#pragma once
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// The program folders this process made; they go when it ends.
inline std::vector<std::filesystem::path>& MadeAppDirs() {
  static auto* dirs = [] {
    auto* made = new std::vector<std::filesystem::path>;
    std::atexit([] {
      std::error_code ignored;
      for (const auto& dir : MadeAppDirs()) std::filesystem::remove_all(dir, ignored);
    });
    return made;
  }();
  return *dirs;
}

// A program folder of a test's own, so that runs start without a settings file and leave the
// build folder's alone: the sound library and the data folder linked from the build. The
// process id is in its name, since ctest runs each test of a program as a process of its own,
// side by side.
inline std::string FreshAppDir(const std::string& name) {
  namespace fs = std::filesystem;
  fs::path dir = fs::path(KZV_BUILD_DIR) / (name + "-" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  fs::create_symlink(fs::path(KZV_BUILD_DIR) / "Stools.dll", dir / "Stools.dll");
  fs::create_directory_symlink(fs::path(KZV_BUILD_DIR) / "data", dir / "data");
  MadeAppDirs().push_back(dir);
  return dir.string();
}
