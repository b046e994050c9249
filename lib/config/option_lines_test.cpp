#include "lib/config/option_lines.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "lib/config/option_tables.h"

namespace {

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

TEST(OptionLines, RecognisesOptionLinesAndTheirText) {
  struct Case {
    const char *line;
    const char *option;  // null: no option line
  } cases[] = {
      {"#extension opt --volume=70", "--volume=70"},
      {"  opt --volume=70", "--volume=70"},
      {"#extensionopt--volume=70", "--volume=70"},
      {"\t#extension \t opt\t-N 7", "-N 7"},
      {"opt", ""},
      {"optional", "ional"},  // names are prefixes
      {"# extension opt --volume=70", nullptr},
      {"#extension --volume=70", nullptr},
      {"#Extension opt --volume=70", nullptr},
      {"#extension OPT --volume=70", nullptr},
      {"soundfont a.sf2", nullptr},
  };
  for (const Case &c : cases) {
    std::string_view option = "untouched";
    EXPECT_EQ(FindOptionText(c.line, &option), c.option != nullptr) << c.line;
    if (c.option) {
      EXPECT_EQ(option, c.option) << c.line;
    }
  }
}

TEST(OptionLines, ShortAndLongOptions) {
  EXPECT_TRUE(IsShortOption("-N 7"));
  EXPECT_EQ(ShortOptionValue("-N \t7"), "7");
  EXPECT_EQ(ShortOptionValue("-B"), "");
  EXPECT_FALSE(IsShortOption("--no-fast-decay"));
  EXPECT_FALSE(IsShortOption("volume=7"));
  EXPECT_FALSE(IsShortOption("-"));
}

TEST(OptionLines, SplitsLinesAsATextModeFileReadsThem) {
  EXPECT_EQ(Lines("a\r\nbb\n\n\r\nc\rd\r\r\n\r\r\nlast"),
            (std::vector<std::string>{"a", "bb", "c\rd\r", "\r", "last"}));
  // A one-character last line is a line, and a line is never cut, however long.
  EXPECT_EQ(Lines("x"), std::vector<std::string>{"x"});
  std::string longLine(5000, 'l');
  EXPECT_EQ(Lines(longLine + "\r\nnext"), (std::vector<std::string>{longLine, "next"}));
  EXPECT_EQ(Lines(std::string("n\0ul\n", 5)), std::vector<std::string>{std::string("n\0ul", 4)});
  EXPECT_TRUE(Lines("\r\n\n").empty());
}

TEST(OptionLines, ReadsDecimals) {
  struct Case {
    const char *text;
    int32_t value;
  } cases[] = {
      {"70", 70},
      {" \t-12x", -12},
      {"+7", 7},
      {"abc", 0},
      {"", 0},
      {"- 5", 0},
      {"99999999999", INT32_MAX},
      {"-99999999999", INT32_MIN},
      {"2147483647", INT32_MAX},
  };
  for (const Case &c : cases) EXPECT_EQ(ReadDecimal(c.text), c.value) << c.text;
}

TEST(OptionLines, ReadsFractions) {
  struct Case {
    const char *text;
    double value;
  } cases[] = {
      {"0.25", 0.25}, {" 1e-1x", 0.1}, {".5", 0.5}, {"5.", 5},  {"-2", -2}, {"2e", 2},   {"2e+", 2},
      {".", 0},       {"-", 0},        {"abc", 0},  {"nan", 0}, {"inf", 0}, {"0x10", 0}, {"1e999", 0},
  };
  for (const Case &c : cases) EXPECT_DOUBLE_EQ(ReadFraction(c.text), c.value) << c.text;
}

TEST(OptionLines, ChoicesSelectByIndexOrLetter) {
  struct Case {
    const char *value;
    int row;
  } cases[] = {{"3", 3}, {"3abc", 3}, {"G", 4}, {"g", 2}, {"x", -1}, {"", -1}, {"5", -1}, {"-1", -1}};
  for (const Case &c : cases) EXPECT_EQ(ChooseRow(ReverbChoices, c.value), c.row) << c.value;
  EXPECT_EQ(ChooseRow(ResampleChoices, "g"), 4);
  EXPECT_EQ(ChooseRow(ResampleChoices, "n"), 5);
}

TEST(OptionTables, CacheSizesDoubleFrom32KBTo1024MB) {
  EXPECT_EQ(CacheSizes[0].bytes, 0u);
  EXPECT_STREQ(CacheSizes[0].label, "なし");
  struct Row {
    int index;
    uint32_t bytes;
    const char *label;
  } rows[] = {{1, 32768, "32 KB"},
              {2, 65536, "64 KB"},
              {5, 524288, "512 KB"},
              {6, 1048576, "1 MB"},
              {16, 1073741824, "1024 MB"}};
  for (const Row &row : rows) {
    EXPECT_EQ(CacheSizes[row.index].bytes, row.bytes);
    EXPECT_STREQ(CacheSizes[row.index].label, row.label);
  }
  for (int i = 2; i < kCacheSizeCount; ++i) EXPECT_EQ(CacheSizes[i].bytes, 2 * CacheSizes[i - 1].bytes);
}

}  // namespace
