#pragma once
#include <functional>
#include <string>

namespace platform {

// A modal message box with the title, the text, an OK button and the stop icon. The text is
// always written to stderr as well, as one line with the detail (the cause in plain words, for
// the terminal only) after it; the host that runs the program shows the box and waits until
// it is closed (the SDL host), or records it (the script host).
void ShowMessageBox(const std::string& title, const std::string& text,
                    const std::string& detail = "");

// The hosts install how a box is shown; without one only stderr gets the text.
void SetMessageBoxHandler(std::function<void(const std::string&, const std::string&)> handler);

}  // namespace platform
