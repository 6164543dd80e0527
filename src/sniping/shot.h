#pragma once

// One shot of the satellite gun at the aimed cell (ScopeX + CursorX, ScopeY + CursorY): marks
// the cell, removes whoever stands there, prices the hit by kind with the random and the
// combo bonus, adds it to the mission total, reports it in the log and the status labels,
// and leaves blood. Called only with the gun charged; recharging is the caller's business.
void ResolveShot();
