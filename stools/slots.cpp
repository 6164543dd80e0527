// The wave slots: each number holds one checked, decoded wave; every play takes a free voice.
#include <map>

#include "backend.h"
#include "stools_internal.h"

namespace stools {
namespace {

std::map<int32_t, backend::Wave*> g_slots;

void FreeSlot(int32_t slot) {
  auto it = g_slots.find(slot);
  if (it == g_slots.end()) return;
  backend::FreeWave(it->second);
  g_slots.erase(it);
}

}  // namespace

void LoadSlot(int32_t slot, const std::string& path) {
  FreeSlot(slot);
  std::vector<char> bytes;
  std::string why;
  if (ReadWholeFile(path, bytes, why) && (why = WaveFault(bytes)).empty()) {
    if (backend::Wave* wave = backend::LoadWave(bytes, why)) {
      g_slots[slot] = wave;
      return;
    }
  }
  WarnOnce("cannot read the sound file " + path + " (" + why + "); slot " + std::to_string(slot) +
               " stays silent",
           "wave:" + path);
}

void PlaySlot(int32_t slot) {
  if (auto it = g_slots.find(slot); it != g_slots.end()) backend::PlayWave(it->second);
}

void StopSlot(int32_t slot) {
  if (slot < 0) return backend::StopWave(nullptr);
  if (auto it = g_slots.find(slot); it != g_slots.end()) backend::StopWave(it->second);
}

void FreeSlots() {
  for (auto& [slot, wave] : g_slots) backend::FreeWave(wave);
  g_slots.clear();
}

}  // namespace stools
