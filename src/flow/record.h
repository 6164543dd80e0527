#pragma once
#include <string>

// The record text of the title and of the play screen (labels Label2 and Label3), built from
// RecordHolder and RecordReward, e.g. "最高報酬者記録： スナイパー日向 澄香： 150000円".
std::string RecordLine();

// A record holder's name as the game shows it: as typed, except the default holder, whose name
// is shown in the reading of a language other than Japanese.
std::string ShownHolderName(const std::string& holder);
