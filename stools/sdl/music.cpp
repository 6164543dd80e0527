// Music: FluidSynth plays the MIDI piece with a General MIDI SoundFont. Its player is driven
// by the samples rendered (no timer thread of its own), inside the mixer's music hook, so the
// music keeps exact time with the output and repeats without a gap.
#include <SDL_mixer.h>
#include <fluidsynth.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>

#include "backend.h"
#include "sdl/sdl_backend.h"
#include "stools_internal.h"

namespace stools::sdl {
namespace {

constexpr int kRate = 44100;  // the output
constexpr int kSynthRate = kRate / 2;
constexpr int kBlockFrames = 512;

const char* const kSystemSoundFonts[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",      "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",    "/usr/share/soundfonts/default.sf2",
    "/usr/share/soundfonts/FluidR3_GM.sf2",    "/usr/local/share/sounds/sf2/default-GM.sf2",
    "/usr/local/share/soundfonts/default.sf2",
};

// Everything the mixer's thread touches; the game's calls take the lock for each change.
std::mutex g_lock;
fluid_settings_t* g_settings = nullptr;
fluid_synth_t* g_synth = nullptr;
fluid_player_t* g_player = nullptr;
bool g_engineTried = false;
bool g_playing = false;
float g_gain = 1.0f;           // music volume, 0..1
float g_gainStep = 0.0f;       // change per frame while fading
bool g_stopAtSilence = false;  // a fade-out ends in a stop
int64_t g_framesPlayed = 0;

std::vector<char> g_midi;  // the whole MIDI file, handed to a new player at each start
int32_t g_tempoBpm = 0;    // 0: the file's own tempo

// The synthesiser renders at half the output rate, as the software wavetable synthesisers of
// the game's time did: the music loses nothing a player hears and costs half the CPU. Each of
// its samples becomes two output frames, the first halfway from the one before.
struct Frame {
  float left = 0.0f, right = 0.0f;
};
Frame g_lastSynth;                // the synthesiser's previous sample
std::optional<Frame> g_heldFrame;  // an output frame made but not yet written

void ResetUpsampler() {
  g_lastSynth = {};
  g_heldFrame.reset();
}

void ApplyTempo() {
  if (!g_player) return;
  if (g_tempoBpm > 0) {
    fluid_player_set_tempo(g_player, FLUID_PLAYER_TEMPO_EXTERNAL_BPM, double(g_tempoBpm));
  } else {
    fluid_player_set_tempo(g_player, FLUID_PLAYER_TEMPO_INTERNAL, 1.0);
  }
}

// Called with the lock held.
void HaltPlayer() {
  if (g_player) {
    fluid_player_stop(g_player);
    delete_fluid_player(g_player);
    g_player = nullptr;
  }
  if (g_synth) {
    fluid_synth_all_sounds_off(g_synth, -1);
    fluid_synth_system_reset(g_synth);
  }
  g_playing = false;
  g_stopAtSilence = false;
  g_framesPlayed = 0;
  ResetUpsampler();
}

void WriteSilence(int16_t* out, int frames) {
  std::memset(out, 0, size_t(frames) * 4);
}

// Renders the music into the mixer's stream; the mixer adds the wave channels on top.
void MusicHook(void*, Uint8* stream, int length) {
  RenderMusic(reinterpret_cast<int16_t*>(stream), length / 4);
}

}  // namespace

void RenderMusic(int16_t* out, int frames) {
  std::lock_guard<std::mutex> guard(g_lock);
  if (!g_playing || !g_synth) {
    WriteSilence(out, frames);
    return;
  }
  int done = 0;
  auto emit = [&](Frame f) {
    if (g_gainStep != 0.0f) {
      g_gain = std::clamp(g_gain + g_gainStep, 0.0f, 1.0f);
      if (g_gain == 0.0f || g_gain == 1.0f) g_gainStep = 0.0f;
    }
    // At 1/kHeadroom of full scale: the limiter after the mix restores the level.
    constexpr float kLevel = 32767.0f / kHeadroom;
    out[2 * done] = int16_t(std::clamp(f.left * g_gain, -1.0f, 1.0f) * kLevel);
    out[2 * done + 1] = int16_t(std::clamp(f.right * g_gain, -1.0f, 1.0f) * kLevel);
    ++done;
  };
  if (g_heldFrame && done < frames) {
    emit(*g_heldFrame);
    g_heldFrame.reset();
  }
  float left[kBlockFrames], right[kBlockFrames];
  while (done < frames) {
    int n = std::min(kBlockFrames, (frames - done + 1) / 2);
    fluid_synth_write_float(g_synth, n, left, 0, 1, right, 0, 1);
    for (int i = 0; i < n; ++i) {
      Frame now{left[i], right[i]};
      emit({(g_lastSynth.left + now.left) * 0.5f, (g_lastSynth.right + now.right) * 0.5f});
      if (done < frames) {
        emit(now);
      } else {
        g_heldFrame = now;
      }
      g_lastSynth = now;
    }
  }
  g_framesPlayed += frames;
  if (g_stopAtSilence && g_gain == 0.0f) HaltPlayer();
}

namespace {

std::string FindSoundFont(std::string& tried) {
  auto usable = [&](const std::string& path) {
    if (!tried.empty()) tried += ", ";
    tried += path;
    // Only a readable file is handed to FluidSynth, which would complain about a missing one.
    std::FILE* probe = std::fopen(path.c_str(), "rb");
    if (!probe) return false;
    std::fclose(probe);
    return fluid_is_soundfont(path.c_str()) != 0;
  };
  if (const char* chosen = std::getenv("KZV_SOUNDFONT"); chosen && *chosen) {
    return usable(chosen) ? std::string(chosen) : std::string();
  }
  for (const char* path : kSystemSoundFonts) {
    if (usable(path)) return path;
  }
  return {};
}

// Creates the synthesiser at the first need; false (after one warning) when there is no
// SoundFont to play with.
bool EnsureSynth() {
  if (g_synth) return true;
  if (g_engineTried) return false;
  g_engineTried = true;
  std::string tried;
  std::string soundFont = FindSoundFont(tried);
  if (soundFont.empty()) {
    WarnOnce("no General MIDI SoundFont found (tried " + tried + "); the music stays silent",
             "soundfont");
    return false;
  }
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setnum(settings, "synth.sample-rate", kSynthRate);
  fluid_settings_setnum(settings, "synth.gain", 0.5);
  fluid_settings_setstr(settings, "player.timing-source", "sample");
  // The piece is written dry; the effects units would cost most of the synthesiser's time.
  fluid_settings_setint(settings, "synth.reverb.active", 0);
  fluid_settings_setint(settings, "synth.chorus.active", 0);
  // Only the instruments the piece plays are read into memory, not the whole SoundFont.
  fluid_settings_setint(settings, "synth.dynamic-sample-loading", 1);
  fluid_synth_t* synth = new_fluid_synth(settings);
  if (!synth || fluid_synth_sfload(synth, soundFont.c_str(), 1) == FLUID_FAILED) {
    WarnOnce("cannot load the SoundFont " + soundFont + "; the music stays silent", "soundfont");
    if (synth) delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return false;
  }
  std::lock_guard<std::mutex> guard(g_lock);
  g_settings = settings;
  g_synth = synth;
  return true;
}

// FluidSynth's player repeats a piece by reading it again whenever it ends, within the same
// block of sound: a file its reader refuses, or a piece that lasts no time, would keep the
// audio thread in that block for ever. So a piece is first read once by a player of its own,
// on a synthesiser without instruments, and kept only when it loads and lasts.
bool PlayerTakesPiece(const std::vector<char>& bytes) {
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setstr(settings, "player.timing-source", "sample");
  fluid_settings_setint(settings, "synth.reverb.active", 0);
  fluid_settings_setint(settings, "synth.chorus.active", 0);
  fluid_settings_setint(settings, "synth.polyphony", 1);  // it never sounds
  fluid_synth_t* synth = new_fluid_synth(settings);
  fluid_player_t* player = synth ? new_fluid_player(synth) : nullptr;
  bool lasts = false;
  if (player && fluid_player_add_mem(player, bytes.data(), bytes.size()) == FLUID_OK) {
    fluid_player_set_loop(player, 1);  // once: a refused file simply ends the playing
    fluid_player_play(player);
    float left[64], right[64];
    fluid_synth_write_float(synth, 64, left, 0, 1, right, 0, 1);  // the player reads the file
    // A file the reader gave up on has ended the playing already (tracks read before the fault
    // may remain, so the length alone does not tell).
    lasts = fluid_player_get_status(player) == FLUID_PLAYER_PLAYING &&
            fluid_player_get_total_ticks(player) > 0;
    fluid_player_stop(player);
  }
  if (player) delete_fluid_player(player);
  if (synth) delete_fluid_synth(synth);
  delete_fluid_settings(settings);
  return lasts;
}

}  // namespace

void StartMusicEngine() {
  // FluidSynth's own chatter would repeat what the warnings above already say.
  fluid_set_log_function(FLUID_ERR, nullptr, nullptr);
  fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
  fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
  fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
  Mix_HookMusic(MusicHook, nullptr);
}

}  // namespace stools::sdl

