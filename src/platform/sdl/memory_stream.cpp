#include "platform/sdl/memory_stream.h"

#include <algorithm>

namespace platform {
namespace {

struct Memory {
  std::string bytes;
  size_t at = 0;
};

Memory& Of(SDL_RWops* rw) { return *static_cast<Memory*>(rw->hidden.unknown.data1); }

}  // namespace

std::optional<std::string> WriteToMemory(const std::function<int(SDL_RWops*)>& write) {
  Memory memory;
  SDL_RWops* rw = SDL_AllocRW();
  if (!rw) return std::nullopt;
  rw->hidden.unknown.data1 = &memory;
  rw->size = [](SDL_RWops* s) { return Sint64(Of(s).bytes.size()); };
  rw->seek = [](SDL_RWops* s, Sint64 offset, int whence) -> Sint64 {
    const Sint64 from = whence == RW_SEEK_SET   ? 0
                        : whence == RW_SEEK_CUR ? Sint64(Of(s).at)
                                                : Sint64(Of(s).bytes.size());
    if (from + offset < 0) return SDL_SetError("seek before the start");
    Of(s).at = size_t(from + offset);
    return Sint64(Of(s).at);
  };
  rw->read = [](SDL_RWops*, void*, size_t, size_t) -> size_t { return 0; };
  rw->write = [](SDL_RWops* s, const void* p, size_t size, size_t n) -> size_t {
    Memory& m = Of(s);
    const size_t count = size * n;
    if (m.bytes.size() < m.at + count) m.bytes.resize(m.at + count);
    std::copy_n(static_cast<const char*>(p), count, m.bytes.begin() + long(m.at));
    m.at += count;
    return n;
  };
  rw->close = [](SDL_RWops* s) {
    SDL_FreeRW(s);
    return 0;
  };
  const int written = write(rw);
  SDL_RWclose(rw);
  if (written != 0 || memory.bytes.empty()) return std::nullopt;
  return std::move(memory.bytes);
}

}  // namespace platform
