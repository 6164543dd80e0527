#include "shell/data_paths.h"

#include "flow/game_state.h"
#include "language/language.h"
#include "platform/files.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/window.h"

std::string AppDirWithSeparator() {
  std::string dir = platform::AppDir();
  if (dir.empty() || dir.back() != platform::kPathSeparator) dir += platform::kPathSeparator;
  return dir;
}

std::string SaveFolderWithSeparator() {
  // An installation (its folder holds the file "installed") is never written into, not even by
  // root, so that it uninstalls cleanly.
  if (FilePresent(AppDirWithSeparator() + "installed") || !platform::DirectoryWritable(platform::AppDir())) {
    if (auto user = platform::UserFolderPath(platform::UserFolder::Data)) return *user + platform::kPathSeparator;
  }
  return AppDirWithSeparator();
}

namespace {

// The pictures with words and the voice clips; the other files serve every language.
bool CarriesWords(const std::string& name) {
  for (const char* prefix : {"title.", "end.", "jyo.", "page", "opr"})
    if (name.rfind(prefix, 0) == 0) return true;
  return false;
}

}  // namespace

void BuildDataPath(const std::string& name) {
  G.MissingFile = name;
  if (!JapaneseSpoken() && CarriesWords(name)) G.MissingFile = CurrentLanguage() + platform::kPathSeparator + name;
  G.FilePath = AppDirWithSeparator() + "data" + platform::kPathSeparator + G.MissingFile;
}

bool FilePresent(const std::string& path) { return platform::FindRegularFile(path).has_value(); }

std::string ExistingPath(const std::string& path) {
  return platform::FindRegularFile(path).value_or(path);
}

void StopOnMissingFile() {
  platform::ShowMessageBox("K.Z.V", TrFormat("ファイル【%s】が存在しません。", {G.MissingFile}));
  platform::EndProgram("missing-file");
}

void StopOnUnreadableFile() {
  platform::ShowMessageBox("K.Z.V", TrFormat("ファイル【%s】を読み込めません。", {G.MissingFile}));
  platform::EndProgram("unreadable-file");
}
