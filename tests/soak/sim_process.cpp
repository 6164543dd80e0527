#include "soak/sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

extern char** environ;

namespace {

// Far beyond any single answer, even of the sanitizer build; only a hung driver waits this long.
constexpr int kAnswerTimeoutMs = 120000;

std::string NameOf(const std::string& entry) { return entry.substr(0, entry.find('=')); }

}  // namespace

SimProcess::SimProcess(const std::string& appDir, const std::string& errorFile,
                       const std::vector<std::string>& extraEnvironment) {
  // A driver that dies must fail the test, not end it by SIGPIPE on the next command.
  signal(SIGPIPE, SIG_IGN);
  int in[2], out[2];
  if (pipe2(in, O_CLOEXEC) != 0) return;
  if (pipe2(out, O_CLOEXEC) != 0) {
    close(in[0]);
    close(in[1]);
    return;
  }
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    bool replaced = false;
    for (const std::string& extra : extraEnvironment) replaced |= NameOf(*e) == NameOf(extra);
    if (!replaced) env.emplace_back(*e);
  }
  env.insert(env.end(), extraEnvironment.begin(), extraEnvironment.end());
  std::vector<char*> envp;
  for (std::string& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  std::string program = std::string(KZV_BUILD_DIR) + "/kzv-sim";
  std::string appDirArg = appDir;
  char appDirFlag[] = "--app-dir";
  char* argv[] = {program.data(), appDirFlag, appDirArg.data(), nullptr};

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  pid_t pid = -1;
  int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  close(out[1]);
  if (rc != 0) {
    failure_ = "cannot start " + program + ": " + std::strerror(rc);
    close(in[1]);
    close(out[0]);
    return;
  }
  pid_ = pid;
  toSim_ = in[1];
  fromSim_ = out[0];
}

SimProcess::~SimProcess() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (toSim_ >= 0) close(toSim_);
  if (fromSim_ >= 0) close(fromSim_);
}

std::string SimProcess::Ask(const std::string& command) {
  if (!Send(command + "\n", command)) return "";
  return ReadAnswer(command);
}

std::vector<std::string> SimProcess::AskAll(const std::vector<std::string>& commands) {
  std::string text;
  for (const std::string& command : commands) text += command + "\n";
  std::vector<std::string> answers;
  if (commands.empty() || !Send(text, commands.front())) return answers;
  for (const std::string& command : commands) {
    std::string answer = ReadAnswer(command);
    if (answer.empty()) break;
    answers.push_back(answer);
  }
  return answers;
}

bool SimProcess::Send(const std::string& text, const std::string& command) {
  if (pid_ <= 0 || toSim_ < 0) {
    if (failure_.empty()) failure_ = "the driver is not running";
    return false;
  }
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(toSim_, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failure_ = "the driver no longer reads commands (at \"" + command + "\")";
      return false;
    }
    done += size_t(n);
  }
  return true;
}

std::string SimProcess::ReadAnswer(const std::string& command) {
  for (;;) {
    size_t end = pending_.find('\n');
    if (end != std::string::npos) {
      std::string answer = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      return answer;
    }
    pollfd p{fromSim_, POLLIN, 0};
    int ready = poll(&p, 1, kAnswerTimeoutMs);
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) {
      failure_ = "no answer to \"" + command + "\"";
      return "";
    }
    char buf[65536];
    ssize_t n = read(fromSim_, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failure_ = "the driver ended without answering \"" + command + "\"";
      return "";
    }
    pending_.append(buf, size_t(n));
  }
}

long SimProcess::ResidentKb() const {
  if (pid_ <= 0) return -1;
  std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      long kb = -1;
      status >> kb;
      return kb;
    }
    status.ignore(1 << 20, '\n');
  }
  return -1;
}

int SimProcess::Finish() {
  if (pid_ <= 0) return -1;
  close(toSim_);
  toSim_ = -1;
  // The end of input gives one last dump; read on to the end of output.
  bool outputEnded = false;
  while (!outputEnded) {
    pollfd p{fromSim_, POLLIN, 0};
    int ready = poll(&p, 1, kAnswerTimeoutMs);
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) break;
    char buf[65536];
    ssize_t n = read(fromSim_, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    outputEnded = n <= 0;
  }
  if (!outputEnded) kill(pid_, SIGKILL);
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
  if (!outputEnded) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
