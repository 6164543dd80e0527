#pragma once

// The scope view tick (timer tim1): redraws the map view `main` and the magnified scope `big`
// from the world, identifies the person under the cursor (name, kind, target marker, hover
// sound) and, in the auto-snipe mode, fires by itself.
void Tim1_Timer();
