// The library's threads: started with the library pinned, let go at the process's exit.
#include "win32/worker_thread.h"

#include <windows.h>

namespace stools::win32 {

WorkerThread::~WorkerThread() {
  if (thread_.joinable()) thread_.detach();
}

void WorkerThread::Start(void (*body)()) {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCWSTR>(body), &self);
  thread_ = std::thread(body);
}

void WorkerThread::Join() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace stools::win32
