// Files and folders on POSIX.
#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <vector>
#include <strings.h>

namespace platform {

const char kPathSeparator = '/';

namespace {

std::string g_appDir;

bool IsRegular(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The entry of dir whose name equals name ignoring ASCII case, preferring an exact match.
std::optional<std::string> MatchEntry(const std::string& dir, const std::string& name) {
  if (name.empty() || name == "." || name == "..") return name;
  DIR* d = opendir(dir.empty() ? "/" : dir.c_str());
  if (!d) return std::nullopt;
  std::optional<std::string> found;
  while (dirent* e = readdir(d)) {
    if (name == e->d_name) {
      found = name;
      break;
    }
    if (!found && strcasecmp(name.c_str(), e->d_name) == 0) found = std::string(e->d_name);
  }
  closedir(d);
  return found;
}

// Temporary files of path left by saves that were cut off (a killed program) before their
// rename. Each carries its writer's process id; one whose writer is gone can never be renamed
// into place. A writer that is still running (another copy of the game) keeps its own.
void RemoveStaleTemporaries(const std::string& path) {
  const std::filesystem::path target(path);
  const std::string dir = target.has_parent_path() ? target.parent_path().string() : ".";
  const std::string prefix = target.filename().string() + ".tmp.";
  DIR* d = opendir(dir.c_str());
  if (!d) return;
  std::vector<std::string> stale;
  while (dirent* e = readdir(d)) {
    std::string_view name = e->d_name;
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) continue;
    std::string_view digits = name.substr(prefix.size());
    if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string_view::npos)
      continue;
    pid_t writer = pid_t(std::stol(std::string(digits)));
    if (writer <= 0 || writer == ::getpid()) continue;
    if (::kill(writer, 0) == 0 || errno != ESRCH) continue;
    stale.emplace_back(name);
  }
  closedir(d);
  for (const std::string& name : stale) ::unlink((dir + kPathSeparator + name).c_str());
}

// The file a path finally names: each symbolic link replaced by its target (relative targets
// taken from the link's own folder). A path that is no link, or a chain too long to be real,
// stays as it is.
std::string FollowLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::error_code ec;
    std::filesystem::path target = std::filesystem::read_symlink(path, ec);
    if (ec) return path;
    if (target.is_relative()) target = std::filesystem::path(path).parent_path() / target;
    path = target.string();
  }
  return path;
}

}  // namespace

std::string AppDir() {
  if (!g_appDir.empty()) return g_appDir;
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return ".";
  return exe.parent_path().string();
}

void SetAppDir(const std::string& dir) {
  g_appDir = dir;
  while (g_appDir.size() > 1 && g_appDir.back() == kPathSeparator) g_appDir.pop_back();
}

bool DirectoryWritable(const std::string& dir) {
  return IsDirectory(dir) && ::access(dir.c_str(), W_OK | X_OK) == 0;
}

namespace {

// XDG_PICTURES_DIR="$HOME/Pictures" as xdg-user-dirs writes it.
std::string PicturesFolderFromUserDirs() {
  const char* home = std::getenv("HOME");
  if (!home || !*home) return "";
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string file =
      (config && *config == '/' ? std::string(config) : std::string(home) + "/.config") +
      "/user-dirs.dirs";
  std::ifstream in(file);
  const std::string key = "XDG_PICTURES_DIR=\"";
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(key, 0) != 0 || line.back() != '"') continue;
    std::string dir = line.substr(key.size(), line.size() - key.size() - 1);
    if (dir.rfind("$HOME", 0) == 0) dir = home + dir.substr(5);
    return dir;
  }
  return "";
}

std::string DataFolderBase() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') return xdg;
  if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.local/share";
  return "";
}

// An absolute folder, made when missing.
bool UsableFolder(const std::string& dir) {
  if (dir.empty() || dir[0] != '/') return false;
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  return IsDirectory(dir);
}

}  // namespace

std::optional<std::string> UserFolderPath(UserFolder kind) {
  if (kind == UserFolder::Data) {
    std::string base = DataFolderBase();
    if (!base.empty() && UsableFolder(base + "/kzv")) return base + "/kzv";
    return std::nullopt;
  }
  if (const char* env = std::getenv("XDG_PICTURES_DIR"); env && UsableFolder(env)) return env;
  if (std::string dir = PicturesFolderFromUserDirs(); UsableFolder(dir)) return dir;
  return std::nullopt;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty() || dir.back() == kPathSeparator) return dir + name;
  return dir + kPathSeparator + name;
}

bool PathExists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

std::string LocalTimeStamp(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

std::optional<std::string> FindRegularFile(const std::string& path) {
  if (path.empty()) return std::nullopt;
  if (IsRegular(path)) return path;
  // Walk the path component by component, matching each one ignoring case.
  std::string resolved;
  size_t pos = 0;
  if (path[0] == kPathSeparator) {
    resolved = "/";
    pos = 1;
  }
  while (pos <= path.size()) {
    size_t next = path.find(kPathSeparator, pos);
    if (next == std::string::npos) next = path.size();
    std::string part = path.substr(pos, next - pos);
    pos = next + 1;
    if (part.empty()) continue;
    std::string dir = resolved.empty() ? "." : resolved;
    if (!IsDirectory(dir)) return std::nullopt;
    auto match = MatchEntry(dir, part);
    if (!match) return std::nullopt;
    if (!resolved.empty() && resolved.back() != kPathSeparator) resolved += kPathSeparator;
    resolved += *match;
  }
  if (IsRegular(resolved)) return resolved;
  return std::nullopt;
}

PathKind KindOf(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return PathKind::Nothing;
  return S_ISREG(st.st_mode) ? PathKind::RegularFile : PathKind::Other;
}

bool FileWritable(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0222) != 0 &&
         ::access(path.c_str(), W_OK) == 0;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  // Without O_NONBLOCK the open of a named pipe would wait for a writer that never comes.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::string out;
  char buf[65536];
  bool ok = true;
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0) {
      out.append(buf, size_t(n));
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      ok = false;
      break;
    }
  }
  ::close(fd);
  if (!ok) return std::nullopt;
  return out;
}

bool WriteFileAtomically(const std::string& linkOrPath, const std::string& bytes) {
  // Renaming onto a link would replace the link itself and leave the file it names as it was.
  const std::string path = FollowLinks(linkOrPath);
  // A name of this process's own: a second copy of the game saving at the same moment must not
  // truncate the temporary file this one is about to rename into place.
  std::string temp = path + ".tmp." + std::to_string(::getpid());
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      ::unlink(temp.c_str());
      return false;
    }
    done += size_t(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  RemoveStaleTemporaries(path);
  // Make the rename itself durable.
  std::string dir = std::filesystem::path(path).parent_path().string();
  int dfd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return true;
}

std::optional<uint64_t> FolderDigest(const std::string& dir) {
  std::error_code ec;
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec))
    if (IsRegular(entry.path().string())) names.push_back(entry.path().filename().string());
  if (ec) return std::nullopt;
  std::sort(names.begin(), names.end());
  // FNV-1a over each name, a separator, the content and a separator.
  uint64_t digest = 0xcbf29ce484222325ull;
  auto fold = [&](const std::string& bytes) {
    for (unsigned char c : bytes) digest = (digest ^ c) * 0x100000001b3ull;
    digest = (digest ^ 0xFF) * 0x100000001b3ull;
  };
  for (const std::string& name : names) {
    std::optional<std::string> content = ReadWholeFile(dir + kPathSeparator + name);
    if (!content) return std::nullopt;
    fold(name);
    fold(*content);
  }
  return digest;
}

}  // namespace platform
