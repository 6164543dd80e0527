// The game's language set in every place that shows or speaks it.
#include "shell/language_choice.h"

#include "language/language.h"

bool ChooseLanguage(std::string_view code) {
  if (!SetLanguage(code)) return false;
  return true;
}
