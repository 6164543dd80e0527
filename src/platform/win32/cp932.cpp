// CP932 to UTF-8 and back through code page 932, without best-fit guesses: a character the
// code page has no code for fails the conversion rather than turning into another one.
#include <windows.h>

#include "platform/cp932.h"
#include "platform/win32/wide.h"

namespace platform {
namespace {

// The UTF-16 of valid UTF-8 only (the strict flag fails on any bad byte).
std::optional<std::wstring> StrictWiden(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return std::wstring();
  const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()),
                                    nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring out(size_t(n), L'\0');
  MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), out.data(), n);
  return out;
}

}  // namespace

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  std::optional<std::wstring> wide = StrictWiden(CP_UTF8, utf8);
  if (!wide) return std::nullopt;
  if (wide->empty()) return std::string();
  BOOL lost = FALSE;
  const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide->data(), int(wide->size()),
                                    nullptr, 0, nullptr, &lost);
  if (n <= 0 || lost) return std::nullopt;
  std::string out(size_t(n), '\0');
  WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide->data(), int(wide->size()), out.data(), n,
                      nullptr, &lost);
  if (lost) return std::nullopt;
  return out;
}

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
  std::optional<std::wstring> wide = StrictWiden(932, cp932);
  if (!wide) return std::nullopt;
  return Narrow(*wide);
}

}  // namespace platform
