#include "lib/config/soundfont_lines.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "lib/files/lines.h"
#include "tests/portable/line_forms.h"

namespace {

using Lines = std::vector<std::string>;

TEST(SoundfontLines, EntriesOnAndOffWithTheirTargetsAndOptions) {
  struct Case {
    std::string line;
    bool entry, on;
    std::string target, options;
  } cases[] = {
      {"soundfont \"C:\\a b.sf2\" amp=120 pan=0", true, true, "C:\\a b.sf2", "amp=120 pan=0"},
      {"  soundfont\tx.sf2  amp=1", true, true, "x.sf2", "amp=1"},
      {"#soundfont \"C:\\off.sf2\"", true, false, "C:\\off.sf2", ""},
      {" #soundfont y.sf2", true, false, "y.sf2", ""},
      {"soundfont \"unclosed.sf2", true, true, "unclosed.sf2", ""},
      {"soundfont", true, true, "", ""},
      {"# soundfont x.sf2", false, true, "", ""},  // a comment
      {"##soundfont x.sf2", false, true, "", ""},
      {"soundfonts x.sf2", false, true, "", ""},
      {"dir C:\\sf", false, true, "", ""},
  };
  for (const Case &c : cases) {
    SoundfontLine parts;
    ASSERT_EQ(ParseSoundfontLine(c.line, &parts), c.entry) << c.line;
    if (!c.entry) continue;
    EXPECT_EQ(parts.on, c.on) << c.line;
    EXPECT_EQ(parts.target, c.target) << c.line;
    EXPECT_EQ(parts.options, c.options) << c.line;
  }
}

TEST(SoundfontLines, SwitchingAndRelocatingKeepTheRestOfTheLine) {
  EXPECT_EQ(SwitchedSoundfontLine("  soundfont x.sf2 amp=1", false), "  #soundfont x.sf2 amp=1");
  EXPECT_EQ(SwitchedSoundfontLine("  #soundfont x.sf2 amp=1", true), "  soundfont x.sf2 amp=1");
  EXPECT_EQ(SwitchedSoundfontLine("soundfont x.sf2", true), "soundfont x.sf2");
  EXPECT_EQ(RelocatedSoundfontLine("soundfont old.sf2\tamp=1", "C:\\new dir\\n.sf2"),
            "soundfont \"C:\\new dir\\n.sf2\"\tamp=1");
  EXPECT_EQ(RelocatedSoundfontLine("#soundfont \"C:\\old.sf2\" amp=1", "D:\\n.sf2"),
            "#soundfont \"D:\\n.sf2\" amp=1");
  EXPECT_EQ(RelocatedSoundfontLine("soundfont", "n.sf2"), "soundfont \"n.sf2\"");
  EXPECT_EQ(NewSoundfontLine("C:\\a b.sf2"), "soundfont \"C:\\a b.sf2\"");
  EXPECT_TRUE(FitsSoundfontLine("C:\\\x95\x5c.sf2"));
  for (const std::string &path : Lines{"a\"b.sf2", "a\nb.sf2", "a\rb", std::string("a\0b", 3)})
    EXPECT_FALSE(FitsSoundfontLine(path));
}

TEST(SoundfontLines, ReadsEntriesInFileOrder) {
  EXPECT_EQ(
      ReadSoundfontLines("dir x\r\nsoundfont a.sf2\r\n#extension opt --volume=1\n#soundfont b.sf2 amp=2"),
      (Lines{"soundfont a.sf2", "#soundfont b.sf2 amp=2"}));
}

TEST(SoundfontLines, RewriteReplacesEntriesByPositionAndLeavesEveryOtherByte) {
  struct Case {
    const char *what;
    std::string text;
    Lines lines;
    std::string rewritten;
  } cases[] = {
      {"unchanged",
       "soundfont a\r\n# note\r\n#soundfont b\r\n",
       {"soundfont a", "#soundfont b"},
       "soundfont a\r\n# note\r\n#soundfont b\r\n"},
      {"in place, by position",
       "dir d\nsoundfont a\n# note\nsoundfont b\nx\n",
       {"soundfont b", "soundfont a"},
       "dir d\nsoundfont b\n# note\nsoundfont a\nx\n"},
      {"more rows go after the last entry",
       "soundfont a\r\nsoundfont b\r\ntail",
       {"soundfont a", "soundfont b", "soundfont c"},
       "soundfont a\r\nsoundfont b\r\nsoundfont c\r\ntail"},
      {"fewer rows remove the last entries",
       "soundfont a\nmid\nsoundfont b\nend",
       {"soundfont z"},
       "soundfont z\nmid\nend"},
      {"none left", "soundfont a\r\nsoundfont b", {}, ""},
      {"no entries: after the last dir line",
       "dir a\r\ndir b\r\n#extension opt -x\r\n",
       {"soundfont n"},
       "dir a\r\ndir b\r\nsoundfont n\r\n#extension opt -x\r\n"},
      {"no entries, no dir: at the end, in the file's line ends",
       "a\nb",
       {"soundfont n"},
       "a\nb\nsoundfont n\n"},
      {"an empty file", "", {"soundfont n"}, "soundfont n\r\n"},
      {"a last entry without its line end",
       "x\nsoundfont a",
       {"soundfont a", "soundfont b"},
       "x\nsoundfont a\nsoundfont b\n"},
  };
  for (const Case &c : cases) EXPECT_EQ(RewriteSoundfontLines(c.text, c.lines), c.rewritten) << c.what;
}

// Whatever the file's line ends, a lone CR among them, the entries are read
// one a line, and the rewrite changes their lines alone: a removed entry
// takes its own line end with it (in CR CR LF, the lone CR: the empty line
// after it is a line of its own, as the editor shows it).
TEST(SoundfontLines, EveryLineEndFormKeepsTheLinesAroundTheEntries) {
  for (const LineForm &form : kLineForms) {
    std::string text = JoinedLines(
        {"dir C:\\sf", "soundfont a.sf2", "# note", "soundfont b.sf2", "#extension opt -x"}, form);
    EXPECT_EQ(ReadSoundfontLines(text), (Lines{"soundfont a.sf2", "soundfont b.sf2"})) << form.name;
    std::string expected = text;
    size_t removed = expected.find("soundfont b.sf2");
    size_t end = removed + std::string("soundfont b.sf2").size();
    expected.erase(removed, end - removed + LineEndLength(expected, end));
    expected.insert(expected.find("soundfont a.sf2"), "#");
    EXPECT_EQ(RewriteSoundfontLines(text, {"#soundfont a.sf2"}), expected) << form.name;
  }
}

TEST(SoundfontLines, MovesKeepTheSelectedRowsInOrderAndStopAtTheEnds) {
  struct Case {
    std::vector<size_t> selected;
    bool up;
    std::vector<size_t> positions;
    Lines rows;
  } cases[] = {
      {{1, 3}, true, {0, 2}, {"b", "a", "d", "c", "e"}},
      {{0, 1, 3}, true, {0, 1, 2}, {"a", "b", "d", "c", "e"}},
      {{1, 4}, false, {2, 4}, {"a", "c", "b", "d", "e"}},
      {{3, 4}, false, {3, 4}, {"a", "b", "c", "d", "e"}},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(MovedPositions(c.selected, 5, c.up), c.positions);
    Lines rows{"a", "b", "c", "d", "e"};
    MoveRows(&rows, c.selected, c.positions);
    EXPECT_EQ(rows, c.rows);
  }
  Lines rows{"a", "b", "c", "d"};
  MoveRows(&rows, {3}, {0});
  EXPECT_EQ(rows, (Lines{"d", "a", "b", "c"}));
  RemoveRows(&rows, {0, 2});
  EXPECT_EQ(rows, (Lines{"a", "c"}));
}

}  // namespace
