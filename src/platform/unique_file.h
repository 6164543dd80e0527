// New files named by the date and time that never take the place of an earlier one.
#pragma once
#include <ctime>
#include <functional>
#include <optional>
#include <string>

namespace platform {

// What making a file under one name came to.
enum class Claim { Made, Taken, Failed };

// Makes a file in folder named "<stem>-YYYYMMDD-HHMMSS<extension>" of the local time when, with
// "-2", "-3", ... added while make finds the name taken. The path made, or nothing when make
// fails otherwise or every name is taken.
std::optional<std::string> MakeUniqueFile(const std::string& folder, const std::string& stem,
                                          std::time_t when, const std::string& extension,
                                          const std::function<Claim(const std::string&)>& make);

}  // namespace platform
