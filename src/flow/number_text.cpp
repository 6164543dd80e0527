#include "flow/number_text.h"

std::string PaddedNumber(long long value) {
  if (value < 0) return std::to_string(value);
  return " " + std::to_string(value);
}

std::string BareNumber(long long value) { return std::to_string(value); }
