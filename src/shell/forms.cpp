#include "shell/forms.h"

#include <cstdio>
#include <memory>
#include <string_view>

#include "language/language.h"
#include "platform/raster/picture.h"
#include "platform/warning.h"
#include "shell/stored_pictures.h"
#include "shell/window_tables.h"

namespace {

std::unique_ptr<platform::Form> g_form1;
std::unique_ptr<platform::Form> g_form2;

// A stored picture decoded, or an empty surface when the executable holds none by that name.
// Outside Japanese a picture with words is stored once more as <name>_<language>.
platform::Surface StoredSurface(std::string_view name) {
  const std::string translated = std::string(name) + "_" + CurrentLanguage();
  for (const StoredPicture& p : StoredPictures())
    if (!JapaneseSpoken() && translated == p.name) name = p.name;
  for (const StoredPicture& p : StoredPictures()) {
    if (name != p.name) continue;
    if (auto s = platform::LoadPictureBytes(p.bytes, p.size)) return *s;
    platform::Warn(std::string("the stored picture ") + p.name + " cannot be decoded");
  }
  return {};
}

// The tables hold the Japanese captions; the windows show them in the current language.
void TranslateCaptions(platform::Form& form) {
  form.caption = Tr(form.caption);
  for (auto& c : form.controls) {
    const bool atEnd = c->caret >= c->caption.size();
    c->caption = Tr(c->caption);
    if (atEnd || c->caret > c->caption.size()) c->caret = c->caption.size();  // the caret stays in its text
  }
}

void AttachStoredPictures(platform::Form& form) {
  if (form.def->storedIcon) form.icon = StoredSurface(form.def->storedIcon);
  if (form.def->storedPicture) form.picture = StoredSurface(form.def->storedPicture);
  for (auto& c : form.controls) {
    if (c->def->storedPicture) c->SetPicture(StoredSurface(c->def->storedPicture));
  }
}

}  // namespace

platform::Form& Form1() { return *g_form1; }
platform::Form& Form2() { return *g_form2; }

void CreateWindows() {
  g_form2 = platform::BuildForm(kForm2Def);
  g_form1 = platform::BuildForm(kForm1Def);
  AttachStoredPictures(*g_form2);
  AttachStoredPictures(*g_form1);
  TranslateCaptions(*g_form2);
  TranslateCaptions(*g_form1);
}

void DestroyWindows() {
  g_form1.reset();
  g_form2.reset();
}
