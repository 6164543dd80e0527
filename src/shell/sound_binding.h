#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The game's side of the sound library "Stools.dll": the module is opened once by the launcher
// and its functions are found by name. The game ignores every result they give.

// Opens the sound library at the path (the launcher has already seen that the file is there)
// and finds the seven functions the game calls. A file that cannot be loaded, or that lacks one
// of them, ends the program with "ファイル【Stools.dll】を読み込めません。（関数 <name>
// がありません）".
void LoadSoundLibrary(const std::string& path);

// Stops the music and lets go of the library, so that a later LoadSoundLibrary in the same
// process starts from a silent, freshly opened library (ResetProgram).
void UnloadSoundLibrary();

// The calls the game makes. Paths are in the system's narrow encoding (UTF-8 here). Calls made
// before the library is loaded are recorded (see below) and otherwise ignored.
void STInit(int32_t hwnd, int32_t flags);
void STReadFile(int32_t slot, const std::string& path, int32_t mode);
void STPlay(int32_t slot);
void MTReadFile(const std::string& path);
void MTSetTempo(int32_t tempo);
void MTPlay();
void MTStop();

// Plays the wave in the slot when the player has the sound on (SoundOn 1), else nothing.
void PlaySound(int32_t slot);

// What the wave slots hold: the effects se10..se17.wav in 10..17, the commander's radio lines
// opr10..opr20.wav in 20..30 (21..26 the verdicts on the ranks S to E, kept with the ranks).
namespace wave_slot {
constexpr int32_t Hover = 10, Recharge = 11, ChargeComplete = 12, Shot = 13, MenuMove = 14,
                  Confirm = 15, MissionOver = 16, BystanderAlarm = 17;
constexpr int32_t MissionVoice = 20, CallVoice = 27, CivilianVoice = 28, TargetDownVoice = 29,
                  SixShotsLeftVoice = 30;
}  // namespace wave_slot

// For the headless driver: while recording is on, every call above is kept with its arguments
// as text (numbers in decimal, paths as given).
struct SoundCall {
  std::string function;
  std::vector<std::string> args;
};
void SetSoundCallRecording(bool on);
// The calls kept since the last take, oldest first; the list is emptied.
std::vector<SoundCall> TakeSoundCalls();
// The calls kept since the last take, left in place.
const std::vector<SoundCall>& KeptSoundCalls();
