#include "platform/host_view.h"

#include <algorithm>

namespace platform {
namespace {

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

Form* FrontForm::Update() {
  const auto& all = Forms();
  std::erase_if(order_, [&](Form* f) {
    return std::find(all.begin(), all.end(), f) == all.end() || !f->shown;
  });
  for (Form* f : all)
    if (f->shown && std::find(order_.begin(), order_.end(), f) == order_.end()) order_.push_back(f);
  return order_.empty() ? nullptr : order_.back();
}

int WholeScaleToFit(int w, int h, int availW, int availH) {
  if (w <= 0 || h <= 0) return 1;
  return std::max(1, std::min(availW / w, availH / h));
}

Letterbox FitWhole(int cw, int ch, int drawW, int drawH) {
  Letterbox box;
  box.scale = WholeScaleToFit(cw, ch, drawW, drawH);
  box.x = (drawW - cw * box.scale) / 2;
  box.y = (drawH - ch * box.scale) / 2;
  return box;
}

void DrawableToClient(const Letterbox& box, int px, int py, int& cx, int& cy) {
  cx = FloorDiv(px - box.x, box.scale);
  cy = FloorDiv(py - box.y, box.scale);
}

}  // namespace platform
