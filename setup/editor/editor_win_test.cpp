#include "setup/editor/editor_win.h"

#include <gtest/gtest.h>
#include <string>

#include "setup/res/resource.h"
#include "tests/win/setup_fixture_win.h"

namespace {

class EditorPage : public SetupWindowTest {
 protected:
  HWND Edit() const { return GetDlgItem(Page(0), IDC_CFG_EDIT); }
  std::string Text() const {
    std::string text(GetWindowTextLengthA(Edit()) + 1, '\0');
    text.resize(GetWindowTextA(Edit(), &text[0], static_cast<int>(text.size())));
    return text;
  }
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
    EXPECT_EQ(Text(), file);
    ClickButton(Page(0), IDC_CFG_SAVE);
    EXPECT_EQ(cfg_.Bytes(), file);
    DestroyWindow(window_);
  }
}

TEST_F(EditorPage, TextEndsAtAFileNulByte) {
  WriteBytes(cfg_.path(), std::string("before\0after", 12));
  Open();
  EXPECT_EQ(Text(), "before");
}

TEST_F(EditorPage, MissingFileGivesAnEmptyEditorAndSaveCreatesIt) {
  Open();
  EXPECT_EQ(Text(), "");
  SetWindowTextA(Edit(), "dir \"D:\\fonts\"\r\n");
  MessageBoxCatcher boxes;
  ClickButton(Page(0), IDC_CFG_SAVE);
  EXPECT_TRUE(boxes.seen().empty());
  EXPECT_EQ(cfg_.Bytes(), "dir \"D:\\fonts\"\r\n");
}

TEST_F(EditorPage, ReloadReplacesEditsWithTheFileAndKeepsThemWhenItIsGone) {
  WriteBytes(cfg_.path(), "first\r\n");
  Open();
  SetWindowTextA(Edit(), "edited");
  WriteBytes(cfg_.path(), "second\r\n");
  ClickButton(Page(0), IDC_CFG_RELOAD);
  EXPECT_EQ(Text(), "second\r\n");

  SetWindowTextA(Edit(), "edited again");
  DeleteFileA(cfg_.path().c_str());
  ClickButton(Page(0), IDC_CFG_RELOAD);
  EXPECT_EQ(Text(), "edited again");

  WriteBytes(cfg_.path(), "locked");
  FileHolder holder(cfg_.path(), 0);
  ClickButton(Page(0), IDC_CFG_RELOAD);
  EXPECT_EQ(Text(), "edited again");
}

TEST_F(EditorPage, FailedSaveIsReportedAndLeavesTheFileAndFolderAsTheyWere) {
  const std::string old = "soundfont \"old.sf2\"\r\n";
  WriteBytes(cfg_.path(), old);
  Open();
  SetWindowTextA(Edit(), "soundfont \"new.sf2\"\r\n");
  auto before = WindowsDirectoryFiles("*");
  {
    // Share modes that stop the replacement, and one that also stops reading.
    for (DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
      FileHolder holder(cfg_.path(), share);
      ASSERT_TRUE(holder.held());
      MessageBoxCatcher boxes;
      ClickButton(Page(0), IDC_CFG_SAVE);
      ASSERT_EQ(boxes.seen().size(), 1u) << share;
      const SeenMessageBox &box = boxes.seen()[0];
      EXPECT_EQ(box.text, "ファイルの保存に失敗しました");
      EXPECT_EQ(box.caption, "エラー");
      EXPECT_TRUE(box.errorIcon);
      // A child cannot own a popup: the box belongs to the edit's top window.
      EXPECT_EQ(box.owner, GetAncestor(Edit(), GA_ROOT));
    }
  }
  EXPECT_EQ(cfg_.Bytes(), old);
  EXPECT_EQ(Text(), "soundfont \"new.sf2\"\r\n");
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
  EXPECT_FALSE(KillTimer(Page(0), 100));
}

TEST_F(EditorPage, LargeFileIsLoadedWholeWhileTypingIsLimited) {
  std::string big;
  while (big.size() < 0x400000 + 100000) big += "soundfont \"C:\\sf2\\piano.sf2\" amp=100\r\n";
  WriteBytes(cfg_.path(), big);
  Open();
  EXPECT_EQ(static_cast<size_t>(GetWindowTextLengthA(Edit())), big.size());
  EXPECT_EQ(SendMessageA(Edit(), EM_GETLIMITTEXT, 0, 0), 0x400000);
  ClickButton(Page(0), IDC_CFG_SAVE);
  EXPECT_EQ(cfg_.Bytes(), big);
}

}  // namespace
