#pragma once
#include <functional>
#include <string>

namespace platform {

// A modal message box with the title, the text, an OK button and the error icon. The text is
// always written to stderr as well; the host that runs the program shows the box and waits
// until it is closed (the SDL host), or records it (the script host).
void ShowMessageBox(const std::string& title, const std::string& text);

// The hosts install how a box is shown; without one only stderr gets the text.
void SetMessageBoxHandler(std::function<void(const std::string&, const std::string&)> handler);

}  // namespace platform
