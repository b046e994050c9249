#include "setup/editor/editor_win.h"

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

// CP932 text with both line-break forms comes back byte for byte.
TEST_F(EditorPage, SavingUneditedTextWritesTheFileBackByteForByte) {
  const std::string files[] = {
      "dir \"C:\\sf2\"\r\nsoundfont \"ソ\\表.sf2\"\r\n#extension opt -EFreverb=f\r\n",
      "source a.cfg\nsoundfont \"b.sf2\"\n\n# LF only\n",
      "no final line break",
  };
  for (const std::string &file : files) {
    WriteBytes(cfg_.path(), file);
    Open();
    EXPECT_EQ(Text(IDC_CFG_EDIT), file);
    Click(IDC_CFG_SAVE);
    EXPECT_EQ(cfg_.Bytes(), file);
    DestroyWindow(window_);
  }
}

TEST_F(EditorPage, TextEndsAtAFileNulByte) {
  WriteBytes(cfg_.path(), std::string("before\0after", 12));
  Open();
  EXPECT_EQ(Text(IDC_CFG_EDIT), "before");
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
    // Share modes that stop the replacement, and one that also stops reading.
    for (DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
      FileHolder holder(cfg_.path(), share);
      ASSERT_TRUE(holder.held());
      SCOPED_TRACE(share);
      MessageBoxCatcher boxes;
      Click(IDC_CFG_SAVE);
      ExpectFailedSaveBox(boxes.OnlyBox(), Edit());
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

TEST_F(EditorPage, LargeFileIsLoadedWholeWhileTypingIsLimited) {
  std::string big;
  while (big.size() < 0x400000 + 100000) big += "soundfont \"C:\\sf2\\piano.sf2\" amp=100\r\n";
  WriteBytes(cfg_.path(), big);
  Open();
  EXPECT_EQ(static_cast<size_t>(GetWindowTextLengthA(Edit())), big.size());
  EXPECT_EQ(SendMessageA(Edit(), EM_GETLIMITTEXT, 0, 0), 0x400000);
  Click(IDC_CFG_SAVE);
  EXPECT_EQ(cfg_.Bytes(), big);
}

}  // namespace
