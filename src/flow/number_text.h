#pragma once
#include <string>

// The padded number text: a leading blank when the number is not negative, the minus sign
// otherwise (8 -> " 8", -15000 -> "-15000"). Labels and log lines join literals with these.
std::string PaddedNumber(long long value);

// The same without the blank (8 -> "8", -15000 -> "-15000").
std::string BareNumber(long long value);
