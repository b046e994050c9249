#include "setup/reference/reference_win.h"

#include <cctype>
#include <gtest/gtest.h>
#include <string>

#include "setup/res/resource.h"
#include "tests/win/setup_fixture_win.h"

namespace {

std::string ReferenceResource() {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDR_OPTION_REF_TEXT), "TEXT");
  if (!found) return "";
  const char *bytes = static_cast<const char *>(LockResource(LoadResource(module, found)));
  return std::string(bytes, SizeofResource(module, found));
}

// True when `name` stands in `text` as an option of its own: after a line
// start, a blank, a comma or "]", and, unless it ends in "=", not run on
// into a longer name.
bool NamesOption(const std::string &text, const std::string &name) {
  for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
    char before = at ? text[at - 1] : '\n';
    char after = at + name.size() < text.size() ? text[at + name.size()] : '\r';
    bool startsToken = before == '\n' || before == ' ' || before == ',' || before == ']';
    bool endsToken = name.back() == '=' || !(std::isalnum(static_cast<unsigned char>(after)) || after == '-');
    if (startsToken && endsToken) return true;
  }
  return false;
}

TEST(ReferenceText, IsAsciiWithCrLfLineBreaksIn280Lines) {
  std::string text = ReferenceResource();
  ASSERT_FALSE(text.empty());
  int lines = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = text[i];
    ASSERT_TRUE(c == '\r' || c == '\n' || (c >= 0x20 && c < 0x7F)) << "byte " << int{c} << " at " << i;
    if (c == '\r') {
      ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "lone CR at " << i;
    }
    if (c == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "lone LF at " << i;
      ++lines;
    }
  }
  EXPECT_EQ(lines, 280);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST(ReferenceText, SectionsFollowEachOtherInOrderAndEndInABlankLine) {
  const std::string text = ReferenceResource();
  const char *headings[] = {
      "Options:",
      "Effect options (-EF, --ext=F option):",
      "Alternative Orvane sequencer extensional mode long options:",
      "Available interfaces (-i, --interface option):",
      "Interface options (append to -i? option):",
      "Alternative interface long options:",
      "Available output modes (-O, --output-mode option):",
      "Output format options (append to -O? option):",
      "Alternative output format long options:",
      "Available WRD interfaces (-W, --wrd option):",
  };
  size_t previous = 0;
  for (const char *heading : headings) {
    size_t at = text.find(std::string("\r\n\r\n") + heading + "\r\n");
    ASSERT_NE(at, std::string::npos) << heading;
    EXPECT_GT(at, previous) << heading;
    previous = at;
  }
  EXPECT_EQ(text.substr(text.size() - 4), "\r\n\r\n");
  EXPECT_NE(text.find("Orvane++"), std::string::npos);
  EXPECT_NE(text.find("\r\n  -Od "), std::string::npos);
  EXPECT_NE(text.find("\r\n  -W- "), std::string::npos);
}

// Every option that the synthesizer options page writes or reads in
// orvane.cfg, so the user can look each one up.
TEST(ReferenceText, NamesEveryOptionTheOptionsPageManages) {
  const char *options[] = {
      "--volume=",
      "--drum-power=",
      "--chorus=",
      "--reverb=",
      "--voice-lpf=",
      "--sampling-freq=",
      "--polyphony=",
      "--resample=",
      "--rtsyn-latency=",
      "--fast-panning",
      "--no-fast-panning",
      "--fast-decay",
      "--no-fast-decay",
      "--unload-instruments",
      "--no-unload-instruments",
      "--buffer-fragments=",
      "--noise-shaping=",
      "-a",
      "-s",
      "-p",
      "-O",
      "-Od",
      "-E",
      "-N",
      "-F",
      "-f",
      "-U",
      "-R",
      "-B",
      "-EFchorus=",
      "-EFreverb=",
      "-EFvlpf=",
      "-EFns=",
      "-EFresamp=",
  };
  const std::string text = ReferenceResource();
  for (const char *option : options) EXPECT_TRUE(NamesOption(text, option)) << option;
  // The output format letters of "-OdSs1l" and "-OdMs1lx", and the effect
  // flag letters of "-E", are each explained.
  for (const char *letter : {"S", "M", "s", "1", "l", "x"})
    EXPECT_NE(text.find(std::string("\r\n  ") + letter + "       "), std::string::npos) << letter;
  for (char letter : std::string("wpvetsozjdxcq"))
    EXPECT_NE(text.find(std::string("  ") + letter + "  "), std::string::npos) << letter;
}

class ReferencePage : public SetupPageTest {
 protected:
  ReferencePage() : SetupPageTest(kReferencePage) {}
  HWND Edit() const { return Item(IDC_OPTION_REF_EDIT); }
};

TEST_F(ReferencePage, ShowsTheWholeTextReadOnly) {
  Open();
  ASSERT_NE(Page(kReferencePage), nullptr);
  const std::string shown = Text(IDC_OPTION_REF_EDIT);
  EXPECT_EQ(shown, ReferenceResource());
  // 280 lines, each ended by a break, and the empty line after the last.
  EXPECT_EQ(SendMessageA(Edit(), EM_GETLINECOUNT, 0, 0), 281);
  EXPECT_TRUE(GetWindowLongA(Edit(), GWL_STYLE) & ES_READONLY);

  // Typing does not change it; scrolling and selecting still work.
  SendMessageA(Edit(), WM_CHAR, 'x', 0);
  SendMessageA(Edit(), EM_SETSEL, 0, 5);
  SendMessageA(Edit(), WM_CHAR, 'y', 0);
  EXPECT_EQ(Text(IDC_OPTION_REF_EDIT), shown);
  DWORD start = 0, end = 0;
  SendMessageA(Edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(end - start, 5u);
  SendMessageA(Edit(), EM_LINESCROLL, 0, 100);
  EXPECT_EQ(SendMessageA(Edit(), EM_GETFIRSTVISIBLELINE, 0, 0), 100);
}

// The margins hold for the size the shell gives the page, and for any other.
TEST_F(ReferencePage, EditKeepsItsMarginsInsideThePage) {
  Open();
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 1) SetWindowPos(Page(kReferencePage), nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
    RECT page, edit;
    GetClientRect(Page(kReferencePage), &page);
    GetWindowRect(Edit(), &edit);
    MapWindowPoints(nullptr, Page(kReferencePage), reinterpret_cast<POINT *>(&edit), 2);
    EXPECT_EQ(edit.left, 8) << pass;
    EXPECT_EQ(edit.top, 10) << pass;
    EXPECT_EQ(edit.right, page.right - 8) << pass;
    EXPECT_EQ(edit.bottom, page.bottom - 10) << pass;
  }
}

}  // namespace
