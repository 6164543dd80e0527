#include <gtest/gtest.h>

#include "platform/toolkit/message_box.h"
#include "platform/toolkit/window.h"
#include "sound/sound_fixture.h"

namespace {
// Loads a module of these bytes that must stop the program; gives the message box's title and
// text and the end reason, as "title|text|reason".
std::string LoadExpectingStop(const std::string& bytes) {
  TempDir dir;
  WriteFile(dir / "Stools.dll", bytes);
  std::string shown;
  platform::SetMessageBoxHandler(
      [&](const std::string& title, const std::string& text) { shown = title + "|" + text; });
  std::string reason;
  testing::internal::CaptureStderr();
  try {
    LoadSoundLibrary(dir / "Stools.dll");
  } catch (const platform::ProgramEnded& ended) {
    reason = ended.reason;
  }
  testing::internal::GetCapturedStderr();
  platform::SetMessageBoxHandler(nullptr);
  return shown + "|" + reason;
}
}  // namespace

TEST(SoundBinding, AFileThatIsNoLibraryStopsTheProgramNamingTheFile) {
  EXPECT_EQ(LoadExpectingStop("not a library\r\n"),
            "K.Z.V|ファイル【Stools.dll】を読み込めません。|bad-library");
  STPlay(10);  // nothing loaded: ignored
}

TEST(SoundBinding, ALibraryWithoutTheGamesFunctionsStopsTheProgramNamingTheFunction) {
  // Any real shared library that is not ours will do.
  std::string other;
  for (const char* candidate :
       {"/lib/x86_64-linux-gnu/libz.so.1", "/usr/lib/x86_64-linux-gnu/libz.so.1",
        "/lib64/libz.so.1", "/usr/lib/libz.so.1"})
    if (other.empty() && access(candidate, R_OK) == 0) other = candidate;
  if (other.empty()) GTEST_SKIP() << "no libz found to stand in for a foreign library";
  EXPECT_EQ(
      LoadExpectingStop(ReadFile(other)),
      "K.Z.V|ファイル【Stools.dll】を読み込めません。（関数 STInit がありません）|bad-library");
}
