#include "platform/text/text_cache.h"

#include <algorithm>

#include "platform/text/text.h"

namespace platform {
namespace {

int g_renderCount = 0;

}  // namespace

CachedText& Cached(TextCache& cache, const Control& c, LabelKey key,
                   Coverage (*render)(const Control&)) {
  constexpr size_t kRecent = 32;
  if (cache.byControl.size() > 4096) cache.byControl.clear();  // forms rebuilt again and again, as tests do
  auto it = cache.byControl.find(&c);
  if (it != cache.byControl.end() && it->second.key == key) return it->second;
  CachedText& entry = cache.byControl[&c];
  auto same = std::find_if(cache.recent.begin(), cache.recent.end(),
                           [&](const auto& r) { return r.first == key; });
  if (same != cache.recent.end()) {
    entry.coverage = same->second;
  } else {
    ++g_renderCount;
    entry.coverage = render(c);
    entry.coverage.FindInk();
    if (cache.recent.size() == kRecent) cache.recent.pop_front();
    cache.recent.emplace_back(key, entry.coverage);
  }
  entry.key = std::move(key);
  entry.opaque = Surface();
  return entry;
}

int TextRenderCount() {
  return g_renderCount;
}

}  // namespace platform
