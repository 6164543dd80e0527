#!/usr/bin/env bash
# Cross-builds Stools.dll and its check program for 64-bit Windows with mingw-w64 and runs the
# check under Wine, in a prefix of its own: once with an audio device (ALSA's null sink) and once
# without any (Wine's audio drivers left out), where the library must stay silent and quick.
#   run.sh BUILD_DIR
# Exit 0: passed; 77: mingw-w64 or Wine is missing (skip); anything else: failed.
set -euo pipefail
source=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
for tool in x86_64-w64-mingw32-g++-posix wine; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
static="-static -static-libgcc -static-libstdc++"
cmake -S "$source/stools" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_SYSTEM_NAME=Windows \
  -DCMAKE_CXX_COMPILER=x86_64-w64-mingw32-g++-posix -DCMAKE_CXX_COMPILER_LAUNCHER="$(command -v ccache || true)" \
  -DCMAKE_SHARED_LINKER_FLAGS="$static" -DCMAKE_EXE_LINKER_FLAGS="$static" >/dev/null
cmake --build "$build" -j2 >/dev/null
mkdir -p "$build/home"
printf 'pcm.!default { type null }\n' >"$build/home/.asoundrc"
export WINEPREFIX=$build/wine WINEDEBUG=-all HOME=$build/home
cd "$build"
status=0
WINEDLLOVERRIDES="mscoree,mshtml=" wine stools_dll_check.exe device 2>&1 | grep -v '^ALSA lib' || status=1
# Ending with the sound playing and no STShutdown, as the game ends: the status is the program's,
# and the library's threads do not end it in std::terminate.
end_status=0
WINEDLLOVERRIDES="mscoree,mshtml=" wine stools_dll_check.exe end >end.log 2>&1 || end_status=$?
grep -v '^ALSA lib' end.log
if [[ $end_status -ne 0 ]] || grep -q terminate end.log; then
  echo "FAILED: ending with the sound playing gave status $end_status"
  status=1
fi
WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv=" wine stools_dll_check.exe \
  2>&1 | grep -v '^ALSA lib' || status=1
wineserver -k 2>/dev/null || true
exit $status
