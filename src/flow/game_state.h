#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The one set of scalar game variables, read and written in place by every handler.
// Texts are UTF-8; a character is one Unicode code point.
struct GameState {
  // Screen and input
  uint8_t GameMode = 0;    // 0 keys ignored, 1 title menu, 2 result screen, 3 play
  uint8_t MenuChoice = 0;  // 0 briefing, 1 help, 2 start a mission
  uint8_t PageStep = 0;    // 0 no page showing, 1..3 which page of the chosen item

  // Settings and record
  uint8_t Veteran = 0;
  int32_t RecordReward = 0;
  std::string RecordHolder;
  uint8_t SoundOn = 0;
  std::string SavePath;
  std::string SaveHeader;
  uint8_t HiddenMode = 0;  // 0 normal, 1 auto-snipe, 2 instant charge

  // Scope position
  uint8_t ViewX = 0, ViewY = 0;
  uint8_t CursorX = 0, CursorY = 0;
  uint8_t ScopeX = 0, ScopeY = 0;

  // Gun, timers and effects
  uint8_t Charge = 0;
  int16_t NaviCounter = 0;
  uint8_t ShotBusy = 0;
  uint8_t ShotFlash = 0;
  uint8_t CursorFrame = 0;
  int32_t HoverPerson = 0;
  int32_t ShownPerson = 0;
  int32_t HoverSoundPerson = 0;

  // Score
  int32_t Reward = 0;
  int32_t ShotReward = 0;
  uint8_t TargetKills = 0;
  uint8_t CivilianKills = 0;
  uint8_t ComboCount = 0;
  uint8_t ComboArmed = 0;
  int32_t ShotPerson = 0;
  std::string ShotName;

  // File handling
  std::string FilePath;
  std::string MissingFile;
  std::string MapText;
};

extern GameState G;

// Back to program start: every number 0, every text empty.
void ResetGameState();

// The values the title's start item sets after the world has been created.
void NewMissionReset();

// A byte counter that only automatic sniping could push past 255 stops there.
inline void CountUp(uint8_t& counter) {
  if (counter < 255) ++counter;
}

// Every field by its name, for the headless driver's dump and set commands.
struct GameStateField {
  const char* name;
  enum Type { Byte, Int16, Int32, Text } type;
  void* address;
};
const std::vector<GameStateField>& GameStateFields();
