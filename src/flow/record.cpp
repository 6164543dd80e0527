#include "flow/record.h"

#include "flow/game_state.h"
#include "flow/number_text.h"
#include "language/language.h"
#include "shell/settings_file.h"

std::string RecordLine() {
  return TrFormat("最高報酬者記録： スナイパー%s：%s円", {ShownHolderName(G.RecordHolder), PaddedNumber(G.RecordReward)});
}

std::string ShownHolderName(const std::string& holder) {
  return holder == kDefaultRecordHolder ? Tr(kDefaultRecordHolder) : holder;
}
