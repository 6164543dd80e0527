// Stools.dll on Windows (run under Wine by run.sh): loaded by name as the game loads it, every
// export called with the game's arguments, and the Windows mixer, its wave decoder and the MIDI
// stream records checked on their own. Prints one line per failed check; exits 1 if any failed.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "../support/sound_bytes.h"
#include "limiter.h"
#include "win32/midi_events.h"
#include "win32/mixer.h"
#include "win32/wave_decode.h"

namespace {

using sound_bytes::ConstantWave;
using sound_bytes::FourBeatMidi;

int g_failures = 0;
void Check(bool ok, const std::string& what) {
  if (ok) return;
  ++g_failures;
  std::printf("FAIL: %s\n", what.c_str());
}

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<char> Bytes(const std::string& s) {
  return {s.begin(), s.end()};
}

// expectDevice: whether Wine was given an audio device (run.sh runs the check with and without).
// endAsTheGame: leave the library playing, as the game does at its end, which never calls
// STShutdown; the program must still end with its own status.
void CheckTheLibraryByName(bool expectDevice, bool endAsTheGame) {
  HMODULE dll = LoadLibraryW(L"Stools.dll");
  Check(dll != nullptr, "LoadLibraryW(Stools.dll)");
  if (!dll) return;
  using Init = int32_t(__stdcall*)(int32_t, int32_t);
  using ReadWave = int32_t(__stdcall*)(int32_t, const char*, int32_t);
  using One = int32_t(__stdcall*)(int32_t);
  using Path = int32_t(__stdcall*)(const char*);
  using None = int32_t(__stdcall*)();
  auto find = [&](const char* name) {
    void* fn = reinterpret_cast<void*>(GetProcAddress(dll, name));
    Check(fn != nullptr, std::string("the export ") + name);
    return fn;
  };
  for (const char* name : {"STStop", "STSetVolume", "MTFadeIn", "MTFadeOut"}) find(name);
  auto init = reinterpret_cast<Init>(find("STInit"));
  auto readWave = reinterpret_cast<ReadWave>(find("STReadFile"));
  auto play = reinterpret_cast<One>(find("STPlay"));
  auto readMusic = reinterpret_cast<Path>(find("MTReadFile"));
  auto tempo = reinterpret_cast<One>(find("MTSetTempo"));
  auto musicPlay = reinterpret_cast<None>(find("MTPlay"));
  auto musicStop = reinterpret_cast<None>(find("MTStop"));
  auto position = reinterpret_cast<None>(find("STGetPosition"));
  auto shutdown = reinterpret_cast<None>(find("STShutdown"));
  if (g_failures) return;

  Write("check-se10.wav", ConstantWave(8000, 22050, 44100));
  Write("check-bgm.mid", FourBeatMidi());
  Write("check-text.wav", "this is not a wave");
  const ULONGLONG start = GetTickCount64();
  // As the game calls them; with no device every call returns 0 and the game goes on.
  const int32_t open = init(0x1234, 0);
  std::printf("STInit: %s\n", open ? "an audio device" : "no audio device (silence)");
  Check(open == int32_t(expectDevice), expectDevice ? "STInit opens the device" : "STInit without a device");
  Check(readMusic("check-bgm.mid") == open, "MTReadFile");
  Check(tempo(85) == open, "MTSetTempo");
  Check(readWave(10, "check-se10.wav", 3) == open, "STReadFile");
  Check(readWave(11, "check-text.wav", 3) == open, "STReadFile of a file that is not a wave");
  Check(play(10) == open && play(10) == open && play(11) == open, "STPlay");
  Check(musicPlay() == open, "MTPlay");
  Sleep(300);
  Check(musicStop() == open, "MTStop");
  Check(position() == 0, "STGetPosition after MTStop");
  Check(musicPlay() == open && play(10) == open, "MTPlay again");
  if (endAsTheGame) return;
  Check(shutdown() == 1 && position() == 0, "STShutdown");
  Check(init(0, 0) == open && shutdown() == 1, "STInit again after STShutdown");
  Check(GetTickCount64() - start < 5000, "the calls take their time: " +
                                             std::to_string(GetTickCount64() - start) + " ms");
  FreeLibrary(dll);
}

// The mix of the first channel from frame `from` on, kLookAhead frames late.
std::vector<int16_t> Render(stools::win32::Mixer& mixer, int frames) {
  std::vector<int16_t> out(2 * size_t(frames));
  for (int at = 0; at < frames; at += 1024) mixer.Render(out.data() + 2 * at, std::min(1024, frames - at));
  std::vector<int16_t> left;
  for (size_t i = 2 * stools::Limiter::kLookAhead; i < out.size(); i += 2) left.push_back(out[i]);
  return left;
}

void CheckTheMixer() {
  using stools::win32::DecodeWave;
  std::vector<int16_t> quiet, loud, half;
  std::string why;
  Check(DecodeWave(Bytes(ConstantWave(8000, 22050, 44100)), quiet, why) && quiet.size() == 44100,
        "decoding a wave: " + why);
  Check(DecodeWave(Bytes(ConstantWave(8000, 11025, 22050)), half, why) && half.size() == 44100 &&
            half[1000] == 8000,
        "decoding a wave at 22050 Hz to 44100 Hz");
  std::string adpcm = ConstantWave(8000, 100, 44100);
  adpcm[20] = 0x11;  // the format tag
  Check(!DecodeWave(Bytes(adpcm), loud, why), "an ADPCM wave is refused, not decoded as PCM");
  Check(DecodeWave(Bytes(ConstantWave(30000, 22050, 44100)), loud, why), "decoding a loud wave");

  stools::win32::Mixer mixer;
  for (int i = 0; i < 3; ++i) mixer.Play(&quiet);
  auto mix = Render(mixer, 44100);
  Check(std::count(mix.begin(), mix.end(), int16_t(24000)) == 22050 &&
            std::count(mix.begin() + 22050, mix.end(), int16_t(0)) == long(mix.size()) - 22050,
        "three voices of 8000 sum to 24000 for the sound's half second, then silence");

  for (int i = 0; i < 6; ++i) mixer.Play(&loud);  // six times what a sample can hold
  mix = Render(mixer, 44100);
  const int16_t peak = *std::max_element(mix.begin(), mix.end());
  Check(peak <= std::lround(stools::Limiter::kCeiling) && peak > 29000 &&
            std::count(mix.begin(), mix.end(), peak) > 44100 / 4,
        "a pile of loud voices is held just below full scale: peak " + std::to_string(peak));

  mixer.Reset();
  mixer.SetVolume(50);
  mixer.Play(&quiet);
  mix = Render(mixer, 2048);
  Check(mix[1500] == 4000, "at half volume a voice of 8000 gives 4000, not " + std::to_string(mix[1500]));
  mixer.Stop(nullptr);
  mix = Render(mixer, 2048);
  Check(std::all_of(mix.begin(), mix.end(), [](int16_t v) { return v == 0; }), "Stop silences");
  std::vector<int16_t> faint;
  DecodeWave(Bytes(ConstantWave(40, 4096, 44100)), faint, why);
  mixer.SetVolume(100);
  for (int i = 0; i < 100; ++i) mixer.Play(&faint);
  mix = Render(mixer, 2048);
  Check(mix[500] == 64 * 10 * 4, "at most 64 voices at once: " + std::to_string(mix[500]));
}

void CheckTheMidiStream() {
  using namespace stools::win32;
  for (bool keepTempo : {true, false}) {
    const StreamPiece piece = ReadStreamPiece(Bytes(FourBeatMidi()), keepTempo);
    Check(piece.division == 480 && piece.ticks == 1920, "the piece's division and length");
    std::vector<uint64_t> claps;
    uint64_t tick = 0;
    for (size_t i = 0; i + 3 <= piece.words.size(); i += 3) {
      tick += piece.words[i];
      if ((piece.words[i + 2] & 0xFFFF) == 0x2799) claps.push_back(tick);
    }
    Check(claps == std::vector<uint64_t>{0, 480, 960, 1440}, "a clap on every beat");
    Check(tick == 1920 && piece.words.back() == kNothing << 24, "the last record at the end");
    Check(piece.words[2] == (keepTempo ? kTempoChange << 24 | 500000 : kNothing << 24),
          "the file's tempo kept only when asked");
  }
}

}  // namespace

int main(int argc, char** argv) {
  // "device": Wine has an audio device; "end": it has one, and the check ends as the game does.
  const std::string mode = argc > 1 ? argv[1] : "";
  CheckTheLibraryByName(mode == "device" || mode == "end", mode == "end");
  CheckTheMixer();
  CheckTheMidiStream();
  std::printf("%s\n", g_failures ? "FAILED" : "all checks passed");
  return g_failures ? 1 : 0;
}
