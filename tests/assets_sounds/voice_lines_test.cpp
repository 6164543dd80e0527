// The table of the commander's lines that the generator speaks.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sound_file_reader.h"

namespace {

struct Line {
  std::string file, slot, text, kana;
};

std::vector<Line> ReadTable() {
  std::ifstream in(std::string(KZV_SOURCE_DIR) + "/assets/sounds/voice_lines.tsv");
  std::vector<Line> lines;
  std::string row;
  while (std::getline(in, row)) {
    if (row.empty() || row[0] == '#') continue;
    std::istringstream fields(row);
    Line l;
    std::getline(fields, l.file, '\t');
    std::getline(fields, l.slot, '\t');
    std::getline(fields, l.text, '\t');
    std::getline(fields, l.kana, '\t');
    lines.push_back(l);
  }
  return lines;
}

TEST(VoiceLines, CoverEverySlotTheGamePlays) {
  // Slot n plays file "opr" + (n - 10) + ".wav", for slots 20..30.
  const auto lines = ReadTable();
  ASSERT_EQ(lines.size(), 11u);
  for (size_t i = 0; i < lines.size(); ++i) {
    const int slot = 20 + static_cast<int>(i);
    EXPECT_EQ(lines[i].slot, std::to_string(slot));
    EXPECT_EQ(lines[i].file, "opr" + std::to_string(slot - 10) + ".wav");
    EXPECT_FALSE(lines[i].text.empty());
    EXPECT_FALSE(lines[i].kana.empty());
  }
}

TEST(VoiceLines, AreAllReadAsJapaneseByTheSynthesiser) {
  // espeak-ng spells out what its Japanese voice cannot read (kanji, some signs) as English
  // "letter" names; its phoneme listing shows that as a switch to "(en)".
  if (!sound_check::ProgramAvailable("espeak-ng")) GTEST_SKIP() << "espeak-ng is not installed";
  for (const Line& line : ReadTable()) {
    const std::string command = "espeak-ng -v ja -q -x '" + line.kana + "' 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string phonemes;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) phonemes += buffer;
    pclose(pipe);
    EXPECT_FALSE(phonemes.empty()) << line.file;
    EXPECT_EQ(phonemes.find("(en)"), std::string::npos) << line.file << ": " << phonemes;
  }
}

}  // namespace
