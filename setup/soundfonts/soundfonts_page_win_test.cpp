#include "setup/soundfonts/soundfonts_page_win.h"

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>
#include <shlobj.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "setup/res/resource.h"
#include "tests/portable/soundfont_bytes.h"
#include "tests/win/modal_driver_win.h"
#include "tests/win/setup_fixture_win.h"

namespace {

// A folder of the test's own in the temporary directory, with its files
// removed when the test ends.
class Folder {
 public:
  explicit Folder(const char *name) {
    char temp[MAX_PATH], longTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    GetLongPathNameA(temp, longTemp, MAX_PATH);
    path_ = std::string(longTemp) + name;
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~Folder() {
    for (const std::string &file : files_) DeleteFileA(file.c_str());
    RemoveDirectoryA(path_.c_str());
  }
  std::string Put(const char *name, const std::string &bytes) {
    files_.push_back(path_ + "\\" + name);
    WriteBytes(files_.back(), bytes);
    return files_.back();
  }
  const std::string &path() const { return path_; }

 private:
  std::string path_;
  std::vector<std::string> files_;
};

// The open-file dialog that the page opens, for a driver to act on.
ModalDriver::WindowTest ChooserOf(HWND setupWindow) {
  return [setupWindow](HWND window) {
    return window != setupWindow && IsDialogWindow(window) && !IsMessageBox(window) &&
           IsWindowVisible(window) && IsWindowEnabled(window);
  };
}

// What the file dialog's name field holds, in either of its layouts.
std::string FileNameShown(HWND dialog) {
  std::string name = ItemText(dialog, cmb13);
  return name.empty() ? ItemText(dialog, edt1) : name;
}

// A drop of `paths` from Explorer, as the shell hands it to the window.
HDROP DropOf(const std::vector<std::string> &paths) {
  size_t size = sizeof(DROPFILES) + 1;
  for (const std::string &path : paths) size += path.size() + 1;
  HGLOBAL memory = GlobalAlloc(GHND, size);
  auto *drop = static_cast<DROPFILES *>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  char *at = reinterpret_cast<char *>(drop + 1);
  for (const std::string &path : paths) {
    lstrcpyA(at, path.c_str());
    at += path.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

class SoundfontsPage : public SetupPageTest {
 protected:
  SoundfontsPage() : SetupPageTest(kSoundfontsPage) {}

  HWND List() const { return Item(IDC_SF_LIST); }
  void ShowPage() const { ClickTab(Tabs(), kSoundfontsPage); }

  // Each row as the list shows it: its checkbox, then its five columns.
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    LRESULT count = SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0);
    for (LRESULT item = 0; item < count; ++item) {
      UINT state = static_cast<UINT>(SendMessageA(List(), LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK));
      std::string row = state == INDEXTOSTATEIMAGEMASK(2) ? "[x]" : "[ ]";
      for (int column = 0; column < 5; ++column) {
        char text[1024] = "";
        LVITEMA cell = {};
        cell.iSubItem = column;
        cell.pszText = text;
        cell.cchTextMax = sizeof text;
        SendMessageA(List(), LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&cell));
        row += std::string(" ") + text + " |";
      }
      rows.push_back(row);
    }
    return rows;
  }

  void Select(const std::vector<int> &items) const {
    LVITEMA none = {};
    none.stateMask = LVIS_SELECTED;
    SendMessageA(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    LVITEMA selected = {};
    selected.stateMask = selected.state = LVIS_SELECTED;
    for (int item : items) SendMessageA(List(), LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&selected));
  }

  // Switches a row's checkbox as a click on it does.
  void SetChecked(int item, bool on) const {
    LVITEMA state = {};
    state.stateMask = LVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(on ? 2 : 1);
    SendMessageA(List(), LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
  }

  // A key pressed in the list, with Ctrl held or not.
  void Key(WORD key, bool ctrl = false) const {
    BYTE keys[256];
    GetKeyboardState(keys);
    BYTE saved = keys[VK_CONTROL];
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
    NMLVKEYDOWN down = {};
    down.hdr = {List(), IDC_SF_LIST, static_cast<UINT>(LVN_KEYDOWN)};
    down.wVKey = key;
    SendMessageA(Page(kSoundfontsPage), WM_NOTIFY, IDC_SF_LIST, reinterpret_cast<LPARAM>(&down));
    keys[VK_CONTROL] = saved;
    SetKeyboardState(keys);
  }

  bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }

  void Drop(const std::vector<std::string> &paths) const {
    SendMessageA(Page(kSoundfontsPage), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(paths)), 0);
  }

  // Presses "適用" and answers its question with `answer`; the boxes seen.
  std::vector<SeenMessageBox> Apply(int answer = IDOK) const {
    MessageBoxCatcher boxes(answer);
    Click(IDC_SF_APPLY);
    return boxes.seen();
  }

  WindowsFileGuard extra_{"extra.cfg"};
  Folder fonts_{"velder soundfonts test"};
};

