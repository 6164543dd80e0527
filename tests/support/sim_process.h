#pragma once
#include <sys/types.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/files.h"

// The built kzv-sim on a program folder of its own (see FillProgramFolder), talked to through
// pipes: command lines in, answer lines out. Its standard error goes to the folder's
// stderr.txt. A driver that hangs is left to the test's time limit.
class SimProcess {
 public:
  SimProcess() { FillProgramFolder(dir_.Path()); }
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  std::string Path(const std::string& relative) const { return dir_ / relative; }

  // Starts the driver with the arguments; the environment entries ("NAME=value") replace the
  // inherited ones of the same name.
  bool Start(const std::vector<std::string>& args = {},
             const std::vector<std::string>& environment = {});
  // Sends the commands at once and reads their answers in order: far fewer switches between
  // the two processes than one command at a time. Fewer answers when the driver has ended.
  std::vector<std::string> AskAll(const std::vector<std::string>& commands);
  std::string Ask(const std::string& command);
  // Sends text as it is, answers left unread.
  bool Send(const std::string& text);

  // The driver's resident memory in kB (VmRSS), or -1 when it cannot be read.
  long ResidentKb() const;

  // Closes the driver's input, reads what it still writes (into `lines`, one entry a line, a
  // last unended line marked "<no newline>") and waits for it: its exit status, or -1 when it
  // was killed.
  int Finish(std::vector<std::string>* lines = nullptr);

 private:
  TempDir dir_{"sim"};
  pid_t pid_ = -1;
  FILE* toSim_ = nullptr;
  FILE* fromSim_ = nullptr;
};
