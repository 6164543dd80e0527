#include "flow/game_state.h"

GameState G;

void ResetGameState() { G = GameState{}; }

void NewMissionReset() {
  G.ViewX = 10;
  G.ViewY = 10;
  G.CursorX = 8;
  G.CursorY = 8;
  G.NaviCounter = -50;
  G.CursorFrame = 0;
  G.Charge = 246;
  G.Reward = 0;
  G.ComboCount = 0;
  G.ComboArmed = 0;
}

const std::vector<GameStateField>& GameStateFields() {
  using F = GameStateField;
  static const std::vector<GameStateField> fields = {
      {"GameMode", F::Byte, &G.GameMode},
      {"MenuChoice", F::Byte, &G.MenuChoice},
      {"PageStep", F::Byte, &G.PageStep},
      {"Veteran", F::Byte, &G.Veteran},
      {"RecordReward", F::Int32, &G.RecordReward},
      {"RecordHolder", F::Text, &G.RecordHolder},
      {"SoundOn", F::Byte, &G.SoundOn},
      {"SavePath", F::Text, &G.SavePath},
      {"SaveHeader", F::Text, &G.SaveHeader},
      {"HiddenMode", F::Byte, &G.HiddenMode},
      {"ViewX", F::Byte, &G.ViewX},
      {"ViewY", F::Byte, &G.ViewY},
      {"CursorX", F::Byte, &G.CursorX},
      {"CursorY", F::Byte, &G.CursorY},
      {"ScopeX", F::Byte, &G.ScopeX},
      {"ScopeY", F::Byte, &G.ScopeY},
      {"Charge", F::Byte, &G.Charge},
      {"NaviCounter", F::Int16, &G.NaviCounter},
      {"ShotBusy", F::Byte, &G.ShotBusy},
      {"ShotFlash", F::Byte, &G.ShotFlash},
      {"CursorFrame", F::Byte, &G.CursorFrame},
      {"HoverPerson", F::Int32, &G.HoverPerson},
      {"ShownPerson", F::Int32, &G.ShownPerson},
      {"HoverSoundPerson", F::Int32, &G.HoverSoundPerson},
      {"Reward", F::Int32, &G.Reward},
      {"ShotReward", F::Int32, &G.ShotReward},
      {"TargetKills", F::Byte, &G.TargetKills},
      {"CivilianKills", F::Byte, &G.CivilianKills},
      {"ComboCount", F::Byte, &G.ComboCount},
      {"ComboArmed", F::Byte, &G.ComboArmed},
      {"ShotPerson", F::Int32, &G.ShotPerson},
      {"ShotName", F::Text, &G.ShotName},
      {"FilePath", F::Text, &G.FilePath},
      {"MissingFile", F::Text, &G.MissingFile},
      {"MapText", F::Text, &G.MapText},
  };
  return fields;
}
