#include "shell/settings_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <set>
#include <vector>

#include "flow/game_state.h"
#include "platform/files.h"
#include "platform/cp932.h"
#include "platform/text/utf8.h"
#include "platform/warning.h"
#include "shell/data_paths.h"

namespace {

// The file this run could not read: the record it holds never reached the game, so saving the
// game's values over it would lose it.
std::string g_unreadFile;
// Warnings that are given once a run however often their cause is met.

void Warn(const std::string& text) { platform::Warn(text); }

void WarnUnreadable(const std::string& path) {
  Warn("cannot read the settings file " + path +
       "; the game starts with the default record and leaves the file as it is");
}

std::string NumberText(int64_t value) {
  return std::to_string(value);
}

// Both records as the file holds them, in CP932. The name is made safe first, so that the
// quotes stay the only ones on the line and every character has a code.
bool WriteSettings(const std::string& path, int64_t veteran, int64_t reward,
                   const std::string& holder, int64_t soundOn) {
  std::string text = std::string("\"") + kSettingsHeader + "\"\r\n" + NumberText(veteran) + "," +
                     NumberText(reward) + ",\"" + SanitizeRecordName(holder) + "\"," +
                     NumberText(soundOn) + "\r\n";
  std::optional<std::string> bytes = platform::Utf8ToCp932(text);
  if (!bytes || !platform::WriteFileAtomically(path, *bytes)) {
    Warn("cannot write the settings file " + path +
         "; the game goes on with the values it has, unsaved");
    return false;
  }
  return true;
}

// Takes the fields of the file one after another, the way the game always read it: spaces
// before a field are skipped; a field in double quotes runs to the next double quote (to the end
// of its line when no quote follows at all), and what
// follows it up to the next comma or line end is passed over; any other field ends at a comma or
// a line end (CR LF, CR or LF), without the spaces at its end. A line end ends a field just as a
// comma does. CP932 never uses the bytes of quote, comma, space, CR or LF inside a character,
// so the raw bytes can be split before they are decoded.
class FieldReader {
 public:
  explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

  // The next field's bytes, or nothing at the end of the file.
  std::optional<std::string> Next() {
    while (pos_ < bytes_.size() && bytes_[pos_] == ' ') ++pos_;
    if (pos_ >= bytes_.size()) return std::nullopt;
    std::string field;
    if (bytes_[pos_] == '"') {
      size_t close = bytes_.find('"', pos_ + 1);
      if (close != std::string_view::npos) {
        field = std::string(bytes_.substr(pos_ + 1, close - pos_ - 1));
        pos_ = close + 1;
      } else {
        // Without a closing quote anywhere, the field is cut at the end of its line.
        size_t lineEnd = std::min(bytes_.find_first_of("\r\n", pos_), bytes_.size());
        field = std::string(bytes_.substr(pos_ + 1, lineEnd - pos_ - 1));
        pos_ = lineEnd;
      }
      SkipToDelimiter();
    } else {
      size_t start = pos_;
      SkipToDelimiter();
      field = std::string(bytes_.substr(start, end_ - start));
      while (!field.empty() && field.back() == ' ') field.pop_back();
    }
    return field;
  }

 private:
  // Moves past the next comma or line end; end_ is where the field's text stopped.
  void SkipToDelimiter() {
    while (pos_ < bytes_.size() && bytes_[pos_] != ',' && bytes_[pos_] != '\r' &&
           bytes_[pos_] != '\n') {
      ++pos_;
    }
    end_ = std::min(pos_, bytes_.size());
    if (pos_ >= bytes_.size()) return;
    if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
  }

  std::string_view bytes_;
  size_t pos_ = 0;
  size_t end_ = 0;
};

// A decimal number (an optional sign and digits only) within [low, high].
std::optional<int64_t> ReadNumber(const std::optional<std::string>& field, int64_t low,
                                  int64_t high) {
  if (!field || field->empty()) return std::nullopt;
  size_t i = 0;
  bool negative = false;
  if ((*field)[0] == '-' || (*field)[0] == '+') {
    negative = (*field)[0] == '-';
    i = 1;
  }
  if (i == field->size()) return std::nullopt;
  int64_t value = 0;
  for (; i < field->size(); ++i) {
    char c = (*field)[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > (int64_t(1) << 40)) return std::nullopt;  // far beyond any field's range
  }
  if (negative) value = -value;
  if (value < low || value > high) return std::nullopt;
  return value;
}

std::optional<std::string> ReadText(const std::optional<std::string>& field) {
  if (!field) return std::nullopt;
  return platform::Cp932ToUtf8(*field);
}

bool IsControl(uint32_t cp) {
  return cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp < 0xA0);
}


}  // namespace

