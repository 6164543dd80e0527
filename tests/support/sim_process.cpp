#include "support/sim_process.h"

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

SimProcess::SimProcess() { FillProgramFolder(dir_.Path()); }

SimProcess::~SimProcess() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (toSim_ >= 0) close(toSim_);
  if (fromSim_ >= 0) close(fromSim_);
}

bool SimProcess::Start(const std::vector<std::string>& args,
                       const std::vector<std::string>& environment) {
  // A driver that dies must fail the test, not end it by SIGPIPE on the next command.
  signal(SIGPIPE, SIG_IGN);
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    bool replaced = false;
    for (const std::string& extra : environment) replaced |= NameOf(*e) == NameOf(extra);
    if (!replaced) env.emplace_back(*e);
  }
  env.insert(env.end(), environment.begin(), environment.end());
  std::vector<std::string> argv = {std::string(KZV_BUILD_DIR) + "/kzv-sim", "--app-dir",
                                   dir_.Path()};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> envp, argp;
  for (std::string& e : env) envp.push_back(e.data());
  for (std::string& a : argv) argp.push_back(a.data());
  envp.push_back(nullptr);
  argp.push_back(nullptr);

  int in[2], out[2];
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) {
    failure_ = "no pipes";
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, Path("stderr.txt").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int rc = posix_spawn(&pid_, argp[0], &actions, nullptr, argp.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  close(out[1]);
  toSim_ = in[1];
  fromSim_ = out[0];
  if (rc != 0) {
    pid_ = -1;
    failure_ = std::string("cannot start kzv-sim: ") + std::strerror(rc);
  }
  return rc == 0;
}

std::string SimProcess::Ask(const std::string& command) {
  if (!Send(command + "\n")) return "";
  return ReadAnswer(command);
}

std::vector<std::string> SimProcess::AskAll(const std::vector<std::string>& commands) {
  std::string text;
  for (const std::string& command : commands) text += command + "\n";
  std::vector<std::string> answers;
  if (!Send(text)) return answers;
  for (const std::string& command : commands) {
    std::string answer = ReadAnswer(command);
    if (answer.empty()) break;
    answers.push_back(answer);
  }
  return answers;
}

bool SimProcess::Send(const std::string& text) {
  for (size_t done = 0; done < text.size();) {
    const ssize_t n = pid_ > 0 ? write(toSim_, text.data() + done, text.size() - done) : -1;
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failure_ = "the driver no longer reads commands (at \"" + text.substr(0, 40) + "\")";
      return false;
    }
    done += size_t(n);
  }
  return true;
}

bool SimProcess::Fill(int timeoutMs) {
  for (;;) {
    pollfd p{fromSim_, POLLIN, 0};
    const int ready = poll(&p, 1, timeoutMs);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    char buf[65536];
    const ssize_t n = read(fromSim_, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    pending_.append(buf, size_t(n));
    return true;
  }
}

std::string SimProcess::ReadAnswer(const std::string& command) {
  for (;;) {
    const size_t end = pending_.find('\n');
    if (end != std::string::npos) {
      std::string answer = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      return answer;
    }
    if (!Fill(kAnswerTimeoutMs)) {
      failure_ = "no answer to \"" + command + "\"";
      return "";
    }
  }
}

long SimProcess::ResidentKb() const {
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

int SimProcess::Finish(std::vector<std::string>* lines) {
  if (pid_ <= 0) return -1;
  close(toSim_);
  toSim_ = -1;
  while (Fill(kAnswerTimeoutMs)) {
  }
  // Fill stops at the end of output or at the timeout; only the first leaves a closed pipe.
  pollfd p{fromSim_, POLLIN, 0};
  const bool ended = poll(&p, 1, 0) == 1 && (p.revents & POLLHUP);
  for (size_t end; lines && (end = pending_.find('\n')) != std::string::npos;) {
    lines->push_back(pending_.substr(0, end));
    pending_.erase(0, end + 1);
  }
  if (lines && !pending_.empty()) lines->push_back(pending_ + "<no newline>");
  if (!ended) kill(pid_, SIGKILL);
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
  return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
