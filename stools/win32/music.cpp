// Music on Windows: the MIDI file played by Windows' own synthesiser through the MIDI stream
// calls. The piece is queued twice; whenever one pass has played, a thread of the library's
// own queues it again behind the other, so it repeats without a gap until stopped.
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>

#include "backend.h"
#include "stools_internal.h"
#include "win32/midi_events.h"
#include "win32/win32_backend.h"
#include "win32/worker_thread.h"

static_assert(stools::win32::kShortMessage == MEVT_SHORTMSG &&
              stools::win32::kTempoChange == MEVT_TEMPO && stools::win32::kNothing == MEVT_NOP);

namespace stools::win32 {
namespace {

constexpr size_t kWordsPerBuffer = 3 * 5000;  // a stream buffer holds at most 64 KB
constexpr DWORD kKeeperTickMs = 20;

struct Pass {
  std::vector<uint32_t> words;  // a copy of the piece's records: a queued buffer is the driver's
  std::vector<MIDIHDR> headers;
};

std::mutex g_lock;
HMIDISTRM g_stream = nullptr;
bool g_streamTried = false;
HANDLE g_bufferDone = nullptr;
WorkerThread g_keeper;
std::atomic<bool> g_keeperStopping{false};

std::vector<char> g_midi;
int32_t g_tempoBpm = 0;
Pass g_passes[2];
bool g_playing = false;
ULONGLONG g_startedMs = 0;
float g_volume = 1.0f, g_volumeStep = 0.0f;  // the step per keeper tick while fading
bool g_stopAtSilence = false;

HMIDIOUT Out() {
  return reinterpret_cast<HMIDIOUT>(g_stream);
}

void ApplyVolume() {
  const DWORD level = DWORD(std::lround(g_volume * 0xFFFF));
  midiOutSetVolume(Out(), level | level << 16);  // not every synthesiser has a volume
}

bool Done(const Pass& pass) {
  return std::all_of(pass.headers.begin(), pass.headers.end(),
                     [](const MIDIHDR& h) { return (h.dwFlags & MHDR_DONE) != 0; });
}

void Queue(Pass& pass) {
  for (MIDIHDR& header : pass.headers) midiStreamOut(g_stream, &header, sizeof header);
}

void Unprepare(Pass& pass) {
  for (MIDIHDR& header : pass.headers) midiOutUnprepareHeader(Out(), &header, sizeof header);
  pass.headers.clear();
  pass.words.clear();
}

// With the lock held.
void Halt() {
  if (!g_stream) return;
  midiOutReset(Out());  // every note off, every buffer back
  midiStreamStop(g_stream);
  g_playing = false;
  g_stopAtSilence = false;
  g_volumeStep = 0.0f;
}

void Keep() {
  while (!g_keeperStopping) {
    WaitForSingleObject(g_bufferDone, kKeeperTickMs);
    std::lock_guard<std::mutex> guard(g_lock);
    if (!g_playing) continue;
    for (Pass& pass : g_passes) {
      if (Done(pass)) Queue(pass);
    }
    if (g_volumeStep != 0.0f) {
      g_volume = std::clamp(g_volume + g_volumeStep, 0.0f, 1.0f);
      if (g_volume == 0.0f || g_volume == 1.0f) g_volumeStep = 0.0f;
      ApplyVolume();
      if (g_stopAtSilence && g_volume == 0.0f) Halt();
    }
  }
}

std::string MidiError(MMRESULT result) {
  char text[MAXERRORLENGTH] = {};
  midiOutGetErrorTextA(result, text, sizeof text);
  return text[0] ? text : "error " + std::to_string(result);
}

// Opens the stream at the first need; false (after one warning) when Windows has no MIDI
// output. With the lock held.
bool EnsureStream() {
  if (g_stream) return true;
  if (g_streamTried) return false;
  g_streamTried = true;
  UINT device = MIDI_MAPPER;
  g_bufferDone = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  const MMRESULT opened = midiOutGetNumDevs() == 0
                              ? MMSYSERR_NODRIVER
                              : midiStreamOpen(&g_stream, &device, 1,
                                               reinterpret_cast<DWORD_PTR>(g_bufferDone), 0,
                                               CALLBACK_EVENT);
  if (opened != MMSYSERR_NOERROR) {
    WarnOnce("no MIDI device (" + MidiError(opened) + "); the music stays silent", "midi");
    CloseHandle(g_bufferDone);
    g_bufferDone = nullptr;
    g_stream = nullptr;
    return false;
  }
  g_keeperStopping = false;
  g_keeper.Start(Keep);
  return true;
}

// Both passes of the piece, as the tempo now asks, prepared for the stream.
void PreparePasses() {
  const StreamPiece piece = ReadStreamPiece(g_midi, g_tempoBpm <= 0);
  MIDIPROPTIMEDIV division = {sizeof division, piece.division};
  midiStreamProperty(g_stream, reinterpret_cast<LPBYTE>(&division), MIDIPROP_SET | MIDIPROP_TIMEDIV);
  MIDIPROPTEMPO tempo = {sizeof tempo, g_tempoBpm > 0 ? DWORD(60000000 / g_tempoBpm) : 500000};
  midiStreamProperty(g_stream, reinterpret_cast<LPBYTE>(&tempo), MIDIPROP_SET | MIDIPROP_TEMPO);
  for (Pass& pass : g_passes) {
    Unprepare(pass);
    pass.words = piece.words;
    for (size_t at = 0; at < pass.words.size(); at += kWordsPerBuffer) {
      MIDIHDR header = {};
      header.lpData = reinterpret_cast<LPSTR>(pass.words.data() + at);
      header.dwBufferLength = header.dwBytesRecorded =
          DWORD(std::min(kWordsPerBuffer, pass.words.size() - at) * sizeof(uint32_t));
      pass.headers.push_back(header);
    }
    for (MIDIHDR& header : pass.headers) midiOutPrepareHeader(Out(), &header, sizeof header);
  }
}

}  // namespace

void CloseMusic() {
  {
    std::lock_guard<std::mutex> guard(g_lock);
    Halt();
    g_keeperStopping = true;
    if (g_bufferDone) SetEvent(g_bufferDone);
  }
  g_keeper.Join();
  std::lock_guard<std::mutex> guard(g_lock);
  if (g_stream) {
    for (Pass& pass : g_passes) Unprepare(pass);
    midiStreamClose(g_stream);
    CloseHandle(g_bufferDone);
  }
  g_stream = nullptr;
  g_bufferDone = nullptr;
  g_streamTried = false;
  g_midi.clear();
  g_tempoBpm = 0;
  g_volume = 1.0f;
}

}  // namespace stools::win32

