// Files and folders: what the core asks of the system's file system (one backend a system).
#pragma once
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace platform {

// The native path separator ('/'; '\\' on Windows), defined by the system backend.
extern const char kPathSeparator;

// The program's own directory (the folder of the executable), without a trailing separator
// unless it is the root. SetAppDir overrides it (the headless driver's --app-dir).
std::string AppDir();
void SetAppDir(const std::string& dir);

// True when files can be created in the directory.
bool DirectoryWritable(const std::string& dir);

// The user's own folders, created when missing: Data the game's data folder ($XDG_DATA_HOME/kzv,
// else ~/.local/share/kzv; on Windows %APPDATA%\K.Z.V), Pictures the player's pictures folder
// ($XDG_PICTURES_DIR, else the one ~/.config/user-dirs.dirs names; on Windows the Pictures
// folder). Nothing when it can be neither found nor made.
enum class UserFolder { Data, Pictures };
std::optional<std::string> UserFolderPath(UserFolder kind);

// A folder and a name in it, joined by one separator.
std::string JoinPath(const std::string& dir, const std::string& name);

// True when something (a file, a folder, ...) stands at the path.
bool PathExists(const std::string& path);

// The local date and time of `when` as the game's file names carry it: "20261207-221530".
std::string LocalTimeStamp(std::time_t when);

// The path of an existing regular file: the path as written when it names one, otherwise the
// same path looked up again with every component matched ignoring ASCII case. A directory, a
// device or a missing file gives nothing.
std::optional<std::string> FindRegularFile(const std::string& path);

// What stands at a path, symbolic links followed: nothing, a regular file, or anything else
// (a folder, a named pipe, a device, a socket).
enum class PathKind { Nothing, RegularFile, Other };
PathKind KindOf(const std::string& path);

// True when the file may be replaced: the user may write it and it is not marked read-only for
// everyone (no write bit at all), which even an administrator's copy of the game respects.
bool FileWritable(const std::string& path);

// The whole content of a regular file, or nothing when it cannot be read. Anything else (a
// named pipe, a device) gives nothing at once: the open never waits for a writer.
std::optional<std::string> ReadWholeFile(const std::string& path);

// A digest of every regular file in the folder, names and contents, in name order; the same
// files give the same digest on every machine. Nothing when the folder cannot be read.
std::optional<uint64_t> FolderDigest(const std::string& dir);

// Writes a file so that a crash never leaves half of it: a temporary file in the same folder,
// flushed to disk, then renamed over the old one. False (and the old file untouched) on failure.
// A symbolic link is written through: its target is replaced the same way (the temporary file
// beside the target), and the link stays. A program killed during the write leaves only its
// temporary file, never read in place of the file; a later successful write removes such files
// of processes that are gone.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace platform
