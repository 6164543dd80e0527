#pragma once

// The start-up window Form2: its load checks for the sound library, initialises it, fixes the
// settings file's path and loads the music; its timer hands over to the main window on the
// tenth tick.
void Launcher_Load();
void timm_Timer();
