#include "platform/text_cache.h"

#include "platform/text.h"

namespace platform {
namespace {

int g_renderCount = 0;

}  // namespace

CachedText& Cached(TextCache& cache, const Control& c, LabelKey key,
                   Coverage (*render)(const Control&)) {
  if (cache.size() > 4096) cache.clear();  // forms rebuilt again and again, as tests do
  auto it = cache.find(&c);
  if (it != cache.end() && it->second.key == key) return it->second;
  ++g_renderCount;
  CachedText& entry = cache[&c];
  entry.key = std::move(key);
  entry.coverage = render(c);
  entry.coverage.FindInk();
  entry.opaque = Surface();
  return entry;
}

int TextRenderCount() {
  return g_renderCount;
}

}  // namespace platform
