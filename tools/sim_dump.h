#pragma once
#include <string>

#include "platform/script/script_host.h"

namespace sim {

// The one-line JSON of the dump command: clock, end, game state, windows, controls, timers,
// and the sound calls and message boxes since the last dump (both are taken, so the next dump
// starts empty).
std::string Dump(platform::ScriptHost& host);

// One map cell's layers and one person's columns, by their names.
std::string CellJson(int x, int y);
std::string PersonJson(int person);

}  // namespace sim
