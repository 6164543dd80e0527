#include "sim_json.h"

#include <cstdio>

namespace sim {

std::string Line(const Json& answer) {
  return answer.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string Colour(uint32_t rgb) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%06X", rgb & 0xFFFFFF);
  return buf;
}

}  // namespace sim
