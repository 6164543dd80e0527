#pragma once
// Files and folders for tests: one temporary folder helper, one reader, one writer.
#include <string>
#include <vector>

// A fresh empty folder under the system's temporary folder; it goes, with all it holds, when
// the object goes.
class TempDir {
 public:
  explicit TempDir(const std::string& tag = "test");
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }

 private:
  std::string path_;
};

// The file's bytes, "" when it cannot be read.
std::string ReadFile(const std::string& path);
// The names in a folder, sorted.
std::vector<std::string> Entries(const std::string& dir);
// How often part occurs in text.
int CountOf(const std::string& text, const std::string& part);
// Replaces the file (never writing through a link in its place) with the bytes.
void WriteFile(const std::string& path, const std::string& bytes);

// Fills a folder as the program's own: the built Stools.dll and every file of data/ (in the
// languages' folders too), linked one by one, so that a test may remove, rename or replace
// any of them.
void FillProgramFolder(const std::string& dir);
