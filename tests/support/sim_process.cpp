#include "support/sim_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

extern char** environ;

namespace {

std::string NameOf(const std::string& entry) { return entry.substr(0, entry.find('=')); }

// One line of the driver's output without its newline; false at the end of the output.
bool ReadLine(FILE* from, std::string& line) {
  line.clear();
  for (int c; (c = std::fgetc(from)) != EOF;) {
    if (c == '\n') return true;
    line += char(c);
  }
  return !line.empty();
}

}  // namespace

SimProcess::~SimProcess() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (toSim_) std::fclose(toSim_);
  if (fromSim_) std::fclose(fromSim_);
}

bool SimProcess::Start(const std::vector<std::string>& args,
                       const std::vector<std::string>& environment) {
  // A driver that dies must fail the test, not end it by SIGPIPE on the next command.
  signal(SIGPIPE, SIG_IGN);
  std::vector<std::string> env(environment);
  for (char** e = environ; *e; ++e) {
    bool replaced = false;
    for (const std::string& extra : environment) replaced |= NameOf(*e) == NameOf(extra);
    if (!replaced) env.emplace_back(*e);
  }
  std::vector<std::string> argv = {std::string(KZV_BUILD_DIR) + "/kzv-sim", "--app-dir",
                                   dir_.Path()};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> envp, argp;
  for (std::string& e : env) envp.push_back(e.data());
  for (std::string& a : argv) argp.push_back(a.data());
  envp.push_back(nullptr);
  argp.push_back(nullptr);

  int in[2], out[2];
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) return false;
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
  toSim_ = fdopen(in[1], "w");
  fromSim_ = fdopen(out[0], "r");
  if (rc != 0) pid_ = -1;
  return rc == 0;
}

std::vector<std::string> SimProcess::AskAll(const std::vector<std::string>& commands) {
  std::string text;
  for (const std::string& command : commands) text += command + "\n";
  std::vector<std::string> answers;
  if (!Send(text)) return answers;
  for (std::string answer; answers.size() < commands.size() && ReadLine(fromSim_, answer);)
    answers.push_back(answer);
  return answers;
}

std::string SimProcess::Ask(const std::string& command) {
  const std::vector<std::string> answers = AskAll({command});
  return answers.empty() ? "" : answers[0];
}

bool SimProcess::Send(const std::string& text) {
  return pid_ > 0 && std::fwrite(text.data(), 1, text.size(), toSim_) == text.size() &&
         std::fflush(toSim_) == 0;
}

long SimProcess::ResidentKb() const {
  std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
  for (std::string key; status >> key;) {
    if (key == "VmRSS:") {
      long kb = -1;
      status >> kb;
      return kb;
    }
  }
  return -1;
}

int SimProcess::Finish(std::vector<std::string>* lines) {
  if (pid_ <= 0) return -1;
  std::fclose(toSim_);
  toSim_ = nullptr;
  std::string line;
  for (int c; (c = std::fgetc(fromSim_)) != EOF;) {
    if (c != '\n') {
      line += char(c);
      continue;
    }
    if (lines) lines->push_back(line);
    line.clear();
  }
  if (lines && !line.empty()) lines->push_back(line + "<no newline>");
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