std::string Written() { return Localized("orvane.cfg に書き込みました", "orvane.cfg has been written."); }

TEST_F(SoundfontsPage, ReadsNothingUntilShownThenListsEveryEntryAndWhatItsFileIs) {
  std::string piano = fonts_.Put("piano.sf2", SoundfontBytes("Grand Piano", 2000));
  std::string page = fonts_.Put("page.sf2", "<html></html>");
  std::string cut = fonts_.Put("cut.sf2", SoundfontBytes("Cut", 5000).substr(0, 100));
  WriteBytes(extra_.path(), "soundfont \"" + piano + "\"\r\n");
  WriteBytes(cfg_.path(), "soundfont \"" + piano + "\" amp=120 pan=0\r\n#soundfont \"" + page +
                              "\"\r\nsoundfont gone.sf2\r\nsoundfont \"" + cut +
                              "\"\r\nsource extra.cfg\r\n");
  Open();
  EXPECT_TRUE(Rows().empty()) << "nothing is read at start-up";
  ShowPage();
  std::string ok = Localized("OK", "OK");
  EXPECT_EQ(Rows(),
            (std::vector<std::string>{
                "[x] " + piano + " | Grand Piano | OK | 2.0 KB | amp=120 pan=0 |",
                "[ ] " + page + " |  | " + Localized("SoundFont ではありません", "not a SoundFont file") +
                    " | 0.0 KB |  |",
                "[x] gone.sf2 |  | " + Localized("見つかりません", "not found") + " |  |  |",
                "[x] " + cut + " | Cut | " + Localized("途中で切れています", "truncated") + " | 0.1 KB |  |",
                "[x] " + piano + " | Grand Piano | " + Localized("extra.cfg から", "in extra.cfg") +
                    " | 2.0 KB |  |",
            }));
  // A sourced entry is only shown.
  Select({4});
  for (int id : {IDC_SF_REMOVE, IDC_SF_UP, IDC_SF_DOWN, IDC_SF_LOCATE}) EXPECT_FALSE(Enabled(id)) << id;
  Select({0, 1});
  EXPECT_TRUE(Enabled(IDC_SF_REMOVE));
  EXPECT_FALSE(Enabled(IDC_SF_LOCATE)) << "Locate is for one entry";
  Select({0});
  EXPECT_TRUE(Enabled(IDC_SF_LOCATE));
  SetChecked(4, false);
  EXPECT_EQ(Rows()[4].substr(0, 3), "[x]");
}

TEST_F(SoundfontsPage, EditsStayAcrossTabsAndApplyWritesThemByPosition) {
  std::string a = fonts_.Put("a.sf2", SoundfontBytes("A")), b = fonts_.Put("b.sf2", SoundfontBytes("B"));
  const std::string cfg = "dir C:\\fonts\r\nsoundfont \"" + a +
                          "\"\r\n#extension opt --volume=50\r\nsoundfont \"" + b +
                          "\" amp=1\r\nsoundfont gone.sf2\n# end\r\n";
  WriteBytes(cfg_.path(), cfg);
  Open();
  ShowPage();
  Select({1});
  Click(IDC_SF_UP);  // b a gone
  SetChecked(1, false);
  Select({2});
  Key(VK_DELETE);  // b a
  Select({1});
  Key(VK_UP, true);  // a b
  ClickTab(Tabs(), kEditorPage);
  ShowPage();
  EXPECT_EQ(Rows().size(), 2u);
  EXPECT_EQ(Rows()[0].substr(0, 3), "[ ]") << "unapplied changes stay";
  std::vector<SeenMessageBox> boxes = Apply();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, Written());
  EXPECT_EQ(boxes[0].caption, Localized("確認", "Confirmation"));
  EXPECT_EQ(cfg_.Bytes(), "dir C:\\fonts\r\n#soundfont \"" + a +
                              "\"\r\n#extension opt --volume=50\r\nsoundfont \"" + b +
                              "\" amp=1\r\n# end\r\n");
  EXPECT_EQ(cfgPrevious_.Bytes(), cfg);
  // After Apply the rows are the file's, as written.
  EXPECT_EQ(Rows()[1], "[x] " + b + " | B | OK | 0.1 KB | amp=1 |");
}

