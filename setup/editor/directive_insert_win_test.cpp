#include "setup/editor/directive_insert_win.h"

#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>
#include <string>

#include "setup/res/resource.h"
#include "tests/win/modal_driver_win.h"
#include "tests/win/setup_fixture_win.h"

namespace {

// The chooser that the code under test opens on this thread, for a driver
// to act on: a dialog other than the setup window, once it is up and while
// no message box stands over it.
ModalDriver::WindowTest ChooserOf(HWND setupWindow) {
  return [setupWindow](HWND window) {
    return window != setupWindow && IsDialogWindow(window) && !IsMessageBox(window) &&
           IsWindowVisible(window) && IsWindowEnabled(window);
  };
}

struct ChildSearch {
  const char *text;
  HWND found;
};

BOOL CALLBACK FindChildWithText(HWND child, LPARAM data) {
  ChildSearch *s = reinterpret_cast<ChildSearch *>(data);
  char shown[256] = "";
  GetWindowTextA(child, shown, sizeof shown);
  if (lstrcmpA(shown, s->text) == 0) s->found = child;
  return s->found == nullptr;
}

// A control of the chooser (at any depth) that shows `text`.
HWND ChildWithText(HWND dialog, const char *text) {
  ChildSearch search = {text, nullptr};
  EnumChildWindows(dialog, FindChildWithText, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string CurrentDirectory() {
  char dir[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, dir);
  return dir;
}

// The file dialog's file name field, in either of the dialog's layouts.
void TypeFileName(HWND dialog, const std::string &path) {
  SetDlgItemTextA(dialog, cmb13, path.c_str());
  SetDlgItemTextA(dialog, edt1, path.c_str());
}

void Confirm(HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDOK, 0); }
void Cancel(HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }

// Folders and files with blanks in their names, made for one test.
class ChooserFiles {
 public:
  ChooserFiles() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char longTemp[MAX_PATH];
    GetLongPathNameA(temp, longTemp, MAX_PATH);
    base_ = std::string(longTemp) + "velder chooser test";
    folder_ = base_ + "\\sound fonts";
    other_ = base_ + "\\elsewhere";
    CreateDirectoryA(base_.c_str(), nullptr);
    CreateDirectoryA(folder_.c_str(), nullptr);
    CreateDirectoryA(other_.c_str(), nullptr);
    WriteBytes(Cfg(), "# timbres\r\n");
    WriteBytes(Sf2(), "RIFF");
  }
  ~ChooserFiles() {
    DeleteFileA(Cfg().c_str());
    DeleteFileA(Sf2().c_str());
    RemoveDirectoryA(folder_.c_str());
    RemoveDirectoryA(other_.c_str());
    RemoveDirectoryA(base_.c_str());
  }
  std::string Cfg() const { return folder_ + "\\my timbres.cfg"; }
  std::string Sf2() const { return folder_ + "\\grand piano.sf2"; }
  const std::string &folder() const { return folder_; }
  // Where a test stands, and where a chooser moves to.
  const std::string &base() const { return base_; }
  const std::string &other() const { return other_; }

 private:
  std::string base_, folder_, other_;
};

class DirectiveInsertion : public SetupPageTest {
 protected:
  DirectiveInsertion() : SetupPageTest(kEditorPage) {}
  void SetUp() override {
    Open();
    PumpMessages(200);  // let the page's one-shot caret timer pass
    saved_ = CurrentDirectory();
    SetCurrentDirectoryA(files_.base().c_str());
  }
  void TearDown() override { SetCurrentDirectoryA(saved_.c_str()); }

