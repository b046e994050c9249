// Every page's save over a file that has attributes: a hidden system file
// stays so, and a read-only one is refused and keeps its bytes; and the
// previous version that a run's saves keep.
#include <windows.h>

#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

#include "setup/res/resource.h"
#include "tests/win/setup_fixture_win.h"

namespace {

// A page's save as the user makes it, over a file whose bytes the save
// changes.
struct PageSave {
  const char *name;
  SetupPageIndex page;
  int button;
  bool params;  // writes velder_soundfont.ini, else orvane.cfg
  const char *before;
  int edit;  // a control given new text before the save, or 0
  const char *editText;
};

const PageSave kSaves[] = {
    {"editor", kEditorPage, IDC_CFG_SAVE, false, "soundfont \"old.sf2\"\r\n", IDC_CFG_EDIT,
     "soundfont \"new.sf2\"\r\n"},
    {"options", kOptionsPage, IDC_OPT_APPLY, false, "soundfont \"old.sf2\"\r\n", 0, nullptr},
    {"params", kParamsPage, IDC_PARAMS_SAVE, true, "[main]\r\nver=101\r\n", 0, nullptr},
};

void PrintTo(const PageSave &save, std::ostream *out) { *out << save.name; }

class PageSaves : public SetupWindowTest, public testing::WithParamInterface<PageSave> {
 protected:
  // Attributes set by a test are taken off before the guards put the files back.
  ~PageSaves() override {
    SetFileAttributesA(cfg_.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA(params_.path().c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  const WindowsFileGuard &File() const { return GetParam().params ? params_ : cfg_; }
  const WindowsFileGuard &Previous() const { return GetParam().params ? paramsPrevious_ : cfgPrevious_; }
  DWORD Attributes() const { return GetFileAttributesA(File().path().c_str()); }
  // Puts the file with `attributes`.
  void PutFile(DWORD attributes) {
    WriteBytes(File().path(), GetParam().before);
    ASSERT_TRUE(SetFileAttributesA(File().path().c_str(), attributes));
  }
  // Opens the window and saves on the page; returns the message boxes it showed.
  std::vector<SeenMessageBox> Save() {
    Open();  // the parameters page creates its missing file here
    filesBefore_ = WindowsDirectoryFiles("*");
    HWND page = Page(GetParam().page);
    if (GetParam().edit) SetDlgItemTextA(page, GetParam().edit, GetParam().editText);
    MessageBoxCatcher boxes;
    ClickButton(page, GetParam().button);
    return boxes.seen();
  }
  std::vector<std::string> filesBefore_;
};

// The save, the run's first of the file, also leaves the file as it was
// beside it, and nothing else.
TEST_P(PageSaves, AHiddenSystemFileStaysHiddenAndSystem) {
  const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  PutFile(kept);
  if ((Attributes() & kept) != kept)
    GTEST_SKIP() << "the file system of this Wine prefix keeps no hidden or system attribute";
  for (const SeenMessageBox &box : Save())
    EXPECT_NE(box.text, Localized("ファイルの保存に失敗しました", "The file could not be saved."));
  EXPECT_NE(File().Bytes(), GetParam().before);
  EXPECT_EQ(Attributes() & kept, kept);
  EXPECT_EQ(Previous().Bytes(), GetParam().before);
  std::vector<std::string> expected = filesBefore_;
  expected.push_back(Previous().path().substr(Previous().path().find_last_of('\\') + 1));
  std::vector<std::string> files = WindowsDirectoryFiles("*");
  std::sort(expected.begin(), expected.end());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, expected);
}

// As on Windows, whoever runs it: Wine lets root replace a read-only file.
TEST_P(PageSaves, AReadOnlyFileIsRefusedAndKeepsItsBytes) {
  PutFile(FILE_ATTRIBUTE_READONLY);
  std::vector<SeenMessageBox> boxes = Save();
  ASSERT_EQ(boxes.size(), 1u);
  ExpectFailedSaveBox(boxes[0], Page(GetParam().page));
  EXPECT_EQ(File().Bytes(), GetParam().before);
  EXPECT_EQ(WindowsDirectoryFiles("*"), filesBefore_);
}

INSTANTIATE_TEST_SUITE_P(EachPage, PageSaves, testing::ValuesIn(kSaves),
                         [](const testing::TestParamInfo<PageSave> &info) { return info.param.name; });

// Later saves of a file in the same run keep the version from before the run:
// the editor's save and then the options page's apply, both of orvane.cfg,
// and the parameters page's conversion at start and then its save.
TEST_F(SetupWindowTest, ARunKeepsTheVersionOfEachFileFromBeforeIt) {
  const std::string cfg = "soundfont \"old.sf2\"\r\n", params = "[param]\r\nVibratoDelay=2500\r\n";
  WriteBytes(cfg_.path(), cfg);
  WriteBytes(params_.path(), params);
  Open();
  ASSERT_NE(params_.Bytes(), params) << "the older layout is converted at start";
  EXPECT_EQ(paramsPrevious_.Bytes(), params);
  MessageBoxCatcher boxes;
  SetDlgItemTextA(Page(kEditorPage), IDC_CFG_EDIT, "soundfont \"new.sf2\"\r\n");
  ClickButton(Page(kEditorPage), IDC_CFG_SAVE);
  EXPECT_EQ(cfg_.Bytes(), "soundfont \"new.sf2\"\r\n");
  EXPECT_EQ(cfgPrevious_.Bytes(), cfg);
  ClickButton(Page(kOptionsPage), IDC_OPT_APPLY);
  EXPECT_NE(cfg_.Bytes().find("#extension opt"), std::string::npos);
  const std::string converted = params_.Bytes();
  SendDlgItemMessageA(Page(kParamsPage), IDC_MIXER_VOLUME, BM_CLICK, 0, 0);
  ClickButton(Page(kParamsPage), IDC_PARAMS_SAVE);
  EXPECT_NE(params_.Bytes(), converted);
  EXPECT_EQ(cfgPrevious_.Bytes(), cfg);
  EXPECT_EQ(paramsPrevious_.Bytes(), params);
  for (const SeenMessageBox &box : boxes.seen()) EXPECT_NE(box.text, "ファイルの保存に失敗しました");
}

}  // namespace
