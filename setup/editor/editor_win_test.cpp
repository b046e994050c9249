#include "setup/editor/editor_win.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

#include "setup/res/resource.h"
#include "tests/win/setup_fixture_win.h"

namespace {

class EditorPage : public SetupPageTest {
 protected:
  EditorPage() : SetupPageTest(kEditorPage) {}
  HWND Edit() const { return Item(IDC_CFG_EDIT); }
};

// The edit breaks lines only at CR LF, so every line end is shown as one;
// a save without changes writes the file back in the form of its first line
// end that holds an LF, byte for byte where the file kept to LF or CR LF.
TEST_F(EditorPage, LinesShowOneAPieceAndAnUneditedSaveKeepsTheFilesLineEnd) {
  struct Case {
    const char *name;
    std::string file, shown, saved;
  } cases[] = {
      {"CR LF, CP932", "dir \"C:\\sf2\"\r\nsoundfont \"ソ\\表.sf2\"\r\n#extension opt -EFreverb=f\r\n",
       "dir \"C:\\sf2\"\r\nsoundfont \"ソ\\表.sf2\"\r\n#extension opt -EFreverb=f\r\n",
       "dir \"C:\\sf2\"\r\nsoundfont \"ソ\\表.sf2\"\r\n#extension opt -EFreverb=f\r\n"},
      {"LF", "source a.cfg\nsoundfont \"b.sf2\"\n\n# LF only\n",
       "source a.cfg\r\nsoundfont \"b.sf2\"\r\n\r\n# LF only\r\n",
       "source a.cfg\nsoundfont \"b.sf2\"\n\n# LF only\n"},
      // Lone CRs are never written: the engine would read the file as one line.
      {"CR", "source a.cfg\rsoundfont \"表.sf2\"\r\r", "source a.cfg\r\nsoundfont \"表.sf2\"\r\n\r\n",
       "source a.cfg\r\nsoundfont \"表.sf2\"\r\n\r\n"},
      {"CR CR LF", "a\r\r\nb\r\r\n", "a\r\n\r\nb\r\n\r\n", "a\r\n\r\nb\r\n\r\n"},
      {"mixed, LF first", "a\nb\r\nc\rd\n", "a\r\nb\r\nc\r\nd\r\n", "a\nb\nc\nd\n"},
      {"no final line end", "first\nno final line break", "first\r\nno final line break",
       "first\nno final line break"},
      {"one line", "no final line break", "no final line break", "no final line break"},
      {"empty", "", "", ""},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(cfg_.path(), c.file);
    Open();
    EXPECT_EQ(Text(IDC_CFG_EDIT), c.shown);
    EXPECT_EQ(SendMessageA(Edit(), EM_GETLINECOUNT, 0, 0),
              std::count(c.shown.begin(), c.shown.end(), '\n') + 1);
    Click(IDC_CFG_SAVE);
    EXPECT_EQ(cfg_.Bytes(), c.saved);
    DestroyWindow(window_);
  }
}

// What the user types takes the line end of the file as last read; a reload
// decides it again, and a reload that finds no file keeps it.
TEST_F(EditorPage, TypedLinesAreSavedWithTheLineEndOfTheFileAsLastRead) {
  WriteBytes(cfg_.path(), "a\nb\n");
  Open();
  PumpMessages(200);  // let the page's one-shot caret timer pass
  auto typeAt = [this](DWORD caret, const std::string &keys) {
    SendMessageA(Edit(), EM_SETSEL, caret, caret);
    for (char key : keys) SendMessageA(Edit(), WM_CHAR, static_cast<unsigned char>(key), 0);
  };
  typeAt(3, "new\r");
  EXPECT_EQ(Text(IDC_CFG_EDIT), "a\r\nnew\r\nb\r\n");
  Click(IDC_CFG_SAVE);
  EXPECT_EQ(cfg_.Bytes(), "a\nnew\nb\n");

  DeleteFileA(cfg_.path().c_str());
  Click(IDC_CFG_RELOAD);
  typeAt(0, "x\r");
  Click(IDC_CFG_SAVE);
  EXPECT_EQ(cfg_.Bytes(), "x\na\nnew\nb\n");

  for (const std::string file : {"c\r\nd", "c\rd"}) {  // a lone CR's file is written with CR LF
    WriteBytes(cfg_.path(), file);
    Click(IDC_CFG_RELOAD);
    typeAt(1, "\r");
    Click(IDC_CFG_SAVE);
    EXPECT_EQ(cfg_.Bytes(), "c\r\n\r\nd");
  }
}

TEST_F(EditorPage, TextEndsAtAFileNulByte) {
  WriteBytes(cfg_.path(), std::string("before\0after", 12));
  Open();
  EXPECT_EQ(Text(IDC_CFG_EDIT), "before");
}

// Bytes that do not come through the edit as they are (a NUL, which ends its
// text; under code page 932 a lead byte with no trail byte after it) would
// change with a save: "保存" asks first, No writes nothing, Yes writes the
// text as shown, and once written the text is the file's again.
TEST_F(EditorPage, SaveAsksBeforeItChangesBytesThePageCannotShow) {
  const std::string question = Localized(
      "orvane.cfg には、このページで表示できないバイトがあります。保存すると変わります。保存しますか？",
      "orvane.cfg holds bytes this page cannot show; saving will change them. Save anyway?");
  struct Case {
    const char *name;
    std::string file;
    bool asks;
  } cases[] = {
      {"NUL byte", std::string("before\0after\r\n", 14), true},
      {"no character of the code page", "caf\xE9 au\r\n", GetACP() == 932},
      {"every byte shown", "caf\x82\xA0 au\r\n", false},
      {"line ends only", "a\rb\n", false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(cfg_.path(), c.file);
    Open();
    const std::string before = cfg_.Bytes();
    {
      MessageBoxCatcher boxes(IDNO);
      Click(IDC_CFG_SAVE);
      if (c.asks) {
        SeenMessageBox box = boxes.OnlyBox();
        EXPECT_EQ(box.text, question);
        EXPECT_EQ(box.caption, Localized("確認", "Confirmation"));
        EXPECT_TRUE(box.yesNo);
        EXPECT_EQ(box.defaultButton, IDNO);
        EXPECT_EQ(box.owner, window_);  // the setup window, which holds the edit
        EXPECT_EQ(cfg_.Bytes(), before) << "No writes nothing";
      } else {
        EXPECT_TRUE(boxes.seen().empty());
      }
    }
    MessageBoxCatcher boxes(IDYES);
    Click(IDC_CFG_SAVE);
    EXPECT_EQ(boxes.seen().size(), c.asks ? 1u : 0u);
    EXPECT_EQ(cfg_.Bytes(), c.file == "a\rb\n" ? "a\nb\n" : Text(IDC_CFG_EDIT));
    Click(IDC_CFG_SAVE);
    EXPECT_EQ(boxes.seen().size(), c.asks ? 1u : 0u) << "asked again after the text was written";
    DestroyWindow(window_);
  }
}

TEST_F(EditorPage, MissingFileGivesAnEmptyEditorAndSaveCreatesIt) {
  Open();
  EXPECT_EQ(Text(IDC_CFG_EDIT), "");
  SetText(IDC_CFG_EDIT, "dir \"D:\\fonts\"\r\n");
  MessageBoxCatcher boxes;
  Click(IDC_CFG_SAVE);
  EXPECT_TRUE(boxes.seen().empty());
  EXPECT_EQ(cfg_.Bytes(), "dir \"D:\\fonts\"\r\n");
}

TEST_F(EditorPage, ReloadReplacesEditsWithTheFileAndKeepsThemWhenItIsGone) {
  WriteBytes(cfg_.path(), "first\r\n");
  Open();
  SetText(IDC_CFG_EDIT, "edited");
  WriteBytes(cfg_.path(), "second\r\n");
  Click(IDC_CFG_RELOAD);
  EXPECT_EQ(Text(IDC_CFG_EDIT), "second\r\n");

  SetText(IDC_CFG_EDIT, "edited again");
  DeleteFileA(cfg_.path().c_str());
  Click(IDC_CFG_RELOAD);
  EXPECT_EQ(Text(IDC_CFG_EDIT), "edited again");

  WriteBytes(cfg_.path(), "locked");
  FileHolder holder(cfg_.path(), 0);
  Click(IDC_CFG_RELOAD);
  EXPECT_EQ(Text(IDC_CFG_EDIT), "edited again");
}

TEST_F(EditorPage, FailedSaveIsReportedAndLeavesTheFileAndFolderAsTheyWere) {
  const std::string old = "soundfont \"old.sf2\"\r\n";
  WriteBytes(cfg_.path(), old);
  Open();
  SetText(IDC_CFG_EDIT, "soundfont \"new.sf2\"\r\n");
  auto before = WindowsDirectoryFiles("*");
  {
    // Share modes that stop the replacement, and one that also stops reading,
    // where the save first asks (a file it cannot read may have changed) and
    // is told to go on.
    for (DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
      FileHolder holder(cfg_.path(), share);
      ASSERT_TRUE(holder.held());
      SCOPED_TRACE(share);
      MessageBoxCatcher boxes(IDYES);
      Click(IDC_CFG_SAVE);
      ASSERT_EQ(boxes.seen().size(), share == 0 ? 2u : 1u);
      EXPECT_EQ(boxes.seen().front().questionIcon, share == 0);
      ExpectFailedSaveBox(boxes.seen().back(), Edit());
    }
  }
  EXPECT_EQ(cfg_.Bytes(), old);
  EXPECT_EQ(Text(IDC_CFG_EDIT), "soundfont \"new.sf2\"\r\n");
  EXPECT_EQ(WindowsDirectoryFiles("*"), before);
}

TEST_F(EditorPage, CaretStandsAtTheStartOnceTheTimerHasRun) {
  WriteBytes(cfg_.path(), "line one\r\nline two\r\n");
  Open();  // the dialog manager selects the whole text as the edit gets the focus
  PumpMessages(300);
  DWORD start = 1, end = 1;
  SendMessageA(Edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 0u);
  // The timer acted once and is gone.
  EXPECT_FALSE(KillTimer(Page(kEditorPage), 100));
}

// Loaded text is not cut by the typing limit: neither a file past it nor an
// LF file under it that shows past it with a CR more a line.
TEST_F(EditorPage, LargeFileIsLoadedWholeWhileTypingIsLimited) {
  const struct {
    std::string end;
    size_t size;
  } files[] = {{"\r\n", 0x400000 + 100000}, {"\n", 0x400000 - 50000}};
  for (const auto &file : files) {
    SCOPED_TRACE(file.end.size());
    std::string big;
    size_t lines = 0;
    for (; big.size() < file.size; ++lines) big += "soundfont \"C:\\sf2\\piano.sf2\" amp=100" + file.end;
    WriteBytes(cfg_.path(), big);
    Open();
    const size_t shown = file.end == "\n" ? big.size() + lines : big.size();
    EXPECT_EQ(static_cast<size_t>(GetWindowTextLengthA(Edit())), shown);
    EXPECT_EQ(SendMessageA(Edit(), EM_GETLIMITTEXT, 0, 0), 0x400000);
    Click(IDC_CFG_SAVE);
    EXPECT_EQ(cfg_.Bytes(), big);
    DestroyWindow(window_);
  }
}

}  // namespace
