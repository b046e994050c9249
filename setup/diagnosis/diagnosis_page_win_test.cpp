#include "setup/diagnosis/diagnosis_page_win.h"

#include <commctrl.h>

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "lib/config/windows_view_win.h"
#include "setup/res/resource.h"
#include "tests/portable/soundfont_bytes.h"
#include "tests/win/setup_fixture_win.h"

namespace {

// One finding of each family: a missing target, a source loop (in the
// sourced file, named by its path), an option given again, a value the
// options page cannot show, a value loading limits, and a VirtualStore copy.
const char kFaultyCfg[] =
    "soundfont \"missing.sf2\"\r\n"
    "source \"loop.cfg\"\r\n"
    "#extension opt --reverb=g\r\n"
    "#extension opt --sampling-freq=96000\r\n"
    "#extension opt --reverb=f,40\r\n";
const char kLoopCfg[] = "source \"orvane.cfg\"\r\n";
const char kLimitedParams[] = "[main]\r\nver=101\r\n[param]\r\n_VibratoCent=0\r\n";
const std::string kNoProblem = Localized("問題は見つかりませんでした", "No problems were found.");

// A copy of a file in the current user's VirtualStore, removed when the test ends.
class VirtualStoreCopy {
 public:
  VirtualStoreCopy(const char *name, const std::string &bytes) : path_(UserVirtualStore() + "\\" + name) {
    for (size_t at = path_.find('\\', 3); at != std::string::npos; at = path_.find('\\', at + 1))
      CreateDirectoryA(path_.substr(0, at).c_str(), nullptr);
    WriteBytes(path_, bytes);
  }
  ~VirtualStoreCopy() { DeleteFileA(path_.c_str()); }
  const std::string &path() const { return path_; }

 private:
  std::string path_;
};

class DiagnosisPage : public SetupPageTest {
 protected:
  DiagnosisPage() : SetupPageTest(kDiagnosisPage) {}

  HWND List() const { return Item(IDC_DIAG_LIST); }
  void ShowPage() const { ClickTab(Tabs(), kDiagnosisPage); }

  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    LRESULT count = SendMessageA(List(), LB_GETCOUNT, 0, 0);
    for (LRESULT row = 0; row < count; ++row) {
      std::string text(SendMessageA(List(), LB_GETTEXTLEN, row, 0), '\0');
      SendMessageA(List(), LB_GETTEXT, row, reinterpret_cast<LPARAM>(&text[0]));
      rows.push_back(text);
    }
    return rows;
  }