bool CreateDefaultSettings() {
  return WriteSettings(G.SavePath, kDefaultVeteran, kDefaultRecordReward, kDefaultRecordHolder,
                       kDefaultSoundOn);
}

bool CreateSettingsFile() {
  if (platform::KindOf(G.SavePath) == platform::PathKind::Other) {
    Warn(G.SavePath + " is not a regular file; it is left alone and the record is not saved");
    return false;
  }
  const std::string besideProgram = AppDirWithSeparator() + "save.dat";
  if (G.SavePath == besideProgram || !FilePresent(besideProgram)) return CreateDefaultSettings();
  const std::string source = ExistingPath(besideProgram);
  std::optional<std::string> bytes = platform::ReadWholeFile(source);
  if (!bytes) {
    // Without a copy the player's own file stays absent, so no save replaces that record.
    WarnUnreadable(source);
    return false;
  }
  if (!platform::WriteFileAtomically(G.SavePath, *bytes)) {
    Warn("cannot write the settings file " + G.SavePath +
         "; the game goes on with the values it has, unsaved");
    return false;
  }
  return true;
}

bool SaveSettings() {
  if (!FilePresent(G.SavePath)) return false;
  const std::string path = ExistingPath(G.SavePath);
  if (path == g_unreadFile) return false;
  if (!platform::FileWritable(path)) {
    platform::WarnOnce("the settings file " + path + " is read-only; the record is not saved");
    return false;
  }
  // Every save marks the player as one who has been here before.
  return WriteSettings(path, 1, G.RecordReward, G.RecordHolder, G.SoundOn);
}

void ReadSettings() {
  G.Veteran = kDefaultVeteran;
  G.RecordReward = kDefaultRecordReward;
  G.RecordHolder = kDefaultRecordHolder;
  G.SoundOn = kDefaultSoundOn;
  if (!FilePresent(G.SavePath)) return;
  std::string path = ExistingPath(G.SavePath);
  std::optional<std::string> bytes = platform::ReadWholeFile(path);
  if (!bytes) {
    WarnUnreadable(path);
    g_unreadFile = path;
    return;
  }
  FieldReader fields(*bytes);
  std::vector<std::string> unreadable;
  if (auto header = ReadText(fields.Next())) {
    G.SaveHeader = *header;
  } else {
    G.SaveHeader.clear();  // never compared nor shown; nothing to fall back to
  }
  if (auto v = ReadNumber(fields.Next(), 0, 255)) {
    G.Veteran = uint8_t(*v);
  } else {
    unreadable.push_back("Veteran");
  }
  if (auto v = ReadNumber(fields.Next(), INT32_MIN, INT32_MAX)) {
    G.RecordReward = int32_t(*v);
  } else {
    unreadable.push_back("RecordReward");
  }
  // The name as the name entry would have let it through. An empty one would leave nothing in
  // the result screen's name box for Enter to take.
  std::optional<std::string> name = ReadText(fields.Next());
  if (name) name = SanitizeRecordName(*name);
  if (name && !name->empty()) {
    G.RecordHolder = *name;
  } else {
    unreadable.push_back("RecordHolder");
  }
  if (auto v = ReadNumber(fields.Next(), 0, 255)) {
    G.SoundOn = uint8_t(*v);
  } else {
    unreadable.push_back("SoundOn");
  }
  if (!unreadable.empty()) {
    std::string list;
    for (const auto& name : unreadable) list += (list.empty() ? "" : ", ") + name;
    Warn("the settings file " + path + " holds no readable " + list +
         "; the default is used for it (the file stays as it is until the next save)");
  }
}

void ResetSettingsFileState() {
  g_unreadFile.clear();
  platform::ForgetWarnedOnce();
}

std::string SanitizeRecordName(std::string_view typed) {
  std::string clean;
  for (std::string_view ch : platform::SplitUtf8Characters(typed)) {
    if (ch.size() == 1 && uint8_t(ch[0]) >= 0x80) continue;  // not UTF-8
    if (ch == "\"") {
      clean += "＂";
      continue;
    }
    if (IsControl(platform::Utf8CodePoint(ch))) continue;
    std::optional<std::string> code = platform::Utf8ToCp932(ch);
    if (!code) continue;
    // What the file gives back for this character is what the player should see.
    if (std::optional<std::string> back = platform::Cp932ToUtf8(*code)) clean += *back;
  }
  return clean;
}
