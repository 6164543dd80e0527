#include <gtest/gtest.h>

#include "platform/toolkit/message_box.h"
#include "platform/toolkit/window.h"
#include "sound/sound_fixture.h"

namespace {
// Loads a module that must stop the program; gives the message box's text and the end reason.
std::pair<std::string, std::string> LoadExpectingStop(const std::string& path) {
  std::string shown;
  platform::SetMessageBoxHandler(
      [&](const std::string& title, const std::string& text) { shown = title + "|" + text; });
  std::string reason;
  testing::internal::CaptureStderr();
  try {
    LoadSoundLibrary(path);
  } catch (const platform::ProgramEnded& ended) {
    reason = ended.reason;
  }
  testing::internal::GetCapturedStderr();
  platform::SetMessageBoxHandler(nullptr);
  return {shown, reason};
}
}  // namespace

TEST(SoundBinding, AFileThatIsNoLibraryStopsTheProgramNamingTheFile) {
  TempDir dir;
  WriteFile(dir / "Stools.dll", "not a library\r\n");
  auto [shown, reason] = LoadExpectingStop(dir / "Stools.dll");
  EXPECT_EQ(shown, "K.Z.V|ファイル【Stools.dll】を読み込めません。");
  EXPECT_EQ(reason, "bad-library");
  STPlay(10);  // nothing loaded: ignored
}

TEST(SoundBinding, ALibraryWithoutTheGamesFunctionsStopsTheProgramNamingTheFunction) {
  // Any real shared library that is not ours will do.
  std::string other;
  for (const char* candidate :
       {"/lib/x86_64-linux-gnu/libz.so.1", "/usr/lib/x86_64-linux-gnu/libz.so.1",
        "/lib64/libz.so.1", "/usr/lib/libz.so.1"}) {
    if (access(candidate, R_OK) == 0) {
      other = candidate;
      break;
    }
  }
  if (other.empty()) GTEST_SKIP() << "no libz found to stand in for a foreign library";
  TempDir dir;
  WriteFile(dir / "Stools.dll", ReadFile(other));
  auto [shown, reason] = LoadExpectingStop(dir / "Stools.dll");
  EXPECT_EQ(shown, "K.Z.V|ファイル【Stools.dll】を読み込めません。（関数 STInit がありません）");
  EXPECT_EQ(reason, "bad-library");
}
