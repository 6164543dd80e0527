// Where the fuzzer's coverage counters of this program lie, for a target that runs part of its
// work in a child process. Compiled without coverage itself: the compiler's own references to
// these symbols live only in instrumented files. Empty outside the fuzzing build.
#include <cstddef>
#include <cstdint>

extern "C" __attribute__((weak)) uint8_t __start___sancov_cntrs[], __stop___sancov_cntrs[];

uint8_t* CoverageCounters() { return __start___sancov_cntrs; }
size_t CoverageCounterCount() { return size_t(__stop___sancov_cntrs - __start___sancov_cntrs); }
