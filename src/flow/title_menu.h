#pragma once

// The title screen between missions: a three-item menu (0 briefing, 1 help, 2 start a mission)
// moved with Up and Down and confirmed with Shift, the 'S' sound switch and Escape.
void TitleKeyDown(int key);

constexpr int kMenuBriefing = 0, kMenuHelp = 1, kMenuStart = 2;
constexpr int kMenuItems = 3;

// Shows the highlight `pa` on the menu item G.MenuChoice alone.
void HighlightMenuChoice();

// Loads "page<n>.mcg" from the data folder into the picture box `page`; a missing file stops
// the program. The visibility of `page` is left as it is.
void ShowPage(int page);

// The 'S' key: does what a click on the SOUND panel does (sound effects and music on or off,
// saved when the settings file exists).
void ToggleSoundKey();

// Builds a new world behind the loading page and enters play.
void StartMission();
