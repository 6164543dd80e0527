#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

// A running kzv-sim, talked to through pipes: one command line in, one answer line out.
class SimProcess {
 public:
  // Starts the built kzv-sim on the program folder, its standard error going to errorFile. The
  // extra environment entries ("NAME=value") replace the inherited ones of the same name.
  SimProcess(const std::string& appDir, const std::string& errorFile,
             const std::vector<std::string>& extraEnvironment);
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  bool Started() const { return pid_ > 0; }

  // Sends one command and returns its answer line. Empty, with Failure() saying why, when the
  // driver has gone or gives no answer within a generous time.
  std::string Ask(const std::string& command);
  const std::string& Failure() const { return failure_; }

  // Sends the commands at once and reads their answers, in order: far fewer switches between
  // the two processes than one command at a time. Stops at the first command left unanswered.
  std::vector<std::string> AskAll(const std::vector<std::string>& commands);

  // The driver's resident memory in kB (VmRSS), or -1 when it cannot be read.
  long ResidentKb() const;

  // Closes the driver's input and waits for it: its exit status, or -1 when it was killed or
  // did not end.
  int Finish();

 private:
  pid_t pid_ = -1;
  int toSim_ = -1;
  int fromSim_ = -1;
  bool Send(const std::string& text, const std::string& command);
  std::string ReadAnswer(const std::string& command);

  std::string pending_;  // bytes read past the last answer
  std::string failure_;
};
