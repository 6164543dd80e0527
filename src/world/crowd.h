#pragma once

// One tick of the crowd timer: every walking person tries one step in a random direction
// along the streets; every person shot since the last tick comes back as a new person at the
// city's edge.
void StepCrowd();
