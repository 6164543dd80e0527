#pragma once

// Loads the ten pictures of the main window and the nineteen waves, in the fixed order; the
// first file that is missing (or cannot be decoded) stops the program.
void LoadResources();
