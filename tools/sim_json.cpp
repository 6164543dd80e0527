#include "sim_json.h"

#include <cstdio>

namespace sim {
namespace {

// Length of the well-formed UTF-8 character at the start of s, or 0.
size_t CharacterLength(std::string_view s) {
  auto b = static_cast<unsigned char>(s[0]);
  size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
  if (n == 0 || n > s.size()) return 0;
  uint32_t cp = n == 1 ? b : b & (0x7F >> n);
  for (size_t i = 1; i < n; ++i) {
    auto c = static_cast<unsigned char>(s[i]);
    if ((c & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (c & 0x3F);
  }
  static constexpr uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kSmallest[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

}  // namespace

std::string Quote(std::string_view text) {
  std::string out = "\"";
  size_t i = 0;
  while (i < text.size()) {
    size_t n = CharacterLength(text.substr(i));
    if (n == 0) {
      out += "\xEF\xBF\xBD";
      ++i;
      continue;
    }
    char c = text[i];
    if (n > 1) {
      out.append(text.substr(i, n));
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned char>(c));
      out += buf;
    } else {
      out += c;
    }
    i += n;
  }
  return out + "\"";
}

std::string Colour(uint32_t rgb) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%06X", rgb & 0xFFFFFF);
  return buf;
}

Object& Object::Key(std::string_view key) {
  if (text_.size() > 1) text_ += ',';
  text_ += Quote(key);
  text_ += ':';
  return *this;
}

Object& Object::AddInt(std::string_view key, int64_t value) {
  Key(key).text_ += std::to_string(value);
  return *this;
}

Object& Object::AddBool(std::string_view key, bool value) {
  Key(key).text_ += value ? "true" : "false";
  return *this;
}

Object& Object::AddText(std::string_view key, std::string_view value) {
  Key(key).text_ += Quote(value);
  return *this;
}

Object& Object::AddRaw(std::string_view key, std::string_view json) {
  Key(key).text_ += json;
  return *this;
}

}  // namespace sim
