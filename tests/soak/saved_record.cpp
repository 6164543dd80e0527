#include "soak/saved_record.h"

#include <charconv>
#include <string_view>

#include "platform/text_encoding.h"
#include "shell/settings_file.h"

namespace {

std::optional<int64_t> Decimal(std::string_view text) {
  int64_t v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return v;
}

}  // namespace

std::optional<SavedRecord> ParseSavedRecord(const std::string& bytes, std::string& why) {
  std::optional<std::string> text = platform::Cp932ToUtf8(bytes);
  if (!text) {
    why = "not CP932";
    return std::nullopt;
  }
  std::string_view all = *text;
  size_t firstEnd = all.find("\r\n");
  if (firstEnd == std::string_view::npos || all.size() < 2 ||
      all.substr(all.size() - 2) != "\r\n" || firstEnd + 2 == all.size()) {
    why = "not two lines ended by CR LF";
    return std::nullopt;
  }
  std::string_view header = all.substr(0, firstEnd);
  std::string_view values = all.substr(firstEnd + 2, all.size() - firstEnd - 4);
  if (values.find_first_of("\r\n") != std::string_view::npos) {
    why = "more than two lines";
    return std::nullopt;
  }
  if (header != std::string("\"") + kSettingsHeader + "\"") {
    why = "header is " + std::string(header);
    return std::nullopt;
  }
  // <Veteran>,<RecordReward>,"<RecordHolder>",<SoundOn>: the name cannot hold a double quote,
  // so the first two commas and the last one frame it.
  size_t c1 = values.find(','), c2 = c1 == std::string_view::npos ? c1 : values.find(',', c1 + 1);
  size_t c3 = values.rfind(',');
  if (c2 == std::string_view::npos || c3 <= c2 + 2 || values[c2 + 1] != '"' ||
      values[c3 - 1] != '"') {
    why = "values line is " + std::string(values);
    return std::nullopt;
  }
  SavedRecord record;
  std::optional<int64_t> veteran = Decimal(values.substr(0, c1));
  std::optional<int64_t> reward = Decimal(values.substr(c1 + 1, c2 - c1 - 1));
  std::optional<int64_t> sound = Decimal(values.substr(c3 + 1));
  record.recordHolder = std::string(values.substr(c2 + 2, c3 - c2 - 3));
  if (!veteran || !reward || !sound ||
      record.recordHolder.find('"') != std::string::npos) {
    why = "values line is " + std::string(values);
    return std::nullopt;
  }
  record.veteran = int(*veteran);
  record.recordReward = *reward;
  record.soundOn = int(*sound);
  return record;
}