namespace stools::backend {
using namespace win32;

void ForgetMusic() {
  std::lock_guard<std::mutex> guard(g_lock);
  Halt();
  g_midi.clear();
}

bool LoadMusic(const std::vector<char>& midi, std::string& /*why*/) {
  std::lock_guard<std::mutex> guard(g_lock);
  g_midi = midi;
  EnsureStream();  // without a MIDI device the piece is kept, and stays silent
  return true;
}

void PlayMusic(int32_t fadeInMs) {
  std::lock_guard<std::mutex> guard(g_lock);
  if (g_midi.empty() || !EnsureStream()) return;
  const float ticks = float(std::max<int32_t>(fadeInMs, 1)) / kKeeperTickMs;
  if (g_playing && fadeInMs > 0) {  // already playing: only the volume comes up
    g_stopAtSilence = false;
    g_volumeStep = (1.0f - g_volume) / ticks;
    return;
  }
  Halt();
  PreparePasses();
  g_volume = fadeInMs > 0 ? 0.0f : 1.0f;
  g_volumeStep = fadeInMs > 0 ? 1.0f / ticks : 0.0f;
  ApplyVolume();
  for (Pass& pass : g_passes) Queue(pass);
  midiStreamRestart(g_stream);
  g_playing = true;
  g_startedMs = GetTickCount64();
}

void StopMusic(int32_t fadeOutMs) {
  std::lock_guard<std::mutex> guard(g_lock);
  if (!g_playing) return;
  if (fadeOutMs <= 0 || g_volume == 0.0f) return Halt();
  g_stopAtSilence = true;
  g_volumeStep = -g_volume * kKeeperTickMs / float(fadeOutMs);
}

// Takes its full effect at the next start: a piece playing with the file's own tempo changes
// keeps them.
void SetMusicTempo(int32_t bpm) {
  std::lock_guard<std::mutex> guard(g_lock);
  g_tempoBpm = bpm;
  if (g_stream && bpm > 0) {
    MIDIPROPTEMPO tempo = {sizeof tempo, DWORD(60000000 / bpm)};
    midiStreamProperty(g_stream, reinterpret_cast<LPBYTE>(&tempo), MIDIPROP_SET | MIDIPROP_TEMPO);
  }
}

int32_t MusicPositionMs() {
  std::lock_guard<std::mutex> guard(g_lock);
  if (!g_playing) return 0;
  return int32_t(std::min<ULONGLONG>(GetTickCount64() - g_startedMs, INT32_MAX));
}

}  // namespace stools::backend
