#pragma once
#include <string>

// The nine-line console log `sarch` (line 0 on top, newest): the one way to write a line.
// Older lines scroll down one place and the oldest (line 8) drops out. The colours stay with
// the line positions, so a message fades as it moves down.
void PushLogMessage(const std::string& text);
