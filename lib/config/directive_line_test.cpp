#include "lib/config/directive_line.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string Compose(const char *format, const std::string &path) {
  char *line = ComposeDirective(format, path.c_str());
  EXPECT_NE(line, nullptr);
  std::string text = line ? line : "";
  std::free(line);
  return text;
}

TEST(ComposeDirective, PathGoesBetweenTheQuotesUnchanged) {
  struct Case {
    const char *format;
    std::string path;
    std::string line;
  } cases[] = {
      {"source \"%s\"", "C:\\My Files\\timbres.cfg", "source \"C:\\My Files\\timbres.cfg\""},
      {"soundfont \"%s\"", "D:\\sf2\\100% piano\\a.sf2", "soundfont \"D:\\sf2\\100% piano\\a.sf2\""},
      {"dir \"%s\"", "C:\\", "dir \"C:\\\""},
      // A double-byte name whose trail byte is a backslash stays whole.
      {"dir \"%s\"", "C:\\\x83\x5c\x95\x5c", "dir \"C:\\\x83\x5c\x95\x5c\""},
  };
  for (const Case &c : cases) EXPECT_EQ(Compose(c.format, c.path), c.line) << c.path;
}

// No path is ever cut, however long, so no truncated name reaches the file.
TEST(ComposeDirective, LongPathsComeBackWhole) {
  for (size_t length : {509u, 510u, 511u, 512u, 600u, 4000u, 40000u}) {
    std::string path = "C:\\" + std::string(length - 7, 'x') + ".sf2";
    ASSERT_EQ(path.size(), length);
    EXPECT_EQ(Compose("soundfont \"%s\"", path), "soundfont \"" + path + "\"") << length;
  }
}

}  // namespace
