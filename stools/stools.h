#pragma once
// The functions Stools.dll exports, as a program that loads it by name declares them.
//
// One C ABI on every system: int32 arguments and results, narrow paths in the system's code
// page. On Windows the functions are __stdcall and exported by their bare names (stools.def);
// elsewhere they are ordinary C functions, the only symbols the module makes visible.
#include <cstdint>

#if defined(_WIN32)
#define STOOLS_CALL __stdcall
#if defined(STOOLS_BUILDING)
#define STOOLS_API extern "C" __declspec(dllexport)
#else
#define STOOLS_API extern "C" __declspec(dllimport)
#endif
#else
#define STOOLS_CALL
#define STOOLS_API extern "C" __attribute__((visibility("default")))
#endif

STOOLS_API int32_t STOOLS_CALL STInit(int32_t hwnd, int32_t flags);
STOOLS_API int32_t STOOLS_CALL STReadFile(int32_t slot, const char* path, int32_t mode);
STOOLS_API int32_t STOOLS_CALL STPlay(int32_t slot);
STOOLS_API int32_t STOOLS_CALL STStop(int32_t slot);
STOOLS_API int32_t STOOLS_CALL STSetVolume(int32_t percent);
STOOLS_API int32_t STOOLS_CALL MTReadFile(const char* path);
STOOLS_API int32_t STOOLS_CALL MTSetTempo(int32_t bpm);
STOOLS_API int32_t STOOLS_CALL MTPlay();
STOOLS_API int32_t STOOLS_CALL MTStop();
STOOLS_API int32_t STOOLS_CALL MTFadeIn(int32_t ms);
STOOLS_API int32_t STOOLS_CALL MTFadeOut(int32_t ms);
STOOLS_API int32_t STOOLS_CALL STGetPosition();
STOOLS_API int32_t STOOLS_CALL STShutdown();