  // Double-clicks the row that begins with `start`, as the list notifies it.
  void DoubleClickRow(const std::string &start) const {
    std::vector<std::string> rows = Rows();
    for (size_t row = 0; row < rows.size(); ++row)
      if (rows[row].compare(0, start.size(), start) == 0) {
        SendMessageA(List(), LB_SETCURSEL, row, 0);
        SendMessageA(Page(kDiagnosisPage), WM_COMMAND, MAKEWPARAM(IDC_DIAG_LIST, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(List()));
        return;
      }
    ADD_FAILURE() << "no row begins with " << start;
  }

  WindowsFileGuard loop_{"loop.cfg"};
  WindowsFileGuard soundfont_{"real.sf2"};
};

TEST_F(DiagnosisPage, ListsEachFindingWithItsPlaceAndReadsNothingUntilShown) {
  WriteBytes(cfg_.path(), kFaultyCfg);
  WriteBytes(loop_.path(), kLoopCfg);
  WriteBytes(params_.path(), kLimitedParams);
  VirtualStoreCopy copy("orvane.cfg", "soundfont \"old.sf2\"\r\n");
  Open();
  EXPECT_TRUE(Rows().empty()) << "the page diagnosed before it was shown";

  ShowPage();
  const std::vector<std::string> expected = {
      Localized("orvane.cfg: VirtualStore に orvane.cfg "
                "のコピーがあり、マニフェストのないプログラムはそちらを読みます"
                "（内容は異なります）",
                ("orvane.cfg: programs without a manifest read " + copy.path() +
                 " (a copy in the VirtualStore) instead of this file; its bytes differ from this file's")
                    .c_str()),
      Localized(("orvane.cfg:1: soundfont \"missing.sf2\" が見つかりません（探した場所: " +
                 WindowsFilePath("missing.sf2") + "）")
                    .c_str(),
                ("orvane.cfg:1: soundfont file \"missing.sf2\" not found; looked for " +
                 WindowsFilePath("missing.sf2"))
                    .c_str()),
      Localized("orvane.cfg:3: \"--reverb=g\" は 5 行目で上書きされます（最後の行だけが使われます）",
                "orvane.cfg:3: \"--reverb=g\": reverb given again on line 5; only the last line counts"),
      Localized(
          "orvane.cfg:4: \"--sampling-freq=96000\" はドライバ設定ページで表示できません。ページには 44100 "
          "が表示され、次の「適用」でそれが書き込まれます",
          "orvane.cfg:4: \"--sampling-freq=96000\": not a rate of the page's list; the options page shows "
          "sampling-freq 44100 instead, and the next apply writes that"),
      Localized((loop_.path() + ":1: source \"" + cfg_.path() +
                 "\" は読み込み中のファイルに戻ります（読み込みません）")
                    .c_str(),
                (loop_.path() + ":1: source loop: " + cfg_.path() + " is already being read; not followed")
                    .c_str()),
      Localized(
          "velder_soundfont.ini:4: [param] _VibratoCent=0 は範囲外のため 1 になります",
          "velder_soundfont.ini:4: [param] _VibratoCent=0 is outside the limits of loading and becomes 1"),
  };
  EXPECT_EQ(Rows(), expected);
  EXPECT_EQ(cfg_.Bytes(), kFaultyCfg);  // the page never writes
  EXPECT_EQ(params_.Bytes(), kLimitedParams);
}

TEST_F(DiagnosisPage, ACleanSetUpShowsTheOneNoProblemRow) {
  WriteBytes(cfg_.path(), "soundfont \"real.sf2\"\r\n");
  WriteBytes(soundfont_.path(), SoundfontBytes("Real"));
  Open();  // the parameters page writes a missing parameter file at once
  ShowPage();
  EXPECT_EQ(Rows(), std::vector<std::string>{kNoProblem});
  EXPECT_EQ(Text(IDC_DIAG_RECHECK), Localized("再チェック", "Check again"));
}

TEST_F(DiagnosisPage, RecheckAndShowingAgainDiagnoseTheFilesAfresh) {
  WriteBytes(cfg_.path(), "soundfont \"real.sf2\"\r\n");
  Open();
  ShowPage();
  ASSERT_EQ(Rows().size(), 1u);
  EXPECT_NE(Rows()[0].find("real.sf2"), std::string::npos);

  WriteBytes(soundfont_.path(), "<html></html>");  // a page saved in its place
  Click(IDC_DIAG_RECHECK);
  EXPECT_EQ(Rows(),
            std::vector<std::string>{
                Localized("orvane.cfg:1: soundfont \"", "orvane.cfg:1: soundfont file ") + soundfont_.path() +
                Localized("\" は SoundFont ではありません", " is not a SoundFont file")});
  WriteBytes(soundfont_.path(), SoundfontBytes("Real"));  // the real file put in place
  Click(IDC_DIAG_RECHECK);
  EXPECT_EQ(Rows(), std::vector<std::string>{kNoProblem});

  WriteBytes(cfg_.path(), "soundfont \"real.sf2\"\r\nsoundfont \"gone.sf2\"\r\n");
  ClickTab(Tabs(), kEditorPage);
  ShowPage();
  ASSERT_EQ(Rows().size(), 1u);
  EXPECT_EQ(Rows()[0].rfind(Localized("orvane.cfg:2: soundfont \"gone.sf2\" が見つかりません",
                                      "orvane.cfg:2: soundfont file \"gone.sf2\" not found"),
                            0),
            0u)
      << Rows()[0];
}

TEST_F(DiagnosisPage, DoubleClickSelectsTheLineInTheEditorsTextAsItStands) {
  WriteBytes(cfg_.path(), kFaultyCfg);
  WriteBytes(loop_.path(), kLoopCfg);
  Open();
  HWND edit = GetDlgItem(Page(kEditorPage), IDC_CFG_EDIT);
  // An unsaved edit: a line typed at the top moves the file's lines down in the editor.
  SetWindowTextA(edit, ("# typed\r\n" + std::string(kFaultyCfg)).c_str());
  ShowPage();

  DoubleClickRow("orvane.cfg:4:");
  EXPECT_EQ(SendMessageA(Tabs(), TCM_GETCURSEL, 0, 0), kEditorPage);
  EXPECT_TRUE(IsWindowVisible(Page(kEditorPage)));
  EXPECT_FALSE(IsWindowVisible(Page(kDiagnosisPage)));
  DWORD start = 0, end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  std::string text = WindowText(edit);
  EXPECT_EQ(text.substr(start, end - start), "#extension opt --reverb=g");

  // Past the end of the text, the caret goes to the end.
  SetWindowTextA(edit, "soundfont \"a.sf2\"\r\nx");
  ShowPage();
  DoubleClickRow("orvane.cfg:4:");
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 20u);
  EXPECT_EQ(end, 20u);

  // A finding of another file leaves the page as it is.
  ShowPage();
  DoubleClickRow(loop_.path());
  EXPECT_EQ(SendMessageA(Tabs(), TCM_GETCURSEL, 0, 0), kDiagnosisPage);
  EXPECT_TRUE(IsWindowVisible(Page(kDiagnosisPage)));
}

TEST_F(DiagnosisPage, CtrlCCopiesTheSelectedRow) {
  WriteBytes(cfg_.path(), "soundfont \"gone.sf2\"\r\nsoundfont \"lost.sf2\"\r\n");
  Open();
  ShowPage();
  ASSERT_EQ(Rows().size(), 2u);
  SendMessageA(List(), LB_SETCURSEL, 1, 0);

  BYTE keys[256], saved[256];
  GetKeyboardState(saved);
  std::copy(saved, saved + 256, keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  SendMessageA(List(), WM_KEYDOWN, 'C', 0);
  SetKeyboardState(saved);

  ASSERT_TRUE(OpenClipboard(window_));
  HANDLE data = GetClipboardData(CF_TEXT);
  std::string copied = data ? static_cast<const char *>(GlobalLock(data)) : "";
  if (data) GlobalUnlock(data);
  CloseClipboard();
  EXPECT_EQ(copied, Rows()[1]);
  EXPECT_EQ(SendMessageA(List(), LB_GETCURSEL, 0, 0), 1) << "the key moved the selection";
}

}  // namespace
