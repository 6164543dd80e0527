#include "shell/settings_file.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>

#include "flow/game_state.h"
#include "platform/files.h"
#include "platform/text_encoding.h"
#include "shell/data_paths.h"

namespace {

constexpr const char* kHeader = "(C)2000 VOREN [KZV 設定ファイル]";
constexpr uint8_t kDefaultVeteran = 0;
constexpr int32_t kDefaultRecordReward = 150000;
constexpr const char* kDefaultRecordHolder = "日向 澄香";
constexpr uint8_t kDefaultSoundOn = 1;

// Characters CP932 lacks but whose look-alike it holds, as Japanese input methods type them.
struct LookAlike {
  const char* typed;
  const char* stored;
};
constexpr LookAlike kLookAlikes[] = {
    {"\"", "＂"}, {"〜", "～"}, {"−", "－"}, {"‖", "∥"}, {"¢", "￠"}, {"£", "￡"}, {"¬", "￢"},
};

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Writes the two records at path; one warning on stderr when the file cannot be written.
bool WriteRecords(const std::string& path, uint8_t veteranField, int32_t reward,
                  const std::string& holder, uint8_t soundOn) {
  std::string values = std::to_string(veteranField) + "," + std::to_string(reward) + "," +
                       Quoted(SanitizeRecordName(holder)) + "," + std::to_string(soundOn);
  std::string text = Quoted(kHeader) + "\r\n" + values + "\r\n";
  std::optional<std::string> bytes = platform::Utf8ToCp932(text);
  if (bytes && platform::WriteFileAtomically(path, *bytes)) return true;
  std::fprintf(stderr, "K.Z.V: cannot write the settings file %s; the record is kept only until "
               "the game ends\n", path.c_str());
  return false;
}

// The reader of the settings file's fields: one field after another across both lines.
class FieldReader {
 public:
  explicit FieldReader(std::string bytes) : bytes_(std::move(bytes)) {}

  // The next field's raw bytes, or nothing at the end of the file.
  std::optional<std::string> Next() {
    while (pos_ < bytes_.size() && bytes_[pos_] == ' ') ++pos_;
    if (pos_ >= bytes_.size()) return std::nullopt;
    std::string field;
    if (bytes_[pos_] == '"') {
      size_t close = bytes_.find('"', pos_ + 1);
      if (close == std::string::npos) close = bytes_.size();
      field = bytes_.substr(pos_ + 1, close - pos_ - 1);
      pos_ = close + 1;
      while (pos_ < bytes_.size() && bytes_[pos_] == ' ') ++pos_;
    } else {
      size_t end = bytes_.find_first_of(",\r\n", pos_);
      if (end == std::string::npos) end = bytes_.size();
      field = bytes_.substr(pos_, end - pos_);
      while (!field.empty() && field.back() == ' ') field.pop_back();
      pos_ = end;
    }
    // The field's end: a comma, or the line's end.
    if (pos_ < bytes_.size() && bytes_[pos_] == ',') {
      ++pos_;
    } else {
      if (pos_ < bytes_.size() && bytes_[pos_] == '\r') ++pos_;
      if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
    }
    return field;
  }

 private:
  std::string bytes_;
  size_t pos_ = 0;
};

// A whole decimal number within [low, high], or nothing.
std::optional<int64_t> Number(const std::optional<std::string>& field, int64_t low, int64_t high) {
  if (!field || field->empty()) return std::nullopt;
  const char* begin = field->data();
  const char* end = begin + field->size();
  if (*begin == '+') ++begin;
  int64_t value = 0;
  auto [stop, error] = std::from_chars(begin, end, value);
  if (error != std::errc() || stop != end || value < low || value > high) return std::nullopt;
  return value;
}

}  // namespace

bool CreateDefaultSettings() {
  return WriteRecords(G.SavePath, kDefaultVeteran, kDefaultRecordReward, kDefaultRecordHolder,
                      kDefaultSoundOn);
}

bool SaveSettings() {
  if (!FilePresent(G.SavePath)) return false;
  // Every save marks the player as one who has played before.
  return WriteRecords(ExistingPath(G.SavePath), 1, G.RecordReward, G.RecordHolder, G.SoundOn);
}

void ReadSettings() {
  FieldReader reader(platform::ReadWholeFile(ExistingPath(G.SavePath)).value_or(""));
  std::optional<std::string> header = reader.Next();
  G.SaveHeader = header ? platform::Cp932ToUtf8(*header).value_or("") : "";

  constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
  constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();
  G.Veteran = uint8_t(Number(reader.Next(), 0, 255).value_or(kDefaultVeteran));
  G.RecordReward = int32_t(Number(reader.Next(), kInt32Min, kInt32Max).value_or(kDefaultRecordReward));
  std::optional<std::string> holder = reader.Next();
  std::optional<std::string> holderText = holder ? platform::Cp932ToUtf8(*holder) : std::nullopt;
  G.RecordHolder = holderText ? SanitizeRecordName(*holderText) : kDefaultRecordHolder;
  G.SoundOn = uint8_t(Number(reader.Next(), 0, 255).value_or(kDefaultSoundOn));
}

std::string SanitizeRecordName(std::string_view typed) {
  std::string out;
  for (std::string_view ch : platform::SplitUtf8Characters(typed)) {
    std::string_view kept = ch;
    for (const LookAlike& l : kLookAlikes)
      if (ch == l.typed) kept = l.stored;
    if (kept.size() == 1 && (uint8_t(kept[0]) < 0x20 || kept[0] == 0x7F)) continue;
    if (!platform::Utf8ToCp932(kept)) continue;  // CP932 cannot hold it
    out += kept;
  }
  return out;
}
