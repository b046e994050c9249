#include "lib/config/text.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

// CR LF, LF and a lone CR each end a line, as the editor shows them.
TEST(Text, SplitsLinesAsTheEditorShowsThem) {
  EXPECT_EQ(Lines("a\r\nbb\n\n\r\nc\rd\r\r\n\r\r\nlast"),
            (std::vector<std::string>{"a", "bb", "c", "d", "last"}));
  // A one-character last line is a line, and a line is never cut, however long.
  EXPECT_EQ(Lines("x"), std::vector<std::string>{"x"});
  std::string longLine(5000, 'l');
  EXPECT_EQ(Lines(longLine + "\r\nnext"), (std::vector<std::string>{longLine, "next"}));
  EXPECT_EQ(Lines(std::string("n\0ul\n", 5)), std::vector<std::string>{std::string("n\0ul", 4)});
  EXPECT_TRUE(Lines("\r\n\n").empty());
}

TEST(Text, NumbersEveryLineEmptyOnesIncluded) {
  std::vector<std::pair<int, std::string>> lines;
  auto take = [&](std::string_view line, int number) { lines.emplace_back(number, line); };
  ForEachLineWithNumber("a\r\n\nb\r\r\n\r\nlast\r", take);
  EXPECT_EQ(lines, (std::vector<std::pair<int, std::string>>{
                       {1, "a"}, {2, ""}, {3, "b"}, {4, ""}, {5, ""}, {6, "last"}}));
  // A final line end ends the last line and begins none.
  lines.clear();
  ForEachLineWithNumber("x\n\n", take);
  EXPECT_EQ(lines, (std::vector<std::pair<int, std::string>>{{1, "x"}, {2, ""}}));
  lines.clear();
  ForEachLineWithNumber("", take);
  EXPECT_TRUE(lines.empty());
}

TEST(Text, ReadsDecimals) {
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

TEST(Text, TellsATextThatStartsWithADecimal) {
  for (const char *text : {"7", " \t-12x", "+0", "05"}) EXPECT_TRUE(StartsWithDecimal(text)) << text;
  // Blanks only are skipped; a point, a sign alone or other white space give no decimal.
  for (const char *text : {"", "abc", "-", "+ 5", ".5", "\v5", "\n5"})
    EXPECT_FALSE(StartsWithDecimal(text)) << text;
}

TEST(Text, ParsesOnlyWholeDecimals) {
  struct Case {
    const char *text;
    bool ok;
    int32_t value;
  } cases[] = {
      {"70", true, 70},
      {"-12", true, -12},
      {"0000000001", true, 1},
      {"2147483647", true, INT32_MAX},
      {"-2147483648", true, INT32_MIN},
      {"2147483648", false, 0},
      {"00000000001", false, 0},
      {"+7", false, 0},
      {" 7", false, 0},
      {"7 ", false, 0},
      {"7x", false, 0},
      {"", false, 0},
      {"-", false, 0},
      {"--1", false, 0},
  };
  for (const Case &c : cases) {
    int32_t number = -99;
    EXPECT_EQ(ParseExactDecimal(c.text, &number), c.ok) << c.text;
    EXPECT_EQ(number, c.ok ? c.value : -99) << c.text;
  }
}

// A file's name follows the last separator of its file system's paths; a
// backslash that is the second byte of "ソ" (83 5C) ends no folder on Windows,
// and elsewhere only a slash ends one.
TEST(Text, FindsTheFilesNameAfterTheLastSeparator) {
  const struct {
    const char *path;
    char separator;
    size_t last;
    const char *name;
  } cases[] = {
      {"C:\\sf\\piano.sf2", '\\', 5, "piano.sf2"},
      {"C:/sf/piano.sf2", '\\', 5, "piano.sf2"},
      {"C:piano.sf2", '\\', 1, "piano.sf2"},
      {"piano.sf2", '\\', std::string::npos, "piano.sf2"},
      {"C:\\sf\\\x83\x5C.sf2", '\\', 5, "\x83\x5C.sf2"},
      {"C:\\\x83\x5C\\x.sf2", '\\', 5, "x.sf2"},
      {"/sf/a\\b:c.sf2", '/', 3, "a\\b:c.sf2"},
      {"/\x81/x.sf2", '/', 2, "x.sf2"},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(LastSeparator(c.path, c.separator), c.last) << c.path;
    EXPECT_EQ(FileNameOf(c.path, c.separator), c.name) << c.path;
  }
}

TEST(Text, ReadsFractions) {
  struct Case {
    const char *text;
    double value;
  } cases[] = {
      {"0.25", 0.25}, {" 1e-1x", 0.1}, {".5", 0.5}, {"5.", 5},  {"-2", -2}, {"2e", 2},   {"2e+", 2},
      {".", 0},       {"-", 0},        {"abc", 0},  {"nan", 0}, {"inf", 0}, {"0x10", 0}, {"1e999", 0},
  };
  for (const Case &c : cases) EXPECT_DOUBLE_EQ(ReadFraction(c.text), c.value) << c.text;
}

}  // namespace
