#include "platform/toolkit/window.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/toolkit/timers.h"
#include "platform/warning.h"

namespace platform {
namespace {

int Px(int twips) { return twips / kTwipsPerPixel; }

}  // namespace

std::string Control::DisplayName() const {
  if (index < 0) return name;
  return name + "(" + std::to_string(index) + ")";
}

void Control::Cls() {
  // The scope view clears its work surface every tick: the same size keeps its memory.
  if (image.width == width && image.height == height && image.pixels.size() == size_t(width) * height)
    image.Fill(backColor);
  else
    image = Surface(width, height, backColor);
  if (!picture.Empty()) BitBlt(image, 0, 0, picture.width, picture.height, picture, 0, 0, Rop::SrcCopy);
}

void Control::SetPicture(Surface p) {
  picture = std::move(p);
  Cls();
}

void Control::SetEnabled(bool on) {
  if (kind == ControlKind::Timer && on && !enabled) dueMicros = NowMicros() + PeriodMicros(*this);
  enabled = on;
}

bool Control::Shown() const {
  for (const Control* c = this; c; c = c->container)
    if (!c->visible) return false;
  return form && form->shown;
}

Control* Form::Find(std::string_view n, int i) {
  for (auto& c : controls)
    if (c->name == n && c->index == i) return c.get();
  return nullptr;
}

Control& Form::operator()(std::string_view n, int i) {
  Control* c = Find(n, i);
  if (!c) {
    Warn("no control " + std::string(n) + "(" + std::to_string(i) + ") on " + name);
    std::abort();
  }
  return *c;
}

Control* Form::FindByDisplayName(std::string_view displayName) {
  for (auto& c : controls)
    if (c->DisplayName() == displayName) return c.get();
  return nullptr;
}

std::vector<Control*> Form::ChildrenOf(const Control* container) {
  std::vector<Control*> out;
  for (auto& c : controls)
    if (c->container == container) out.push_back(c.get());
  return out;
}

std::unique_ptr<Form> BuildForm(const FormDef& def) {
  auto form = std::make_unique<Form>();
  form->def = &def;
  form->name = def.name;
  form->caption = def.caption;
  form->clientWidth = Px(def.clientWidthTwips);
  form->clientHeight = Px(def.clientHeightTwips);
  form->backColor = def.backColor;
  form->keyPreview = def.keyPreview;
  for (int i = 0; i < def.controlCount; ++i) {
    const ControlDef& d = def.controls[i];
    auto c = std::make_unique<Control>();
    c->def = &d;
    c->name = d.name;
    c->index = d.index;
    c->kind = d.kind;
    c->form = form.get();
    if (d.kind == ControlKind::Line) {
      c->x1 = Px(d.left);
      c->y1 = Px(d.top);
      c->x2 = Px(d.width);
      c->y2 = Px(d.height);
      c->lineWidth = d.lineWidth;
    } else {
      c->left = Px(d.left);
      c->top = Px(d.top);
      c->width = Px(d.width);
      c->height = Px(d.height);
    }
    c->visible = d.kind == ControlKind::Timer ? false : d.visible;
    c->enabled = d.enabled;
    c->backColor = d.backColor;
    c->foreColor = d.foreColor;
    c->transparent = d.transparent;
    c->align = d.align;
    if (d.fontName) c->font.name = d.fontName;
    if (d.fontPoints > 0) c->font.points = d.fontPoints;
    c->font.bold = d.bold;
    c->font.italic = d.italic;
    if (d.caption) c->caption = d.caption;
    c->caret = c->caption.size();
    c->interval = d.interval;
    if (d.kind == ControlKind::PictureBox) c->Cls();
    form->controls.push_back(std::move(c));
  }
  // Containers are named; resolve them once all controls exist.
  for (int i = 0; i < def.controlCount; ++i) {
    const ControlDef& d = def.controls[i];
    if (d.container) form->controls[i]->container = &(*form)(d.container);
  }
  // Timers enabled at design time start their first period now.
  for (auto& c : form->controls)
    if (c->kind == ControlKind::Timer && c->enabled) {
      c->enabled = false;
      c->SetEnabled(true);
    }
  Forms().push_back(form.get());
  return form;
}

Form::~Form() {
  auto& all = Forms();
  std::erase(all, this);
}

std::vector<Form*>& Forms() {
  // Never destroyed: forms owned by objects of static storage leave this list in their
  // destructors at exit, which may run after a function-local static would be gone.
  static auto* forms = new std::vector<Form*>;
  return *forms;
}

void ShowForm(Form& form) {
  if (!form.loaded) {
    form.loaded = true;
    if (form.onLoad) form.onLoad();
  }
  if (form.loaded) form.shown = true;
}

void CloseForm(Form& form) {
  form.shown = false;
  form.loaded = false;
  for (auto& c : form.controls)
    if (c->kind == ControlKind::Timer) c->enabled = false;
}

void EndProgram(const std::string& reason) { throw ProgramEnded{reason}; }

}  // namespace platform
