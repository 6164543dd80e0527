// Where the record lives and what the game may do to save.dat: a copy beside a program the
// player cannot write, files the player may not change, links and things that are no file.
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "flow/game_state.h"
#include "platform/files.h"
#include "support/program_test.h"

namespace fs = std::filesystem;

namespace {

// The bytes of a regular file; nothing for anything else, without opening it.
std::optional<std::string> Bytes(const std::string& path) {
  if (!fs::is_regular_file(path)) return std::nullopt;
  return platform::ReadWholeFile(path);
}

constexpr const char* kRecord = "1,480000,\"先輩\",0";

class SaveFileTest : public ProgramTest {
 protected:
  // Runs body in a child process with a player's rights, so that file permissions count: as
  // nobody when the tests run as root, who may read and write anything. The test fails when
  // anything in the body failed.
  void AsPlayer(const std::function<void()>& body) {
    std::fflush(nullptr);  // every output stream, so that the child repeats nothing
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      const passwd* nobody = getpwnam("nobody");
      if (geteuid() == 0 && (!nobody || setgroups(0, nullptr) != 0 ||
                             setresgid(nobody->pw_gid, nobody->pw_gid, nobody->pw_gid) != 0 ||
                             setresuid(nobody->pw_uid, nobody->pw_uid, nobody->pw_uid) != 0)) {
        std::fprintf(stderr, "cannot become nobody\n");
        _exit(2);
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
  // Makes a folder the player's own (root's folders are not nobody's to write).
  void GiveToPlayer(const std::string& relative) {
    const passwd* nobody = getpwnam("nobody");
    if (geteuid() == 0 && nobody) {
      ASSERT_EQ(chown(AppPath(relative).c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    }
  }
};

}  // namespace

TEST_F(SaveFileTest, ARecordBesideAProgramThePlayerCannotWriteMovesToThePlayersCopy) {
  WriteSave(kRecord);
  const std::string beside = *platform::ReadWholeFile(AppPath("save.dat"));
  fs::create_directory(AppPath("home"));
  GiveToPlayer("home");
  if (geteuid() != 0) {
    ASSERT_EQ(chmod(dir_.Path().c_str(), 0555), 0);
  }
  AsPlayer([&] {
    setenv("XDG_DATA_HOME", AppPath("home").c_str(), 1);
    Boot();
    ASSERT_FALSE(host_->Ended()) << host_->EndReason();
    EXPECT_EQ(G.SavePath, AppPath("home/kzv/save.dat"));
    EXPECT_EQ(G.RecordHolder, "先輩");
    EXPECT_EQ(C("Label2").caption, "最高報酬者記録： スナイパー先輩： 480000円");
    EXPECT_TRUE(C("si").visible);
    ASSERT_TRUE(host_->Click("sic"));
  });
  chmod(dir_.Path().c_str(), 0755);
  EXPECT_EQ(SaveValues("home/kzv/save.dat"), "1,480000,\"先輩\",1");
  EXPECT_EQ(platform::ReadWholeFile(AppPath("save.dat")), beside);
}

TEST_F(SaveFileTest, ASettingsFileTheGameMayNotChangeIsLeftAsItIsWithOneWarning) {
  enum Kind { Unreadable, ReadOnly, NamedPipe, Folder };
  for (Kind kind : {Unreadable, ReadOnly, NamedPipe, Folder}) {
    SCOPED_TRACE(kind);
    TearDown();
    SetUp();
    const std::string save = AppPath("save.dat");
    GiveToPlayer("");
    if (kind == Unreadable || kind == ReadOnly) {
      WriteSave(kRecord);
      chmod(save.c_str(), kind == ReadOnly ? 0444 : 0);
    }
    if (kind == NamedPipe) mkfifo(save.c_str(), 0644);
    if (kind == Folder) fs::create_directory(save);
    struct stat before;
    ASSERT_EQ(lstat(save.c_str(), &before), 0);
    const auto bytes = Bytes(save);
    AsPlayer([&] {
      testing::internal::CaptureStderr();
      Boot();
      EXPECT_FALSE(host_->Ended()) << host_->EndReason();
      // Only the read-only file can be read: its record shows.
      EXPECT_EQ(G.RecordHolder, kind == ReadOnly ? "先輩" : "日向 澄香");
      // The sound switch twice, and a record holder's name entered on the result screen.
      for (int i = 0; i < 2; ++i) host_->Click("sic");
      C("title").visible = false;
      G.GameMode = 2;
      C("ename").caption = "新人";
      host_->Key(13);
      const std::string err = testing::internal::GetCapturedStderr();
      EXPECT_EQ(G.GameMode, 1);
      EXPECT_EQ(CountOf(err, "K.Z.V: "), 1) << err;
      EXPECT_EQ(CountOf(err, save), 1) << err;
    });
    struct stat after;
    ASSERT_EQ(lstat(save.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(Bytes(save), bytes);
    EXPECT_EQ(Entries(dir_.Path()), (std::vector<std::string>{"Stools.dll", "data", "save.dat"}));
  }
}

TEST_F(SaveFileTest, ASettingsFileThatIsALinkIsSavedThroughIt) {
  fs::create_directory(AppPath("kept"));
  WriteSave(kRecord);
  fs::rename(AppPath("save.dat"), AppPath("kept/record.dat"));
  fs::create_symlink("kept/record.dat", AppPath("save.dat"));
  Boot();
  EXPECT_EQ(G.RecordHolder, "先輩");
  ASSERT_TRUE(host_->Click("sic"));
  EXPECT_EQ(fs::read_symlink(AppPath("save.dat")), "kept/record.dat");
  EXPECT_EQ(SaveValues("kept/record.dat"), "1,480000,\"先輩\",1");
  EXPECT_EQ(Entries(AppPath("kept")), std::vector<std::string>{"record.dat"});
  EXPECT_EQ(Entries(dir_.Path()),
            (std::vector<std::string>{"Stools.dll", "data", "kept", "save.dat"}));
}
