#include "flow/record.h"

#include "flow/game_state.h"
#include "flow/number_text.h"

std::string RecordLine() {
  return "最高報酬者記録： スナイパー" + G.RecordHolder + "：" + PaddedNumber(G.RecordReward) + "円";
}