TEST_F(SoundfontsPage, FilesDroppedOrAddedAreCheckedAndTheRestRefusedInOneBox) {
  std::string a = fonts_.Put("a.sf2", SoundfontBytes("A")), b = fonts_.Put("b.sf2", SoundfontBytes("B"));
  std::string page = fonts_.Put("page.sf2", "<html></html>");
  WriteBytes(cfg_.path(), "soundfont \"" + a + "\"\r\n");
  Open();
  ShowPage();
  std::string upper = a;
  CharUpperA(&upper[0]);
  MessageBoxCatcher boxes;
  Drop({b, upper, page, fonts_.path()});
  EXPECT_EQ(boxes.OnlyBox().text,
            Localized("次のファイルは追加しませんでした:", "These files were not added:") + "\r\n" + upper +
                ": " + Localized("すでに一覧にあります", "already in the list") + "\r\n" + page + ": " +
                Localized("SoundFont ではありません", "not a SoundFont file") + "\r\n" + fonts_.path() +
                ": " + Localized("フォルダです", "a folder"));
  EXPECT_EQ(boxes.OnlyBox().caption, Localized("エラー", "Error"));
  ASSERT_EQ(Rows().size(), 2u);
  EXPECT_EQ(Rows()[1], "[x] " + b + " | B | OK | 0.1 KB |  |");

  // "追加..." opens the file dialog, whose choice is added the same way.
  std::string c = fonts_.Put("c.sf2", SoundfontBytes("C"));
  std::string filter;
  ModalDriver driver(ChooserOf(window_), [&](HWND chooser) {
    char first[128] = "";
    SendDlgItemMessageA(chooser, cmb1, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    filter = first;
    SetDlgItemTextA(chooser, cmb13, c.c_str());
    SetDlgItemTextA(chooser, edt1, c.c_str());
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    return true;
  });
  Click(IDC_SF_ADD);
  EXPECT_EQ(filter, Localized("サウンドフォント (*.sf2)", "SoundFonts (*.sf2)"));
  ASSERT_EQ(Rows().size(), 3u);
  EXPECT_EQ(Rows()[2], "[x] " + c + " | C | OK | 0.1 KB |  |");
  Apply();
  EXPECT_EQ(cfg_.Bytes(),
            "soundfont \"" + a + "\"\r\nsoundfont \"" + b + "\"\r\nsoundfont \"" + c + "\"\r\n");
}

// Locate looks for a file of the entry's name beside the other entries and
// opens the file dialog there, its name filled in.
TEST_F(SoundfontsPage, LocateFindsAMovedFileAndKeepsTheEntrysOptions) {
  std::string a = fonts_.Put("a.sf2", SoundfontBytes("A"));
  std::string moved = fonts_.Put("Moved.sf2", SoundfontBytes("Moved"));
  WriteBytes(cfg_.path(), "soundfont \"" + a + "\"\r\nsoundfont C:\\old\\place\\moved.sf2 amp=90\r\n");
  Open();
  ShowPage();
  Select({1});
  std::string startName;
  ModalDriver driver(ChooserOf(window_), [&](HWND chooser) {
    startName = FileNameShown(chooser);
    SetDlgItemTextA(chooser, cmb13, moved.c_str());
    SetDlgItemTextA(chooser, edt1, moved.c_str());
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    return true;
  });
  Click(IDC_SF_LOCATE);
  EXPECT_EQ(startName, "moved.sf2");
  EXPECT_EQ(Rows()[1], "[x] " + moved + " | Moved | OK | 0.1 KB | amp=90 |");
  Apply();
  EXPECT_EQ(cfg_.Bytes(), "soundfont \"" + a + "\"\r\nsoundfont \"" + moved + "\" amp=90\r\n");
}

TEST_F(SoundfontsPage, AsksBeforeOverwritingSoundfontLinesChangedSinceRead) {
  WriteBytes(cfg_.path(), "soundfont x.sf2\r\n");
  Open();
  ShowPage();
  SetChecked(0, false);
  WriteBytes(cfg_.path(), "soundfont x.sf2\r\nsoundfont y.sf2\r\n");
  std::vector<SeenMessageBox> boxes = Apply(IDNO);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            Localized("orvane.cfg のサウンドフォントは読み込んだ後に変更されています。上書きしますか？",
                      "The soundfonts in orvane.cfg have changed since they were read. Overwrite them?"));
  EXPECT_TRUE(boxes[0].yesNo);
  EXPECT_EQ(boxes[0].defaultButton, IDNO);
  EXPECT_EQ(cfg_.Bytes(), "soundfont x.sf2\r\nsoundfont y.sf2\r\n") << "No writes nothing";
  // A change elsewhere is kept without asking.
  Click(IDC_SF_RELOAD);
  SetChecked(1, false);
  WriteBytes(cfg_.path(), "# new\r\nsoundfont x.sf2\r\nsoundfont y.sf2\r\n");
  boxes = Apply();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, Written());
  EXPECT_EQ(cfg_.Bytes(), "# new\r\nsoundfont x.sf2\r\n#soundfont y.sf2\r\n");
}

TEST_F(SoundfontsPage, AFailedWriteSaysSoAndLeavesTheFile) {
  WriteBytes(cfg_.path(), "soundfont x.sf2\r\n");
  Open();
  ShowPage();
  SetChecked(0, false);
  {
    FileHolder holder(cfg_.path(), 0);
    ASSERT_TRUE(holder.held());
    std::vector<SeenMessageBox> boxes = Apply();
    ASSERT_EQ(boxes.size(), 1u);
    ExpectFailedSaveBox(boxes[0], Page(kSoundfontsPage));
  }
  EXPECT_EQ(cfg_.Bytes(), "soundfont x.sf2\r\n");
}

}  // namespace
