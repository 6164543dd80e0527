#pragma once
// UTF-8 and the UTF-16 of the Windows calls.
#include <string>
#include <string_view>

namespace platform {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

}  // namespace platform
