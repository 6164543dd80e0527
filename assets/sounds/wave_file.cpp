#include "wave_file.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/files.h"

namespace sounds {
namespace {

// The bytes of a wave file in memory, as libsndfile reads or writes them.
struct Memory {
  std::vector<uint8_t> bytes;
  sf_count_t at = 0;
};

Memory& Of(void* memory) { return *static_cast<Memory*>(memory); }

SF_VIRTUAL_IO MemoryIo() {
  SF_VIRTUAL_IO io{};
  io.get_filelen = [](void* m) { return sf_count_t(Of(m).bytes.size()); };
  io.seek = [](sf_count_t offset, int whence, void* m) {
    const sf_count_t from = whence == SEEK_SET ? 0
                            : whence == SEEK_CUR ? Of(m).at
                                                 : sf_count_t(Of(m).bytes.size());
    Of(m).at = std::max<sf_count_t>(0, from + offset);
    return Of(m).at;
  };
  io.read = [](void* into, sf_count_t count, void* m) {
    Memory& memory = Of(m);
    const sf_count_t n =
        std::clamp<sf_count_t>(sf_count_t(memory.bytes.size()) - memory.at, 0, count);
    if (n > 0) std::memcpy(into, memory.bytes.data() + memory.at, size_t(n));
    memory.at += n;
    return n;
  };
  io.write = [](const void* from, sf_count_t count, void* m) {
    Memory& memory = Of(m);
    if (memory.bytes.size() < size_t(memory.at + count)) memory.bytes.resize(size_t(memory.at + count));
    std::memcpy(memory.bytes.data() + memory.at, from, size_t(count));
    memory.at += count;
    return count;
  };
  io.tell = [](void* m) { return Of(m).at; };
  return io;
}

int16_t ToPcm(float x) {
  const double scaled = std::round(std::clamp(static_cast<double>(x), -1.0, 1.0) * 32767.0);
  return static_cast<int16_t>(scaled);
}

}  // namespace

bool WriteWave16(const std::string& path, const Sound& sound, std::string& error) {
  std::vector<int16_t> pcm;
  pcm.reserve(sound.samples.size());
  for (float s : sound.samples) pcm.push_back(ToPcm(s));

  Memory memory;
  SF_VIRTUAL_IO io = MemoryIo();
  SF_INFO info{};
  info.samplerate = sound.rate;
  info.channels = 1;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  SNDFILE* file = sf_open_virtual(&io, SFM_WRITE, &info, &memory);
  if (file == nullptr) {
    error = std::string("cannot make the wave file ") + path + ": " + sf_strerror(nullptr);
    return false;
  }
  const bool encoded = sf_write_short(file, pcm.data(), sf_count_t(pcm.size())) == sf_count_t(pcm.size());
  sf_close(file);
  if (!encoded) {
    error = "cannot encode " + path;
    return false;
  }
  if (!platform::WriteFileAtomically(path, std::string(memory.bytes.begin(), memory.bytes.end()))) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

std::optional<Sound> ParseWave(const std::vector<uint8_t>& bytes) {
  Memory memory{bytes, 0};
  SF_VIRTUAL_IO io = MemoryIo();
  SF_INFO info{};
  SNDFILE* file = sf_open_virtual(&io, SFM_READ, &info, &memory);
  if (file == nullptr) return std::nullopt;
  std::optional<Sound> sound;
  if ((info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAV && info.channels > 0 && info.frames > 0) {
    std::vector<float> frames(size_t(info.frames) * size_t(info.channels));
    const sf_count_t got = sf_readf_float(file, frames.data(), info.frames);
    sound.emplace();
    sound->rate = info.samplerate;
    for (sf_count_t i = 0; i < got; ++i) sound->samples.push_back(frames[size_t(i * info.channels)]);
  }
  sf_close(file);
  return sound;
}

}  // namespace sounds
