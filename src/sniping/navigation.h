#pragma once

// The slow clock of play (timer Tim3, 50 ms): moves the interference band down the map view,
// logging "navigation..." once per sweep, and recharges the gun, redrawing the gauge `gaga`.
void Tim3_Timer();
