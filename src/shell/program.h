#pragma once

// The program's real entry: builds the two windows and shows the launcher, whose load and
// timer hand over to the main window. Both hosts call it.
void StartProgram();

// Back to program start: game state, world, windows and the sound binding, so that each test
// starts from a clean program.
void ResetProgram();
