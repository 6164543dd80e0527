#pragma once
#include <cstdint>
#include <vector>

// The program's one random generator. Every draw first folds the clock reading into the
// generator's state, so draws follow the clock as well as the sequence, yet a frozen clock
// never repeats a value: the state only moves forward.

// A value r in [0, 1), after a reseed from the clock.
double Rnd();

// A draw uniform 1..n: floor(Rnd() * n) + 1 (one reseed and one draw).
int DrawUniform(int n);

// Pins the generator's state: the same seed and the same clock readings give the same draws
// (tests and the headless driver's --seed).
void SeedRandom(uint64_t seed);
// The generator's state, which SeedRandom puts back (a replay starts from it).
uint64_t RandomState();

// The next draws return these values (each in [0, 1)) in order before the generator is used
// again; for tests that need a particular outcome. The clock is not read for a pinned draw.
void PinRandomDraws(std::vector<double> values);

// Back to program start: seed 0 and nothing pinned.
void ResetRandom();
