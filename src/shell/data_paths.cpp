#include "shell/data_paths.h"

#include "flow/game_state.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/window.h"

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

void BuildDataPath(const std::string& name) {
  G.MissingFile = name;
  G.FilePath = AppDirWithSeparator() + "data" + platform::kPathSeparator + G.MissingFile;
}

bool FilePresent(const std::string& path) { return platform::FindRegularFile(path).has_value(); }

std::string ExistingPath(const std::string& path) {
  return platform::FindRegularFile(path).value_or(path);
}

void StopOnMissingFile() {
  platform::ShowMessageBox("K.Z.V", "ファイル【" + G.MissingFile + "】が存在しません。");
  platform::EndProgram("missing-file");
}

void StopOnUnreadableFile() {
  platform::ShowMessageBox("K.Z.V", "ファイル【" + G.MissingFile + "】を読み込めません。");
  platform::EndProgram("unreadable-file");
}
