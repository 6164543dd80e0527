#include "shell/sound_binding.h"

namespace {
bool g_recording = false;
std::vector<SoundCall> g_calls;

void Record(const char* function, std::vector<std::string> args) {
  if (g_recording) g_calls.push_back({function, std::move(args)});
}
}  // namespace

void LoadSoundLibrary(const std::string&) {}
void UnloadSoundLibrary() {}

void STInit(int32_t hwnd, int32_t flags) {
  Record("STInit", {std::to_string(hwnd), std::to_string(flags)});
}
void STReadFile(int32_t slot, const std::string& path, int32_t mode) {
  Record("STReadFile", {std::to_string(slot), path, std::to_string(mode)});
}
void STPlay(int32_t slot) { Record("STPlay", {std::to_string(slot)}); }
void MTReadFile(const std::string& path) { Record("MTReadFile", {path}); }
void MTSetTempo(int32_t tempo) { Record("MTSetTempo", {std::to_string(tempo)}); }
void MTPlay() { Record("MTPlay", {}); }
void MTStop() { Record("MTStop", {}); }

void SetSoundCallRecording(bool on) { g_recording = on; }

std::vector<SoundCall> TakeSoundCalls() {
  std::vector<SoundCall> taken;
  taken.swap(g_calls);
  return taken;
}