namespace stools::backend {
using namespace sdl;

void ForgetMusic() {
  std::lock_guard<std::mutex> guard(g_lock);
  HaltPlayer();
  g_midi.clear();
}

bool LoadMusic(const std::vector<char>& midi, std::string& why) {
  if (!PlayerTakesPiece(midi)) {
    why = "damaged, or a piece of no length";
    return false;
  }
  g_midi = midi;
  EnsureSynth();
  return true;
}

void SetMusicTempo(int32_t bpm) {
  std::lock_guard<std::mutex> guard(g_lock);
  g_tempoBpm = bpm;
  ApplyTempo();
}

void PlayMusic(int32_t fadeInMs) {
  if (g_midi.empty() || !EnsureSynth()) return;
  std::lock_guard<std::mutex> guard(g_lock);
  if (g_playing && fadeInMs > 0) {
    // Already playing: only bring the volume up.
    g_stopAtSilence = false;
    g_gainStep = (1.0f - g_gain) / (float(fadeInMs) * kRate / 1000.0f);
    return;
  }
  HaltPlayer();
  g_player = new_fluid_player(g_synth);
  if (!g_player || fluid_player_add_mem(g_player, g_midi.data(), g_midi.size()) != FLUID_OK) {
    WarnOnce("the music cannot be started; it stays silent", "music-start");
    if (g_player) delete_fluid_player(g_player);
    g_player = nullptr;
    return;
  }
  fluid_player_set_loop(g_player, -1);
  ApplyTempo();
  fluid_player_play(g_player);
  g_playing = true;
  g_framesPlayed = 0;
  if (fadeInMs > 0) {
    g_gain = 0.0f;
    g_gainStep = 1.0f / (float(fadeInMs) * kRate / 1000.0f);
  } else {
    g_gain = 1.0f;
    g_gainStep = 0.0f;
  }
}

void StopMusic(int32_t fadeOutMs) {
  std::lock_guard<std::mutex> guard(g_lock);
  if (!g_playing) return;
  if (fadeOutMs <= 0 || g_gain == 0.0f) {
    HaltPlayer();
    return;
  }
  g_stopAtSilence = true;
  g_gainStep = -g_gain / (float(fadeOutMs) * kRate / 1000.0f);
}

int32_t MusicPositionMs() {
  std::lock_guard<std::mutex> guard(g_lock);
  if (!g_playing) return 0;
  return int32_t(std::min<int64_t>(g_framesPlayed * 1000 / kRate, INT32_MAX));
}

}  // namespace stools::backend

namespace stools::sdl {

void ReleaseMusic() {
  std::lock_guard<std::mutex> guard(g_lock);
  HaltPlayer();
  if (g_synth) delete_fluid_synth(g_synth);
  if (g_settings) delete_fluid_settings(g_settings);
  g_synth = nullptr;
  g_settings = nullptr;
  g_engineTried = false;
  g_midi.clear();
  g_tempoBpm = 0;
  g_gain = 1.0f;
  g_gainStep = 0.0f;
}

}  // namespace stools::sdl
