#include "lib/texts/texts.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TextId Id(int i) { return static_cast<TextId>(i); }
constexpr int kCount = static_cast<int>(TextId::kCount);

bool IsFilter(TextId id) {
  return id == TextId::kCfgFilter || id == TextId::kSoundFontFilter || id == TextId::kSoundfontsFilter;
}

// A filter's strings up to the empty one that ends it.
std::vector<std::string> FilterParts(const char *filter) {
  std::vector<std::string> parts;
  for (const char *at = filter; *at; at += parts.back().size() + 1) parts.emplace_back(at);
  return parts;
}

TEST(Texts, OnlyCodePage932IsJapanese) {
  EXPECT_EQ(LanguageOfCodePage(932), Language::kJapanese);
  for (unsigned other : {0u, 437u, 936u, 949u, 950u, 1252u, 20932u, 65001u})
    EXPECT_EQ(LanguageOfCodePage(other), Language::kEnglish) << other;
}

// English texts go through the ANSI functions of any code page, so they
// must be 7-bit ASCII, printable, and say something.
TEST(Texts, EveryEnglishTextIsPrintableAscii) {
  for (int i = 0; i < kCount; ++i) {
    std::vector<std::string> parts = IsFilter(Id(i))
                                         ? FilterParts(TextIn(Language::kEnglish, Id(i)))
                                         : std::vector<std::string>{TextIn(Language::kEnglish, Id(i))};
    for (const std::string &part : parts) {
      EXPECT_FALSE(part.empty()) << i;
      for (char c : part) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << i << ": " << part;
    }
  }
}

TEST(Texts, EveryJapaneseTextSaysSomething) {
  for (int i = 0; i < kCount; ++i) EXPECT_STRNE(TextIn(Language::kJapanese, Id(i)), "") << i;
}

// A file name is a name in either language.
TEST(Texts, TheEditorTabIsNamedAfterItsFileInBothLanguages) {
  EXPECT_STREQ(TextIn(Language::kJapanese, TextId::kTabEditor), "orvane.cfg");
  EXPECT_STREQ(TextIn(Language::kEnglish, TextId::kTabEditor), "orvane.cfg");
}

// A filter's patterns choose the files; only its descriptions are words.
TEST(Texts, FiltersPairADescriptionWithTheSamePatternInBothLanguages) {
  for (TextId id : {TextId::kCfgFilter, TextId::kSoundFontFilter, TextId::kSoundfontsFilter}) {
    std::vector<std::string> japanese = FilterParts(TextIn(Language::kJapanese, id));
    std::vector<std::string> english = FilterParts(TextIn(Language::kEnglish, id));
    ASSERT_EQ(japanese.size(), english.size());
    ASSERT_EQ(japanese.size() % 2, 0u);
    for (size_t i = 1; i < japanese.size(); i += 2) {
      EXPECT_EQ(japanese[i], english[i]);
      EXPECT_NE(japanese[i].find("*."), std::string::npos);
    }
  }
}

}  // namespace
