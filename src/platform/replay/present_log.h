#pragma once
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace platform {

// When KZV_PRESENT_LOG names a file, the real window writes one line to it for every frame it
// shows: the frame's pixel hash, then each timer that ticked since the frame before, with how
// often, in name order:
//   frame 3f2a0c9d11e4b705 Tim3=1 tim1=1
// so a check can see that no tick's picture was replaced before it was shown, and compare the
// frames with the headless driver's. Without the variable nothing is written.
class PresentLog {
 public:
  PresentLog();

  bool Enabled() const { return file_ != nullptr; }
  void Ticked(const std::string& timer);
  void Presented(uint64_t frameHash);

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  std::map<std::string, int> ticks_;
};

}  // namespace platform
