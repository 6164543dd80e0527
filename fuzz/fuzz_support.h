#pragma once
// What the fuzz targets share: a loud stop, a scratch folder of the process's own, and whole
// files written and read.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

// Reports a broken promise and stops, so that the fuzzer keeps the input that broke it.
[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  __builtin_trap();
}

// A folder of this process's own, "kzv-fuzz-<name>-<pid>", in memory where the system has one
// (every save is flushed to disk), removed at exit. The first call's name holds.
inline const std::filesystem::path& ScratchFolder(const std::string& name) {
  // Never destroyed, so that the clean-up at exit can still name it.
  static const std::filesystem::path* folder = [&name] {
    std::error_code ec;
    std::filesystem::path base = "/dev/shm";
    if (!std::filesystem::is_directory(base, ec)) base = std::filesystem::temp_directory_path();
    auto* dir = new std::filesystem::path(base / ("kzv-fuzz-" + name + "-" + std::to_string(::getpid())));
    std::filesystem::create_directories(*dir, ec);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(ScratchFolder(""), ignored);
    });
    return dir;
  }();
  return *folder;
}

// The file made to hold exactly these bytes; a file that cannot be written stops the run.
inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  if (!out.good()) Fail("cannot write a file in the scratch folder");
}

// The file's bytes; none when it cannot be read.
inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}