  HWND Edit() const { return Item(IDC_CFG_EDIT); }
  // Puts `text` in the editor with the selection from `start` to `end`.
  void SetEditor(const std::string &text, DWORD start, DWORD end) {
    SetText(IDC_CFG_EDIT, text.c_str());
    SendMessageA(Edit(), EM_SETSEL, start, end);
  }
  DWORD Caret() const {
    DWORD start = 0, end = 0;
    SendMessageA(Edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == end ? end : ~DWORD{0};
  }

  // Chooses `path` in the chooser that `button` opens; the chooser moves the
  // current directory meanwhile, as a dialog may. What it saw is kept.
  void ChooseWith(int button, const std::string &path) {
    bool folder = button == IDC_ADD_DIR;
    ModalDriver driver(ChooserOf(window_), [&](HWND chooser) {
      ownedBySetupWindow_ = GetWindow(chooser, GW_OWNER) == window_ && !IsWindowEnabled(window_);
      char filter[128] = "";
      SendDlgItemMessageA(chooser, cmb1, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(filter));
      filter_ = filter;
      titleShown_ = ChildWithText(chooser, Localized("dirとして追加するフォルダを選択してください",
                                                     "Choose a folder to add as dir")
                                               .c_str()) != nullptr;
      SetCurrentDirectoryA(files_.other().c_str());
      if (folder)
        SendMessageA(chooser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
      else
        TypeFileName(chooser, path);
      Confirm(chooser);
      return true;
    });
    Click(button);
    EXPECT_EQ(driver.calls(), 1);
  }

  ChooserFiles files_;
  std::string saved_;
  std::string filter_;
  bool titleShown_ = false;
  bool ownedBySetupWindow_ = false;
};

struct ButtonCase {
  int button;
  const char *keyword;
  // first entry of the file type list, under code page 932 and under any
  // other; empty for the folder browser
  const char *filter;
  const char *englishFilter;
};

const ButtonCase kButtons[] = {
    {IDC_ADD_SOURCE, "source", "定義ファイル (*.cfg)", "Configuration files (*.cfg)"},
    {IDC_ADD_SOUNDFONT, "soundfont", "サウンドフォント (*.sf2)", "SoundFonts (*.sf2)"},
    {IDC_ADD_DIR, "dir", "", ""},
};

std::string PathFor(const ButtonCase &c, const ChooserFiles &files) {
  if (c.button == IDC_ADD_SOURCE) return files.Cfg();
  if (c.button == IDC_ADD_SOUNDFONT) return files.Sf2();
  return files.folder();
}

// The directive lands exactly at a mid-line caret, joined to the text on
// both sides, with the path between the quotes as chosen. The chooser is
// owned by the setup window, disabled while it is open and enabled after.
TEST_F(DirectiveInsertion, EachButtonPutsItsDirectiveAtAMidLineCaret) {
  for (const ButtonCase &c : kButtons) {
    const std::string path = PathFor(c, files_);
    SetEditor("first\r\nab cd\r\nlast", 9, 9);
    ChooseWith(c.button, path);
    const std::string directive = std::string(c.keyword) + " \"" + path + "\"";
    EXPECT_EQ(Text(IDC_CFG_EDIT), "first\r\nab" + directive + " cd\r\nlast") << c.keyword;
    EXPECT_EQ(Caret(), 9 + directive.size()) << c.keyword;
    EXPECT_EQ(filter_, Localized(c.filter, c.englishFilter)) << c.keyword;
    EXPECT_EQ(titleShown_, c.button == IDC_ADD_DIR) << c.keyword;
    EXPECT_EQ(CurrentDirectory(), files_.base()) << c.keyword;
    EXPECT_TRUE(ownedBySetupWindow_) << c.keyword;
    EXPECT_TRUE(IsWindowEnabled(window_)) << c.keyword;
  }
}

TEST_F(DirectiveInsertion, ASelectionIsReplaced) {
  SetEditor("soundfont \"old.sf2\" amp=80\r\n", 0, 19);
  ChooseWith(IDC_ADD_SOUNDFONT, files_.Sf2());
  EXPECT_EQ(Text(IDC_CFG_EDIT), "soundfont \"" + files_.Sf2() + "\" amp=80\r\n");

  // Selected from right to left, the same.
  SetEditor("dir here\r\n", 8, 4);
  ChooseWith(IDC_ADD_DIR, files_.folder());
  EXPECT_EQ(Text(IDC_CFG_EDIT), "dir dir \"" + files_.folder() + "\"\r\n");
}

// The edit holds CR LF; a line inserted into an LF file is saved with LF
// like the rest.
TEST_F(DirectiveInsertion, ALineInsertedIntoAnLfFileIsSavedWithLf) {
  WriteBytes(cfg_.path(), "a\n\nb\n");
  Click(IDC_CFG_RELOAD);
  SendMessageA(Edit(), EM_SETSEL, 3, 3);
  ChooseWith(IDC_ADD_SOUNDFONT, files_.Sf2());
  EXPECT_EQ(Text(IDC_CFG_EDIT), "a\r\nsoundfont \"" + files_.Sf2() + "\"\r\nb\r\n");
  Click(IDC_CFG_SAVE);
  EXPECT_EQ(cfg_.Bytes(), "a\nsoundfont \"" + files_.Sf2() + "\"\nb\n");
}

// A caret past character 32,767 overflows the packed EM_GETSEL result; the
// line still goes in at the caret, not at the top of the text.
TEST_F(DirectiveInsertion, CaretFarIntoALargeTextTakesTheLine) {
  std::string text;
  while (text.size() < 70000) text += "soundfont \"C:\\sf2\\piano.sf2\"\r\n";
  for (DWORD caret : {DWORD{40000}, DWORD{69990}}) {
    SetEditor(text, caret, caret);
    ChooseWith(IDC_ADD_SOURCE, files_.Cfg());
    std::string expected = text;
    expected.insert(caret, "source \"" + files_.Cfg() + "\"");
    EXPECT_EQ(Text(IDC_CFG_EDIT), expected) << caret;
  }
}

TEST_F(DirectiveInsertion, CancellingChangesNeitherTextNorDirectory) {
  for (const ButtonCase &c : kButtons) {
    SetEditor("dir \"C:\\old\"\r\nsource x.cfg", 3, 12);
    ModalDriver driver(ChooserOf(window_), [&](HWND chooser) {
      SetCurrentDirectoryA(files_.other().c_str());
      if (c.button == IDC_ADD_DIR)
        SendMessageA(chooser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(files_.folder().c_str()));
      else
        TypeFileName(chooser, PathFor(c, files_));
      Cancel(chooser);
      return true;
    });
    Click(c.button);
    EXPECT_EQ(driver.calls(), 1) << c.keyword;
    EXPECT_EQ(Text(IDC_CFG_EDIT), "dir \"C:\\old\"\r\nsource x.cfg") << c.keyword;
    DWORD start = 0, end = 0;
    SendMessageA(Edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 3u) << c.keyword;
    EXPECT_EQ(end, 12u) << c.keyword;
    EXPECT_EQ(CurrentDirectory(), files_.base()) << c.keyword;
  }
}

// "My Computer" has no file-system path: confirming it inserts nothing.
TEST_F(DirectiveInsertion, FolderWithoutAFileSystemPathInsertsNothing) {
  SetEditor("dir \r\n", 4, 4);
  LPITEMIDLIST computer = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
  ModalDriver driver(ChooserOf(window_), [&](HWND chooser) {
    SendMessageA(chooser, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(computer));
    Confirm(chooser);
    return true;
  });
  Click(IDC_ADD_DIR);
  CoTaskMemFree(computer);
  EXPECT_EQ(driver.calls(), 1);
  EXPECT_EQ(Text(IDC_CFG_EDIT), "dir \r\n");
  EXPECT_EQ(CurrentDirectory(), files_.base());
}

// The file dialog refuses a name that does not exist and stays open; the
// user then cancels, and nothing is inserted.
TEST_F(DirectiveInsertion, FileDialogTakesOnlyExistingFiles) {
  SetEditor("", 0, 0);
  MessageBoxCatcher boxes;
  int step = 0;
  ModalDriver driver(ChooserOf(window_), [&](HWND chooser) {
    if (step++ == 0) {
      TypeFileName(chooser, files_.folder() + "\\missing.sf2");
      Confirm(chooser);
      return false;
    }
    Cancel(chooser);
    return true;
  });
  Click(IDC_ADD_SOUNDFONT);
  EXPECT_EQ(driver.calls(), 2);
  EXPECT_EQ(boxes.seen().size(), 1u);
  EXPECT_EQ(Text(IDC_CFG_EDIT), "");
}

}  // namespace
