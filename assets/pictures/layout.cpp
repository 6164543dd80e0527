#include "layout.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/window_tables.h"

namespace {

const platform::ControlDef& Find(const std::string& name, int index) {
  const platform::FormDef& form = kForm1Def;
  for (int i = 0; i < form.controlCount; ++i) {
    const auto& d = form.controls[i];
    if (name == d.name && d.index == index) return d;
  }
  std::fprintf(stderr, "kzv-gen-pictures: no control %s(%d) in the window table\n", name.c_str(), index);
  std::exit(1);
}

}  // namespace

Rect ControlRect(const std::string& name, int index) {
  const auto& d = Find(name, index);
  constexpr int t = platform::kTwipsPerPixel;
  return {d.left / t, d.top / t, d.width / t, d.height / t};
}

Rect LineEnds(const std::string& name) { return ControlRect(name); }
