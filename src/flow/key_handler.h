#pragma once

// The main window's key-down handler: every key of the game arrives here, whichever control
// has the focus. What a key does depends on GameMode at the moment it arrives.
void Form_KeyDown(int key, int mask);

// A key as play and the title menu read it: the numeric keypad's 8, 4, 6 and 2 stand for the
// arrows; every other key is itself.
int WithKeypadArrows(int key);

enum class CursorStep { Left, Up, Right, Down };

// One step of the cursor; near the edge of the visible window the view scrolls instead, until
// the view reaches the end of the map. Logs the cursor's window position.
void MoveCursor(CursorStep step);

// The fire key during play: resolves one shot when the gun is charged, moves the shot gauge
// and ends the mission after the last shot.
void FireShot();

// The overview frame and the two position labels, from the view and the cursor.
void RefreshPositionDisplay();
