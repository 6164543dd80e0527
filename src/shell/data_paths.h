#pragma once
#include <string>

// Where the game's files lie: "Stools.dll" and "save.dat" beside the program, everything else
// in its "data" folder.

// The application directory with exactly one separator at its end.
std::string AppDirWithSeparator();

// The folder of the settings file, with a separator at its end: the application directory, or,
// when the game is installed or cannot write there, the user's data folder for it.
std::string SaveFolderWithSeparator();

// Sets G.MissingFile to the bare name and G.FilePath to the application directory + "data" +
// the name, with the native separator.
void BuildDataPath(const std::string& name);

// True when a regular file is found at the path, written as it is or in another letter case.
bool FilePresent(const std::string& path);

// The path to open for an existing file (its real spelling on disk), or the path unchanged.
std::string ExistingPath(const std::string& path);

// "ファイル【<G.MissingFile>】が存在しません。" (in the game's language) in a box titled "K.Z.V",
// then the program ends.
[[noreturn]] void StopOnMissingFile();

// The same stop for a file that is present but cannot be read:
// "ファイル【<G.MissingFile>】を読み込めません。"
[[noreturn]] void StopOnUnreadableFile();
