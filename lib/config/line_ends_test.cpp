#include "lib/config/line_ends.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct Case {
  const char *name;
  std::string file;
  LineEnd end;        // what the file's first line end decides
  std::string shown;  // every line end as CR LF
  std::string saved;  // the shown text written back with `end`
};

const Case kCases[] = {
    {"LF", "a\nb\n", LineEnd::kLf, "a\r\nb\r\n", "a\nb\n"},
    {"CR LF", "a\r\nb\r\n", LineEnd::kCrLf, "a\r\nb\r\n", "a\r\nb\r\n"},
    // A lone CR is never the form written: the engine would read such a file as one line.
    {"CR", "a\rb\r", LineEnd::kCrLf, "a\r\nb\r\n", "a\r\nb\r\n"},
    // A CR LF file converted twice: a lone CR and a CR LF, two line ends; CR LF holds the LF.
    {"CR CR LF", "a\r\r\nb\r\r\n", LineEnd::kCrLf, "a\r\n\r\nb\r\n\r\n", "a\r\n\r\nb\r\n\r\n"},
    {"CR CR LF after an LF", "a\nb\r\r\n", LineEnd::kLf, "a\r\nb\r\n\r\n", "a\nb\n\n"},
    {"empty lines", "\n\n\n", LineEnd::kLf, "\r\n\r\n\r\n", "\n\n\n"},
    {"empty CR lines", "\r\r", LineEnd::kCrLf, "\r\n\r\n", "\r\n\r\n"},
    {"no final line end", "a\nb", LineEnd::kLf, "a\r\nb", "a\nb"},
    {"one line", "one line", LineEnd::kCrLf, "one line", "one line"},
    {"empty", "", LineEnd::kCrLf, "", ""},
    {"a lone CR ends the file", "a\r", LineEnd::kCrLf, "a\r\n", "a\r\n"},
    // A mixed file takes the form of its first line end that holds an LF throughout.
    {"mixed, LF first", "a\nb\r\nc\rd", LineEnd::kLf, "a\r\nb\r\nc\r\nd", "a\nb\nc\nd"},
    {"mixed, CR LF first", "a\r\nb\nc\r", LineEnd::kCrLf, "a\r\nb\r\nc\r\n", "a\r\nb\r\nc\r\n"},
    {"mixed, CR first", "a\r\rb\n\r\n", LineEnd::kLf, "a\r\n\r\nb\r\n\r\n", "a\n\nb\n\n"},
    // LF then CR is two line ends, not one reversed.
    {"LF CR", "a\n\rb", LineEnd::kLf, "a\r\n\r\nb", "a\n\nb"},
    // Double-byte characters whose trail bytes are the ASCII "\" and "|" stay whole.
    {"CP932", "soundfont \"\x83\x5c\x95\x5c.sf2\"\n\x83\x7c\n", LineEnd::kLf,
     "soundfont \"\x83\x5c\x95\x5c.sf2\"\r\n\x83\x7c\r\n", "soundfont \"\x83\x5c\x95\x5c.sf2\"\n\x83\x7c\n"},
    {"NUL byte kept", std::string("a\0\nb", 4), LineEnd::kLf, std::string("a\0\r\nb", 5),
     std::string("a\0\nb", 4)},
};

TEST(LineEnds, FileShownAndSavedBack) {
  for (const Case &c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FirstLineEnd(c.file), c.end);
    const std::string shown = WithLineEnds(c.file, LineEnd::kCrLf);
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(WithLineEnds(shown, c.end), c.saved);
  }
}

// Text pasted into the editor may hold lone CRs and LFs; the save writes
// them as the file's line end, so the file reads back as the editor showed.
TEST(LineEnds, EveryFormInTheShownTextBecomesTheFilesLineEnd) {
  EXPECT_EQ(WithLineEnds("a\r\nb\nc\rd", LineEnd::kLf), "a\nb\nc\nd");
  EXPECT_EQ(WithLineEnds("a\r\nb\nc\rd", LineEnd::kCrLf), "a\r\nb\r\nc\r\nd");
}

}  // namespace
