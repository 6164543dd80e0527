#pragma once
#include "platform/toolkit/window.h"

// The two windows of the program, built from their stored definitions.
platform::Form& Form1();  // the main window
platform::Form& Form2();  // the launcher

// Builds both windows and attaches their stored pictures; DestroyWindows removes them.
void CreateWindows();
void DestroyWindows();
