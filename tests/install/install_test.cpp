#include "support/script_test.h"

// The Debian package built from this build folder: its fields and files, lintian, and the game
// unpacked from it started from its launcher, which keeps its record in the player's data folder
// (see package_game.sh).
TEST(Installation, PackagedGameKeepsItsRecordInTheUsersDataFolder) {
  RunScriptTest("install/package_game.sh", "install-work");
}
