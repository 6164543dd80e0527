#include "shell_fixture.h"

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include <filesystem>
#include <fstream>

#include "platform/files.h"
#include "platform/text_encoding.h"
#include "shell/program.h"
#include "shell/sound_binding.h"
#include "shell/windows.h"
#include "world/random_draw.h"

namespace fs = std::filesystem;

void ShellTest::SetUp() {
  static int runs = 0;
  appDir_ = (fs::temp_directory_path() /
             ("kzv-shell-" + std::to_string(getpid()) + "-" + std::to_string(++runs)))
                .string();
  fs::remove_all(appDir_);
  fs::create_directories(appDir_);
  const fs::path build = KZV_BUILD_DIR;
  fs::copy(build / "data", fs::path(appDir_) / "data", fs::copy_options::recursive);
  fs::copy_file(build / "Stools.dll", fs::path(appDir_) / "Stools.dll");

  ResetProgram();
  platform::SetAppDir(appDir_);
  SeedRandom(1);
  SetSoundCallRecording(true);
  TakeSoundCalls();
  host_ = std::make_unique<platform::ScriptHost>();
}

void ShellTest::TearDown() {
  host_.reset();
  ResetProgram();
  SetSoundCallRecording(false);
  std::error_code ignored;
  fs::remove_all(appDir_, ignored);
}

void ShellTest::RemoveFile(const std::string& relative) { fs::remove(AppPath(relative)); }

void ShellTest::WriteFile(const std::string& relative, const std::string& bytes) {
  std::ofstream out(AppPath(relative), std::ios::binary | std::ios::trunc);
  out << bytes;
}

void ShellTest::WriteSave(const std::string& values) {
  auto header = platform::Utf8ToCp932("\"(C)2000 VOREN [KZV 設定ファイル]\"");
  auto line = platform::Utf8ToCp932(values);
  ASSERT_TRUE(header && line);
  WriteFile("save.dat", *header + "\r\n" + *line + "\r\n");
}

std::string ShellTest::SaveValues(const std::string& relative) const {
  auto bytes = platform::ReadWholeFile(AppPath(relative));
  if (!bytes) return "";
  size_t first = bytes->find("\r\n");
  size_t second = bytes->find("\r\n", first + 2);
  if (first == std::string::npos || second == std::string::npos) return "";
  return platform::Cp932ToUtf8(bytes->substr(first + 2, second - first - 2)).value_or("");
}

void ShellTest::Boot() {
  host_->Start(StartProgram);
  // Ten ticks of the launcher's 1 ms timer, each at the platform's 15.625 ms tick.
  host_->Wait(200);
}

std::vector<std::string> ShellTest::TakeCalls() {
  std::vector<std::string> out;
  for (const SoundCall& call : TakeSoundCalls()) {
    std::string line = call.function;
    for (const std::string& a : call.args) line += " " + a;
    out.push_back(line);
  }
  return out;
}

std::vector<int> ShellTest::TakePlayed() {
  std::vector<int> out;
  for (const SoundCall& call : TakeSoundCalls())
    if (call.function == "STPlay") out.push_back(std::stoi(call.args.at(0)));
  return out;
}

platform::Control& ShellTest::C(const std::string& name, int index) {
  return Form1()(name, index);
}

namespace {
const passwd* Nobody() {
  const passwd* nobody = getpwnam("nobody");
  if (!nobody) ADD_FAILURE() << "no user nobody to run as";
  return nobody;
}
}  // namespace

void ShellTest::AsPlayer(const std::function<void()>& body) {
  std::fflush(stdout);
  std::fflush(stderr);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (geteuid() == 0) {
      const passwd* nobody = Nobody();
      if (!nobody || setgroups(0, nullptr) != 0 || setresgid(nobody->pw_gid, nobody->pw_gid,
                                                             nobody->pw_gid) != 0 ||
          setresuid(nobody->pw_uid, nobody->pw_uid, nobody->pw_uid) != 0) {
        std::fprintf(stderr, "cannot become nobody\n");
        _exit(2);
      }
    }
    body();
    std::fflush(stdout);
    _exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
      << "the player's part failed (its messages are above)";
}

void ShellTest::GiveToPlayer(const std::string& relative) {
  if (geteuid() != 0) return;
  if (const passwd* nobody = Nobody()) {
    ASSERT_EQ(chown(AppPath(relative).c_str(), nobody->pw_uid, nobody->pw_gid), 0);
  }
}
