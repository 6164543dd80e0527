// The program with no window on a virtual clock: kzv-sim and the scenario tests.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/host_view.h"
#include "platform/replay/replay_log.h"
#include "platform/toolkit/window.h"

namespace platform {

// Runs the program with no window and no audio device on a virtual clock that starts at 0 and
// moves only by Wait, driven by a script (the headless driver kzv-sim, scenario tests). Events
// reach the program exactly as from the SDL host, so game code cannot tell the two apart.
// One script host at a time; its destruction puts back the real clock and message boxes, so
// that after ResetProgram a new one starts a fresh run.
class ScriptHost {
 public:
  struct Message {
    std::string title, text;
  };

  ScriptHost();
  ~ScriptHost();
  ScriptHost(const ScriptHost&) = delete;
  ScriptHost& operator=(const ScriptHost&) = delete;

  // Runs the program's entry (it builds and shows the first window).
  void Start(const std::function<void()>& start);

  // Moves the clock on by ms, firing every timer that falls due on the way, in order, each at
  // its due time, as the SDL host would; afterwards the clock stands exactly ms later.
  void Wait(int64_t ms);
  // A key-down to the shown window. Nothing repeats by itself: a held key is one Key per
  // repeat, Shift included.
  void Key(int vk, int mask = 0);
  // Text typed into the focused text box (UTF-8).
  void Type(const std::string& text);
  // A click at the centre of a control of the shown window ("sic", "sarch(3)"), hit-tested as
  // a real click, so whatever lies in front takes it. False, and nothing happens, when the
  // shown window has no such control with a rectangle (timers have none).
  bool Click(const std::string& displayName);
  // A click at client pixel (x, y) of the shown window.
  void Click(int x, int y);
  // A delivery kept in a replay, on the clock it was recorded at (the clock never goes back).
  void Replay(const ReplayEvent& event);
  // The window's close box: the program ends with "close".
  void Close();
  // The shown window composed into one frame and saved as a PNG file. False when there is no
  // shown window or the file cannot be written.
  bool Shot(const std::string& path);
  // The shown window composed into one frame, as the real window would show it.
  std::optional<Surface> Frame();

  int64_t NowMicros() const { return now_; }
  bool Ended() const { return ended_; }
  const std::string& EndReason() const { return endReason_; }  // "" while running
  Form* ShownForm();
  // Message boxes shown since the last take, oldest first.
  std::vector<Message> TakeMessages();

 private:
  // Runs one delivery; a ProgramEnded from it ends the run and nothing runs afterwards.
  void Run(const std::function<void()>& deliver);

  int64_t now_ = 0;
  bool ended_ = false;
  std::string endReason_;
  std::vector<Message> messages_;
  FrontForm front_;
};

}  // namespace platform
