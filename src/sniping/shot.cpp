#include "sniping/shot.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "flow/game_state.h"
#include "language/language.h"
#include "shell/data_paths.h"
#include "shell/sound_binding.h"
#include "shell/forms.h"
#include "sniping/message_log.h"
#include "world/names.h"
#include "world/random_draw.h"
#include "world/world_model.h"

namespace {

constexpr uint32_t kGainColor = 0x00C0C0;     // "&Hc0c000" in the window's colour text
constexpr uint32_t kPenaltyColor = 0xFF0000;  // "&H0000ff"

constexpr int kComboCap = 20;
constexpr int32_t kRewardLimit = 99999999;

bool InsideGrid(int x, int y) {
  return x >= 0 && x < kMapCells && y >= 0 && y < kMapCells;
}

int32_t BaseValue(int kind) {
  switch (kind) {
    case Citizen:
      return -15000;
    case Child:
      return -20000;
    case Elder:
      return -10000;
    case Target:
      return 10000;
  }
  return 0;
}

// 1..10 % more, either way: the value plus value * k * 0.01, to the nearest yen with halves to
// even (nearbyint under the default rounding mode).
int32_t WithRandomBonus(int32_t value) {
  const int k = int(Rnd() * 10 + 1);
  return int32_t(std::nearbyint(value + value * k * 0.01));
}

// 5 % more for every consecutive target hit after the first, up to 100 %: the value divided
// by 100 and multiplied by the percentage, the product truncated toward zero.
int32_t WithComboBonus(int32_t value) {
  if (G.ComboCount > kComboCap) G.ComboCount = kComboCap;
  return int32_t(std::trunc(value / 100.0 * (100 + 5 * G.ComboCount)));
}

int32_t ClampedTotal(int64_t total) {
  if (total > kRewardLimit) return kRewardLimit;
  if (total < -kRewardLimit) return -kRewardLimit;
  return int32_t(total);
}

// A splash lands on walkable ground only and never covers a victim's cell.
void Splash(int x, int y, uint8_t side) {
  if (!InsideGrid(x, y)) return;
  uint8_t* cell = MapGrid[x][y];
  if (cell[Blood] < 5 && cell[Terrain] < 10) cell[Blood] = side;
}

void PaintBlood(int cx, int cy) {
  MapGrid[cx][cy][Occupant] = 0;
  MapGrid[cx][cy][Blood] = 5;
  Splash(cx, cy - 1, 1);  // north
  Splash(cx + 1, cy, 2);  // east
  Splash(cx, cy + 1, 3);  // south
  Splash(cx - 1, cy, 4);  // west
}

void ResolveHit(int cx, int cy) {
  platform::Form& form = Form1();
  G.ShotPerson = PersonAt(cx, cy);
  if (G.ShotPerson == 0) {
    // The grid shows somebody the person table does not know: the world is corrupt.
    G.MissingFile = Tr("数オーバー");
    StopOnMissingFile();
  }
  uint8_t* person = People[G.ShotPerson];
  person[State] = 0;
  person[PosX] = 0;
  person[PosY] = 0;

  BuildPersonName(G.ShotPerson);
  PushLogMessage("Pdition-");
  PushLogMessage("Set_=" + G.ShotName);
  form("cname").caption = G.ShotName;
  form("ccode").caption = KindWord(person[Kind]);
  PushLogMessage("Delete.." + G.ShotName);
  form("ndel").caption = "Del._= " + G.ShotName;

  G.ShotReward = BaseValue(person[Kind]);
  CountUp(person[Kind] == Target ? G.TargetKills : G.CivilianKills);

  platform::Control& value = form("dne");
  platform::Control& deleted = form("ndel");
  if (G.ShotReward > 0) {
    value.foreColor = deleted.foreColor = kGainColor;
    PushLogMessage("Nice!..GUNGURO");
    PlaySound(wave_slot::TargetDownVoice);
    if (G.ComboArmed == 1) G.ComboCount = uint8_t(G.ComboCount + 1);
    G.ComboArmed = 1;
  } else {
    value.foreColor = deleted.foreColor = kPenaltyColor;
    G.ComboArmed = 0;
    G.ComboCount = 0;
    PlaySound(wave_slot::CivilianVoice);
    PlaySound(wave_slot::BystanderAlarm);
  }

  G.ShotReward = WithRandomBonus(G.ShotReward);
  if (G.ShotReward > 0) {
    G.ShotReward = WithComboBonus(G.ShotReward);
    value.caption = TrFormat("：+%s円", {std::to_string(G.ShotReward)});
  } else {
    value.caption = TrFormat("：%s円", {std::to_string(G.ShotReward)});
  }
  G.Reward = ClampedTotal(int64_t(G.Reward) + G.ShotReward);
  form("yenm").caption = std::to_string(G.Reward);

  PaintBlood(cx, cy);
}

}  // namespace

void ResolveShot() {
  const int cx = G.ScopeX + G.CursorX;
  const int cy = G.ScopeY + G.CursorY;
  // The play keys keep the aim well inside the map; an aim outside it hits nothing.
  const bool inside = InsideGrid(cx, cy);
  if (inside) MapGrid[cx][cy][ShotMark] = 1;
  PlaySound(wave_slot::Shot);
  if (!inside || MapGrid[cx][cy][Occupant] == 0) {
    PushLogMessage("Failure Shot...");
    G.ComboArmed = 0;
    G.ComboCount = 0;
  } else {
    ResolveHit(cx, cy);
  }
  G.ShotBusy = 0;
  G.ShotFlash = 1;
}
