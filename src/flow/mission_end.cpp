#include "flow/mission_end.h"

#include <cstring>

#include "flow/game_state.h"
#include "flow/number_text.h"
#include "flow/record.h"
#include "flow/title_menu.h"
#include "language/language.h"
#include "platform/text/utf8.h"
#include "platform/toolkit/window.h"
#include "shell/mission_replay.h"
#include "shell/settings_file.h"
#include "shell/sound_binding.h"
#include "shell/forms.h"
#include "world/world_model.h"

namespace {

constexpr Rank kRanks[] = {
    {900000, 1250000, TrMark("Ｓランク"), TrMark("すっごいねぇ～、もう教える事は何もないよぉ～"), 21},
    {600000, 900000, TrMark("Ａランク"),
     TrMark("君の能力は上層部でも高く評価されている。これからもがんばってくれたまえ。"), 22},
    {250000, 600000, TrMark("Ｂランク"), TrMark("まずまずの戦闘結果だな。今後の君の活躍に期待する。"), 23},
    {150000, 250000, TrMark("Ｃランク"), TrMark("君には失望させられたよ。基礎からやり直したほうがいいな…"), 24},
    {1, 150000, TrMark("Ｄランク"), TrMark("君の階級章は飾りかね…？一からやり直したまえ！"), 25},
};
constexpr Rank kRankE = {0, 0, TrMark("Ｅランク"), TrMark("君を降格する！さっさとこの場から消えたまえ！"), 26};

}  // namespace

const Rank& RankOf(int32_t reward) {
  for (const Rank& rank : kRanks) {
    if (reward >= rank.low && reward <= rank.high) return rank;
  }
  return kRankE;
}

void EndMission() {
  PlaySound(wave_slot::MissionOver);
  platform::Form& form = Form1();
  form("tim1").SetEnabled(false);
  form("Tim2").SetEnabled(false);
  form("Tim3").SetEnabled(false);
  G.GameMode = 0;

  form("keka", 0).caption = TrFormat("%s人", {BareNumber(G.TargetKills)});
  form("keka", 1).caption = TrFormat("%s人", {BareNumber(G.CivilianKills)});
  form("keka", 2).caption = TrFormat("%s円", {BareNumber(G.Reward)});
  form("keka", 3).caption = TrFormat("%s円", {BareNumber(G.RecordReward)});  // the record before this mission

  const Rank& rank = RankOf(G.Reward);
  form("keka", 5).caption = Tr(rank.caption);
  form("keka", 4).caption = Tr(rank.remark);
  PlaySound(rank.voice);

  platform::Control& name = form("ename");
  const bool newRecord = G.RecordReward < G.Reward;
  form("chu2").visible = newRecord;
  form("chu").visible = newRecord;
  name.enabled = newRecord;
  if (newRecord) {
    name.caption.clear();
    name.caret = 0;
    G.RecordReward = G.Reward;
  }

  form("ending").visible = true;
  G.GameMode = 2;
}

void ResultKeyDown(int key) {
  if (key == platform::vk::Enter && !Form1()("ename").caption.empty()) CommitRecordName();
}

void CommitRecordName() {
  G.GameMode = 0;
  platform::Form& form = Form1();
  // Without a new record the disabled box still holds the holder's name as shown, and the name
  // itself is taken again (the default holder's is shown in the reading of other languages).
  const std::string& typed = form("ename").caption;
  const std::string& name = typed == ShownHolderName(G.RecordHolder) ? G.RecordHolder : typed;
  G.RecordHolder = FirstCharacters(name, kRecordNameLength);
  SaveSettings();  // writes only when the settings file is there
  G.Veteran = 1;

  form("Label2").caption = RecordLine();
  form("Label3").caption = form("Label2").caption;

  // The next mission starts from an empty city: no mark, blood or person survives.
  std::memset(MapGrid, 0, sizeof MapGrid);

  G.MenuChoice = kMenuStart;
  G.PageStep = 0;
  HighlightMenuChoice();
  form("title").visible = true;
  form("ending").visible = false;
  G.GameMode = 1;
  MissionEnds();
}

std::string FirstCharacters(std::string_view text, std::size_t count) {
  std::string first;
  for (std::string_view character : platform::SplitUtf8Characters(text)) {
    if (count-- == 0) break;
    first += character;
  }
  return first;
}
