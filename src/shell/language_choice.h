#pragma once
// Puts the game in one of its languages, texts, pictures, voices and the controller's names.
#include <string_view>

// False, and nothing changes, for a code that is no language of the game. Call it before the
// program starts: the windows, pictures and voices are taken in the language set then.
bool ChooseLanguage(std::string_view code);
