// The audio device on Windows: the waveOut calls at 44100 Hz, 16-bit stereo, fed by a thread
// of the library's own with the mixer's frames.
#include <windows.h>
#include <mmsystem.h>

#include <atomic>

#include "backend.h"
#include "win32/win32_backend.h"
#include "win32/worker_thread.h"

namespace stools::win32 {
namespace {

// Four blocks of 1024 frames (23 ms each) queued at the device: a sound starts within about
// five frames of its picture, and a late wake-up of the thread does not run the device dry.
constexpr int kBlocks = 4;
constexpr int kBlockFrames = 1024;

Mixer g_mixer;
HWAVEOUT g_device = nullptr;
HANDLE g_blockDone = nullptr;
WAVEHDR g_headers[kBlocks];
int16_t g_blocks[kBlocks][2 * kBlockFrames];
std::atomic<bool> g_stopping{false};
WorkerThread g_feeder;

void Feed() {
  while (!g_stopping) {
    for (WAVEHDR& header : g_headers) {
      if (!(header.dwFlags & WHDR_DONE)) continue;
      g_mixer.Render(reinterpret_cast<int16_t*>(header.lpData), kBlockFrames);
      header.dwFlags &= ~DWORD(WHDR_DONE);
      waveOutWrite(g_device, &header, sizeof header);
    }
    WaitForSingleObject(g_blockDone, 100);
  }
}

std::string DeviceError(MMRESULT result) {
  char text[MAXERRORLENGTH] = {};
  waveOutGetErrorTextA(result, text, sizeof text);
  return text[0] ? text : "error " + std::to_string(result);
}

}  // namespace

Mixer& TheMixer() {
  return g_mixer;
}

}  // namespace stools::win32

namespace stools::backend {
using namespace win32;

// The window handle is not needed by waveOut: playback goes on after the launcher closes.
bool OpenDevice(int32_t /*window*/, std::string& why) {
  if (waveOutGetNumDevs() == 0) {
    why = "Windows reports no wave output device";
    return false;
  }
  WAVEFORMATEX format = {};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 2;
  format.nSamplesPerSec = 44100;
  format.wBitsPerSample = 16;
  format.nBlockAlign = 4;
  format.nAvgBytesPerSec = 44100 * 4;
  g_blockDone = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  const MMRESULT opened = waveOutOpen(&g_device, WAVE_MAPPER, &format,
                                      reinterpret_cast<DWORD_PTR>(g_blockDone), 0, CALLBACK_EVENT);
  if (opened != MMSYSERR_NOERROR) {
    why = "waveOutOpen: " + DeviceError(opened);
    CloseHandle(g_blockDone);
    g_blockDone = nullptr;
    g_device = nullptr;
    return false;
  }
  g_mixer.Reset();
  for (int i = 0; i < kBlocks; ++i) {
    g_headers[i] = {};
    g_headers[i].lpData = reinterpret_cast<LPSTR>(g_blocks[i]);
    g_headers[i].dwBufferLength = sizeof g_blocks[i];
    waveOutPrepareHeader(g_device, &g_headers[i], sizeof g_headers[i]);
    g_headers[i].dwFlags |= WHDR_DONE;  // free to fill
  }
  g_stopping = false;
  g_feeder.Start(Feed);
  return true;
}

void CloseDevice() {
  CloseMusic();
  g_stopping = true;
  SetEvent(g_blockDone);
  g_feeder.Join();
  waveOutReset(g_device);
  for (WAVEHDR& header : g_headers) waveOutUnprepareHeader(g_device, &header, sizeof header);
  waveOutClose(g_device);
  CloseHandle(g_blockDone);
  g_device = nullptr;
  g_blockDone = nullptr;
  g_mixer.Reset();
}

}  // namespace stools::backend
