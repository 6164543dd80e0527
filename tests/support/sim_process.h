#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

#include "support/files.h"

// The built kzv-sim on a program folder of its own (see FillProgramFolder), talked to through
// pipes: command lines in, answer lines out. Its standard error goes to the folder's
// stderr.txt.
class SimProcess {
 public:
  SimProcess();
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  std::string Path(const std::string& relative) const { return dir_ / relative; }

  // Starts the driver with the arguments; the environment entries ("NAME=value") replace the
  // inherited ones of the same name. False, with Failure() saying why, when it cannot start.
  bool Start(const std::vector<std::string>& args = {},
             const std::vector<std::string>& environment = {});

  // Sends one command and returns its answer line. Empty, with Failure() saying why, when the
  // driver has gone or gives no answer within a generous time.
  std::string Ask(const std::string& command);
  // Sends the commands at once and reads their answers in order: far fewer switches between
  // the two processes than one command at a time. Stops at the first command left unanswered.
  std::vector<std::string> AskAll(const std::vector<std::string>& commands);
  // Sends text as it is, answers left unread.
  bool Send(const std::string& text);
  const std::string& Failure() const { return failure_; }

  // The driver's resident memory in kB (VmRSS), or -1 when it cannot be read.
  long ResidentKb() const;

  // Closes the driver's input, reads what it still writes (into `lines`, one entry a line, a
  // last unended line marked "<no newline>") and waits for it: its exit status, or -1 when it
  // was killed or did not end.
  int Finish(std::vector<std::string>* lines = nullptr);

 private:
  std::string ReadAnswer(const std::string& command);
  bool Fill(int timeoutMs);  // reads more output into pending_; false at its end or timeout

  TempDir dir_{"sim"};
  pid_t pid_ = -1;
  int toSim_ = -1;
  int fromSim_ = -1;
  std::string pending_;  // bytes read past the last answer
  std::string failure_;
};
