#pragma once
// A thread of the library's own (the wave feeder, the music keeper), held in static storage.
#include <thread>

namespace stools::win32 {

// The game never calls STShutdown, so it ends with these threads running. Windows stops them
// before it takes the library's statics down, and a std::thread still joinable there would end
// the program in std::terminate. So a thread left at exit is let go instead, and the library
// pins itself in the process when it starts one, so that no FreeLibrary can take its code away
// from a thread that still runs.
class WorkerThread {
 public:
  WorkerThread() = default;
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;
  ~WorkerThread();

  void Start(void (*body)());
  void Join();  // when it was started and not yet joined

 private:
  std::thread thread_;
};

}  // namespace stools::win32
