#include "shell/sound_binding.h"

#include <cstdio>

#include "flow/game_state.h"
#include "language/language.h"
#include "platform/dynlib.h"
#include "platform/toolkit/message_box.h"
#include "platform/toolkit/window.h"

namespace {

// The library's functions as it exports them (C linkage; results are ignored).
using IntIntFn = int32_t (*)(int32_t, int32_t);
using SlotPathModeFn = int32_t (*)(int32_t, const char*, int32_t);
using IntFn = int32_t (*)(int32_t);
using PathFn = int32_t (*)(const char*);
using VoidFn = int32_t (*)();

struct SoundLibrary {
  platform::DynamicLibrary* module = nullptr;
  IntIntFn init = nullptr;
  SlotPathModeFn readWave = nullptr;
  IntFn playWave = nullptr;
  PathFn readMusic = nullptr;
  IntFn setTempo = nullptr;
  VoidFn playMusic = nullptr;
  VoidFn stopMusic = nullptr;
  VoidFn shutdown = nullptr;  // our own library's; a foreign one may lack it
};

SoundLibrary g_library;
bool g_recording = false;
std::vector<SoundCall> g_calls;

void Record(const char* function, std::vector<std::string> args) {
  if (g_recording) g_calls.push_back({function, std::move(args)});
}

std::string BareFileName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

[[noreturn]] void StopOnBadLibrary(const std::string& path, const std::string& missingFunction,
                                   const std::string& cause = "") {
  std::string text = TrFormat("ファイル【%s】を読み込めません。", {BareFileName(path)});
  if (!missingFunction.empty()) text += TrFormat("（関数 %s がありません）", {missingFunction});
  platform::ShowMessageBox("K.Z.V", text, cause);
  platform::EndProgram("bad-library");
}

template <typename Fn>
Fn Find(platform::DynamicLibrary* module, const char* name) {
  return reinterpret_cast<Fn>(platform::FindDynamicSymbol(module, name));
}

}  // namespace

void LoadSoundLibrary(const std::string& path) {
  UnloadSoundLibrary();
  platform::DynamicLibrary* module = platform::OpenDynamicLibrary(path);
  if (!module) StopOnBadLibrary(path, "", platform::DynamicLibraryError());
  SoundLibrary library;
  library.module = module;
  library.init = Find<IntIntFn>(module, "STInit");
  library.readWave = Find<SlotPathModeFn>(module, "STReadFile");
  library.playWave = Find<IntFn>(module, "STPlay");
  library.readMusic = Find<PathFn>(module, "MTReadFile");
  library.setTempo = Find<IntFn>(module, "MTSetTempo");
  library.playMusic = Find<VoidFn>(module, "MTPlay");
  library.stopMusic = Find<VoidFn>(module, "MTStop");
  library.shutdown = Find<VoidFn>(module, "STShutdown");
  const std::pair<const char*, bool> required[] = {
      {"STInit", library.init != nullptr},         {"STReadFile", library.readWave != nullptr},
      {"STPlay", library.playWave != nullptr},     {"MTReadFile", library.readMusic != nullptr},
      {"MTSetTempo", library.setTempo != nullptr}, {"MTPlay", library.playMusic != nullptr},
      {"MTStop", library.stopMusic != nullptr},
  };
  for (const auto& [name, found] : required) {
    if (!found) {
      platform::CloseDynamicLibrary(module);
      StopOnBadLibrary(path, name);
    }
  }
  g_library = library;
}

void UnloadSoundLibrary() {
  if (!g_library.module) return;
  if (g_library.stopMusic) g_library.stopMusic();
  if (g_library.shutdown) g_library.shutdown();
  platform::CloseDynamicLibrary(g_library.module);
  g_library = SoundLibrary{};
}

void STInit(int32_t hwnd, int32_t flags) {
  Record("STInit", {std::to_string(hwnd), std::to_string(flags)});
  if (g_library.init) g_library.init(hwnd, flags);
}

void STReadFile(int32_t slot, const std::string& path, int32_t mode) {
  Record("STReadFile", {std::to_string(slot), path, std::to_string(mode)});
  if (g_library.readWave) g_library.readWave(slot, path.c_str(), mode);
}

void STPlay(int32_t slot) {
  Record("STPlay", {std::to_string(slot)});
  if (g_library.playWave) g_library.playWave(slot);
}

void PlaySound(int32_t slot) {
  if (G.SoundOn == 1) STPlay(slot);
}

void MTReadFile(const std::string& path) {
  Record("MTReadFile", {path});
  if (g_library.readMusic) g_library.readMusic(path.c_str());
}

void MTSetTempo(int32_t tempo) {
  Record("MTSetTempo", {std::to_string(tempo)});
  if (g_library.setTempo) g_library.setTempo(tempo);
}

void MTPlay() {
  Record("MTPlay", {});
  if (g_library.playMusic) g_library.playMusic();
}

void MTStop() {
  Record("MTStop", {});
  if (g_library.stopMusic) g_library.stopMusic();
}

void SetSoundCallRecording(bool on) {
  g_recording = on;
}

const std::vector<SoundCall>& KeptSoundCalls() { return g_calls; }

std::vector<SoundCall> TakeSoundCalls() {
  std::vector<SoundCall> taken;
  taken.swap(g_calls);
  return taken;
}
