// Files, folders and atomic saves through the Windows file calls (every path is UTF-8 in the
// game and UTF-16 at the calls, so any name the file system can hold works).
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <ctime>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/win32/wide.h"

namespace platform {

const char kPathSeparator = '\\';

namespace {

std::string g_appDir;

DWORD Attributes(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()); }

bool IsDirectory(const std::string& path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsRegular(const std::string& path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

// The names of the regular files in a folder, or nothing when it cannot be listed.
std::optional<std::vector<std::string>> FileNames(const std::string& dir) {
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW(Widen(dir + "\\*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::vector<std::string> names;
  do {
    if (!(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
      names.push_back(Narrow(found.cFileName));
  } while (FindNextFileW(h, &found));
  FindClose(h);
  return names;
}

bool ProcessGone(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return GetLastError() == ERROR_INVALID_PARAMETER;
  DWORD code = 0;
  const bool gone = GetExitCodeProcess(process, &code) && code != STILL_ACTIVE;
  CloseHandle(process);
  return gone;
}

// Temporary files of path left by saves that were cut off (a killed program) before their
// rename. Each carries its writer's process id; one whose writer is gone can never be renamed
// into place. A writer that is still running (another copy of the game) keeps its own.
void RemoveStaleTemporaries(const std::string& path) {
  const std::string dir = FolderOf(path);
  const std::string prefix = path.substr(path.find_last_of("\\/") + 1) + ".tmp.";
  for (const std::string& name : FileNames(dir).value_or(std::vector<std::string>{})) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string digits = name.substr(prefix.size());
    if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
    const DWORD writer = DWORD(std::stoul(digits));
    if (writer == 0 || writer == GetCurrentProcessId() || !ProcessGone(writer)) continue;
    DeleteFileW(Widen(dir + "\\" + name).c_str());
  }
}

}  // namespace

std::string AppDir() {
  if (!g_appDir.empty()) return g_appDir;
  std::wstring exe(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, exe.data(), DWORD(exe.size()));
    if (n == 0) return ".";
    if (n < exe.size()) {
      exe.resize(n);
      break;
    }
    exe.resize(exe.size() * 2);
  }
  std::string dir = FolderOf(Narrow(exe));
  if (dir.size() == 2 && dir[1] == ':') dir += '\\';  // a drive root keeps its separator
  return dir;
}

void SetAppDir(const std::string& dir) {
  g_appDir = dir;
  while (g_appDir.size() > 1 && (g_appDir.back() == '\\' || g_appDir.back() == '/') &&
         !(g_appDir.size() == 3 && g_appDir[1] == ':'))
    g_appDir.pop_back();
}

bool DirectoryWritable(const std::string& dir) {
  if (!IsDirectory(dir)) return false;
  // Rights on Windows are best learnt by trying: a file that disappears when closed.
  const std::string probe = dir + "\\.kzv-probe." + std::to_string(GetCurrentProcessId());
  HANDLE h = CreateFileW(Widen(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

std::optional<std::string> UserFolderPath(UserFolder kind) {
  wchar_t* known = nullptr;
  const KNOWNFOLDERID& id = kind == UserFolder::Data ? FOLDERID_RoamingAppData : FOLDERID_Pictures;
  if (SHGetKnownFolderPath(id, KF_FLAG_CREATE, nullptr, &known) != S_OK) {
    CoTaskMemFree(known);
    return std::nullopt;
  }
  std::string dir = Narrow(known);
  CoTaskMemFree(known);
  if (kind == UserFolder::Data) {
    dir += "\\K.Z.V";
    CreateDirectoryW(Widen(dir).c_str(), nullptr);
  }
  if (!IsDirectory(dir)) return std::nullopt;
  return dir;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty() || dir.back() == '\\' || dir.back() == '/') return dir + name;
  return dir + '\\' + name;
}

bool PathExists(const std::string& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

std::string LocalTimeStamp(std::time_t when) {
  std::tm local{};
  localtime_s(&local, &when);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

// Windows itself ignores case in names, so the path as written is the only lookup needed.
std::optional<std::string> FindRegularFile(const std::string& path) {
  if (path.empty() || !IsRegular(path)) return std::nullopt;
  return path;
}

PathKind KindOf(const std::string& path) {
  if (Attributes(path) == INVALID_FILE_ATTRIBUTES) return PathKind::Nothing;
  return IsRegular(path) ? PathKind::RegularFile : PathKind::Other;
}

bool FileWritable(const std::string& path) {
  const DWORD a = Attributes(path);
  if (a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_READONLY)) return false;
  HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<std::string> out;
  if (GetFileType(h) == FILE_TYPE_DISK && !IsDirectory(path)) {
    out.emplace();
    char buf[65536];
    for (DWORD n = 0;; out->append(buf, n)) {
      if (!ReadFile(h, buf, sizeof buf, &n, nullptr)) {
        out.reset();
        break;
      }
      if (n == 0) break;
    }
  }
  CloseHandle(h);
  return out;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
  // A name of this process's own: a second copy of the game saving at the same moment must not
  // truncate the temporary file this one is about to move into place.
  const std::wstring temp = Widen(path + ".tmp." + std::to_string(GetCurrentProcessId()));
  HANDLE h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  size_t done = 0;
  bool ok = true;
  while (ok && done < bytes.size()) {
    DWORD n = 0;
    ok = WriteFile(h, bytes.data() + done, DWORD(std::min<size_t>(bytes.size() - done, 1 << 20)), &n,
                   nullptr) && n > 0;
    done += n;
  }
  ok = ok && FlushFileBuffers(h);
  ok = CloseHandle(h) && ok;
  // The move replaces the old file in one step and returns once it is on the disk.
  ok = ok && MoveFileExW(temp.c_str(), Widen(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) {
    DeleteFileW(temp.c_str());
    return false;
  }
  RemoveStaleTemporaries(path);
  return true;
}

std::optional<uint64_t> FolderDigest(const std::string& dir) {
  std::optional<std::vector<std::string>> names = FileNames(dir);
  if (!names) return std::nullopt;
  std::sort(names->begin(), names->end());
  // FNV-1a over each name, a separator, the content and a separator.
  uint64_t digest = 0xcbf29ce484222325ull;
  auto fold = [&](const std::string& bytes) {
    for (unsigned char c : bytes) digest = (digest ^ c) * 0x100000001b3ull;
    digest = (digest ^ 0xFF) * 0x100000001b3ull;
  };
  for (const std::string& name : *names) {
    std::optional<std::string> content = ReadWholeFile(dir + "\\" + name);
    if (!content) return std::nullopt;
    fold(name);
    fold(*content);
  }
  return digest;
}

}  // namespace platform
