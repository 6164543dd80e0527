#pragma once
#include "platform/toolkit/control_def.h"

// The stored definitions of the game's two windows, control by control, in twips.
extern const platform::FormDef kForm1Def;  // the main window
extern const platform::FormDef kForm2Def;  // the launcher
