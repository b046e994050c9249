#include "lib/config/option_lines.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "lib/config/option_tables.h"

namespace {

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
  EXPECT_STREQ(CacheSizes[0].label, "");
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
