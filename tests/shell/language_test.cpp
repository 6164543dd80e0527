// Which language the desktop asks for, and the catalog's texts with their values.
#include "language/language.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(Language, TheDesktopAsksInTheOrderOfTheLocaleVariables) {
  struct Case {
    const char *kzv, *all, *messages, *lang;  // the variables KZV_LANGUAGE, LC_ALL, ... LANG
    const char* language;
  } cases[] = {
      {"", "", "", "", "ja"},   // nothing set
      {"", "", "", "C", "ja"},  // the plain C locale
      {"", "", "", "POSIX", "ja"},
      {"", "", "", "C.UTF-8", "ja"},
      {"", "", "", "en_GB.UTF-8", "en"},
      {"", "", "", "de_DE@euro", "en"},        // no German catalog: English
      {"", "", "ja_JP.UTF-8", "en_US", "ja"},  // LC_MESSAGES before LANG
      {"", "C", "en_US", "en_US", "ja"},       // LC_ALL before both
      {"", "en_US", "ja_JP", "", "en"},
      {"ja", "en_US", "", "", "ja"},  // KZV_LANGUAGE before the locale
      {"en", "", "", "ja_JP", "en"},
      {"xx", "", "", "fr_FR", "en"},  // not a language of the game: the locale decides
  };
  for (const Case& c : cases) {
    const char* values[] = {c.kzv, c.all, c.messages, c.lang};
    const char* names[] = {"KZV_LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    for (int i = 0; i < 4; ++i) *values[i] ? setenv(names[i], values[i], 1) : unsetenv(names[i]);
    EXPECT_EQ(DesktopLanguage(), c.language)
        << c.kzv << "|" << c.all << "|" << c.messages << "|" << c.lang;
  }
  for (const char* name : {"KZV_LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) unsetenv(name);
}

TEST(Language, TextsComeFromTheCatalogWithTheirValuesInPlace) {
  EXPECT_EQ(TrFormat("：+%s円", {"1050"}), "：+1050円");
  EXPECT_FALSE(SetLanguage("xx"));
  ASSERT_TRUE(SetLanguage("en"));
  EXPECT_EQ(Tr("一般市民"), "Citizen");
  EXPECT_EQ(TrFormat("最高報酬者記録： スナイパー%s：%s円", {"Sniper", "150000"}),
            "Best reward on record: Sniper Sniper: ¥150000");
  EXPECT_EQ(Tr("a text of no catalog"), "a text of no catalog");
  SetLanguage("ja");
  EXPECT_EQ(Tr("一般市民"), "一般市民");
}

}  // namespace
