#pragma once
#include <filesystem>
#include <string>

// A program folder of a test's own, so that runs start without a settings file and leave the
// build folder's alone: the sound library and the data folder linked from the build.
inline std::string FreshAppDir(const std::string& name) {
  namespace fs = std::filesystem;
  fs::path dir = fs::path(KZV_BUILD_DIR) / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  fs::create_symlink(fs::path(KZV_BUILD_DIR) / "Stools.dll", dir / "Stools.dll");
  fs::create_directory_symlink(fs::path(KZV_BUILD_DIR) / "data", dir / "data");
  return dir.string();
}
