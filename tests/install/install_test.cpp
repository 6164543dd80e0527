#include "support/script_test.h"

// cmake --install into a temporary prefix, and the installed game started from its launcher
// with its folder not writable: the record goes to the player's data folder (see
// install_game.sh).
TEST(Installation, InstalledGameKeepsItsRecordInTheUsersDataFolder) {
  RunScriptTest("install/install_game.sh", "install-work");
}
