#include "setup/diagnosis/diagnosis_page_win.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "lib/config/windows_view_win.h"
#include "lib/midi/test_phrase.h"
#include "lib/texts/interface_text_win.h"
#include "lib/texts/midi_texts.h"
#include "setup/res/resource.h"
#include "tests/portable/fake_midi.h"
#include "tests/portable/line_forms.h"
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

// The MIDI rows of the fixture's system: one device, the driver registered
// alike in both views.
const std::vector<std::string> kHealthyMidiRows = {
    Localized("MIDI 出力 0: Velder MIDI", "MIDI output 0: Velder MIDI"),
    Localized("MIDI マッパー（既定のデバイス）の出力先: MIDI 出力 0 Velder MIDI",
              "MIDI mapper (the default device): plays to MIDI output 0, Velder MIDI"),
    Localized("Drivers32 midi（64 ビット）: velder.dll", "Drivers32 midi (64-bit): velder.dll"),
    Localized("Drivers32 midi（32 ビット）: velder.dll", "Drivers32 midi (32-bit): velder.dll"),
    Localized("Windows MIDI Services: 使われていません", "Windows MIDI Services: not active"),
};

std::vector<std::string> Joined(std::vector<std::string> rows, const std::vector<std::string> &more) {
  rows.insert(rows.end(), more.begin(), more.end());
  return rows;
}

// The rows the page shows for `calls`' MIDI system, as the texts word them.
std::vector<std::string> MidiRowsOf(const MidiCalls &calls) {
  std::vector<std::string> rows;
  for (const MidiRow &row : ReadMidiRows(calls)) rows.push_back(DescribeMidiRow(row, InterfaceLanguage()));
  return rows;
}

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

// The page over the system's own MIDI calls.
class DiagnosisPageOfTheSystem : public SetupPageTest {
 protected:
  DiagnosisPageOfTheSystem() : SetupPageTest(kDiagnosisPage) {}

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

  // The devices' list, item by item.
  std::vector<std::string> Devices() const {
    std::vector<std::string> items;
    HWND devices = Item(IDC_DIAG_DEVICE);
    LRESULT count = SendMessageA(devices, CB_GETCOUNT, 0, 0);
    for (LRESULT item = 0; item < count; ++item) {
      std::string text(SendMessageA(devices, CB_GETLBTEXTLEN, item, 0), '\0');
      SendMessageA(devices, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(&text[0]));
      items.push_back(text);
    }
    return items;
  }
  LRESULT ChosenDevice() const { return SendMessageA(Item(IDC_DIAG_DEVICE), CB_GETCURSEL, 0, 0); }

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

// The page over a MIDI system of the test's own, healthy until the test
// changes it.
class DiagnosisPage : public DiagnosisPageOfTheSystem {
 protected:
  DiagnosisPage() {
    midi_.devices = {"Velder MIDI"};
    midi_.SetBoth("midi", "velder.dll");
    midi_.files = {"C:\\windows\\system32\\velder.dll", "C:\\windows\\syswow64\\velder.dll"};
    UseMidiCalls(midi_.calls());
  }
  // The window goes first, while its page still plays to this system.
  ~DiagnosisPage() override {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
    UseMidiCalls(kSystemMidiCalls);
  }

  // The rows before the MIDI system's, which must be the healthy ones.
  std::vector<std::string> FileRows() const {
    std::vector<std::string> rows = Rows();
    if (rows.size() < kHealthyMidiRows.size() ||
        !std::equal(kHealthyMidiRows.begin(), kHealthyMidiRows.end(), rows.end() - kHealthyMidiRows.size())) {
      ADD_FAILURE() << "the rows do not end in the healthy MIDI rows: " << testing::PrintToString(rows);
      return rows;
    }
    rows.resize(rows.size() - kHealthyMidiRows.size());
    return rows;
  }

  // The phrase's whole log from opening `device` to closing it.
  static std::vector<std::string> WholePhrase(unsigned device) {
    std::vector<std::string> log = {"open " + std::to_string(device)};
    for (unsigned i = 0; i < kTestPhraseSteps; ++i) log.push_back(FakeMidi::Message(kTestPhrase[i].message));
    return Joined(log, Ending());
  }
  static std::vector<std::string> Ending() {
    std::vector<std::string> log;
    for (unsigned i = 0; i < kPhraseReleaseCount; ++i) log.push_back(FakeMidi::Message(kPhraseRelease[i]));
    return Joined(log, {"reset", "close"});
  }

  FakeMidi midi_;
};

TEST_F(DiagnosisPage, ListsEachFindingWithItsPlaceAndReadsNothingUntilShown) {
  WriteBytes(cfg_.path(), kFaultyCfg);
  WriteBytes(loop_.path(), kLoopCfg);
  WriteBytes(params_.path(), kLimitedParams);
  VirtualStoreCopy copy("orvane.cfg", "soundfont \"old.sf2\"\r\n");
  Open();
  EXPECT_TRUE(Rows().empty()) << "the page diagnosed before it was shown";
  EXPECT_EQ(midi_.queries, 0) << "the page read the MIDI system before it was shown";
  EXPECT_EQ(Devices(), std::vector<std::string>{});

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
  EXPECT_EQ(Rows(), Joined(expected, kHealthyMidiRows));
  EXPECT_EQ(cfg_.Bytes(), kFaultyCfg);  // the page never writes
  EXPECT_EQ(params_.Bytes(), kLimitedParams);
}

TEST_F(DiagnosisPage, ACleanSetUpShowsTheOneNoProblemRow) {
  WriteBytes(cfg_.path(), "soundfont \"real.sf2\"\r\n");
  WriteBytes(soundfont_.path(), SoundfontBytes("Real"));
  Open();  // the parameters page writes a missing parameter file at once
  ShowPage();
  EXPECT_EQ(Rows(), Joined({kNoProblem}, kHealthyMidiRows));
  EXPECT_EQ(Text(IDC_DIAG_RECHECK), Localized("再チェック", "&Check again"));
  EXPECT_EQ(Text(IDC_DIAG_PLAY), Localized("試聴", "&Play test"));
  EXPECT_EQ(Devices(), (std::vector<std::string>{
                           Localized("MIDI マッパー（既定のデバイス）", "MIDI mapper (the default device)"),
                           "0: Velder MIDI"}));
  EXPECT_EQ(ChosenDevice(), 0);
}

TEST_F(DiagnosisPage, RecheckAndShowingAgainDiagnoseTheFilesAfresh) {
  WriteBytes(cfg_.path(), "soundfont \"real.sf2\"\r\n");
  Open();
  ShowPage();
  ASSERT_EQ(FileRows().size(), 1u);
  EXPECT_NE(Rows()[0].find("real.sf2"), std::string::npos);

  WriteBytes(soundfont_.path(), "<html></html>");  // a page saved in its place
  Click(IDC_DIAG_RECHECK);
  EXPECT_EQ(FileRows(),
            std::vector<std::string>{
                Localized("orvane.cfg:1: soundfont \"", "orvane.cfg:1: soundfont file ") + soundfont_.path() +
                Localized("\" は SoundFont ではありません", " is not a SoundFont file")});
  WriteBytes(soundfont_.path(), SoundfontBytes("Real"));  // the real file put in place
  Click(IDC_DIAG_RECHECK);
  EXPECT_EQ(FileRows(), std::vector<std::string>{kNoProblem});

  WriteBytes(cfg_.path(), "soundfont \"real.sf2\"\r\nsoundfont \"gone.sf2\"\r\n");
  ClickTab(Tabs(), kEditorPage);
  ShowPage();
  ASSERT_EQ(FileRows().size(), 1u);
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

// Whatever the file's line ends, a finding's line is the one the editor
// shows, and a double-click lands on it; each lone CR is reported at the
// line it ends, in the interface's language.
TEST_F(DiagnosisPage, LinesAreTheEditorsWhateverTheLineEnds) {
  const std::string loneCr = Localized(
      "行末が CR だけです。ドライバはこれを行末と見なさず、次の LF までを一つの行として読みます",
      "the line ends in a lone CR, which the driver does not take for a line end: it reads on to the "
      "next LF as one line");
  for (const LineForm &form : kLineForms) {
    SCOPED_TRACE(form.name);
    WriteBytes(cfg_.path(), JoinedLines({"# fonts", "soundfont \"gone.sf2\"", "dir C:\\"}, form));
    Open();
    ShowPage();
    const std::string at = "orvane.cfg:" + std::to_string(ShownLine(2, form)) + ":";
    std::vector<std::string> rows = Rows();
    std::vector<std::string> loneCrRows, expected;
    for (const std::string &row : rows)
      if (row.find(loneCr) != std::string::npos) loneCrRows.push_back(row);
    for (int line : LoneCrLines(3, form))
      expected.push_back("orvane.cfg:" + std::to_string(line) + ": " + loneCr);
    EXPECT_EQ(loneCrRows, expected);
    DoubleClickRow(at + " soundfont");
    HWND edit = GetDlgItem(Page(kEditorPage), IDC_CFG_EDIT);
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(WindowText(edit).substr(start, end - start), "soundfont \"gone.sf2\"");
    DestroyWindow(window_);
  }
}

TEST_F(DiagnosisPage, CtrlCCopiesTheSelectedRow) {
  WriteBytes(cfg_.path(), "soundfont \"gone.sf2\"\r\nsoundfont \"lost.sf2\"\r\n");
  Open();
  ShowPage();
  ASSERT_EQ(FileRows().size(), 2u);
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

TEST_F(DiagnosisPage, TheMidiSystemIsReadAfreshOnEveryCheckAndItsFindingsTakeTheNoProblemRow) {
  WriteBytes(cfg_.path(), "soundfont \"real.sf2\"\r\n");
  WriteBytes(soundfont_.path(), SoundfontBytes("Real"));
  Open();
  ShowPage();
  ASSERT_EQ(Rows(), Joined({kNoProblem}, kHealthyMidiRows));

  midi_.devices.clear();
  midi_.values.erase({RegistryView::k32Bit, "midi"});
  Click(IDC_DIAG_RECHECK);
  std::vector<std::string> rows = Rows();
  EXPECT_EQ(rows, MidiRowsOf(midi_.calls()));
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0], Localized("MIDI 出力デバイスがありません（MIDI を再生するプログラムの音は出ません）",
                               "MIDI output: none, so programs that play MIDI hear nothing"));
  EXPECT_NE(
      std::find(rows.begin(), rows.end(),
                Localized("Drivers32 midi（64 ビット）: velder.dll は 64 ビットのプログラムにだけ登録されて"
                          "います（32 ビットのプログラムからは見えません）",
                          "Drivers32 midi (64-bit): velder.dll is registered for 64-bit programs only; "
                          "32-bit programs do not see this driver")),
      rows.end());
  EXPECT_EQ(Devices().size(), 1u) << "the devices' list was not read again";

  // A double-click on a MIDI row has no line to show.
  DoubleClickRow(rows[0]);
  EXPECT_EQ(SendMessageA(Tabs(), TCM_GETCURSEL, 0, 0), kDiagnosisPage);
}

TEST_F(DiagnosisPage, ThePhrasePlaysOnTheChosenDeviceStepByStepOnTheTimer) {
  midi_.devices = {"Microsoft GS Wavetable Synth", "Velder MIDI"};
  Open();
  ShowPage();
  ASSERT_EQ(Devices().size(), 3u);
  EXPECT_EQ(Devices()[2], "1: Velder MIDI");
  SendMessageA(Item(IDC_DIAG_DEVICE), CB_SETCURSEL, 2, 0);
  Click(IDC_DIAG_RECHECK);
  EXPECT_EQ(ChosenDevice(), 2) << "a recheck forgot the chosen device";

  Click(IDC_DIAG_PLAY);
  // The click returns at once, with the first steps played and the rest to come.
  std::vector<std::string> whole = WholePhrase(1);
  std::vector<std::string> start(whole.begin(), whole.begin() + 8);
  EXPECT_EQ(midi_.log, start);
  EXPECT_EQ(Text(IDC_DIAG_PLAY), Localized("停止", "&Stop"));

  PumpMessages(kTestPhraseLength + 800);
  EXPECT_EQ(midi_.log, whole);
  EXPECT_EQ(Text(IDC_DIAG_PLAY), Localized("試聴", "&Play test"));
}

TEST_F(DiagnosisPage, PressingAgainStopsThePhraseAndSoDoesClosingTheWindow) {
  Open();
  ShowPage();
  Click(IDC_DIAG_PLAY);
  ASSERT_FALSE(midi_.log.empty());
  EXPECT_EQ(midi_.log[0], "open 4294967295") << "the MIDI mapper is not the first choice";
  midi_.log.clear();
  Click(IDC_DIAG_PLAY);
  EXPECT_EQ(midi_.log, Ending());
  EXPECT_EQ(Text(IDC_DIAG_PLAY), Localized("試聴", "&Play test"));
  PumpMessages(700);
  EXPECT_EQ(midi_.log, Ending()) << "the stopped phrase went on";

  Click(IDC_DIAG_PLAY);
  midi_.log.clear();
  DestroyWindow(window_);
  window_ = nullptr;
  EXPECT_EQ(midi_.log, Ending());
}

TEST_F(DiagnosisPage, ADeviceThatCannotBeOpenedIsNamedWithTheSystemsText) {
  Open();
  ShowPage();
  midi_.openResult = 4;  // MMSYSERR_ALLOCATED
  {
    MessageBoxCatcher boxes;
    Click(IDC_DIAG_PLAY);
    SeenMessageBox box = boxes.OnlyBox();
    EXPECT_EQ(box.text,
              Localized("次の MIDI 出力デバイスを開けませんでした:\nMIDI マッパー（既定のデバイス）\n",
                        "This MIDI output device could not be opened:\nMIDI mapper (the default device)\n") +
                  FakeMidi::ErrorText(4));
    EXPECT_EQ(box.caption, Localized("エラー", "Error"));
    EXPECT_TRUE(box.errorIcon);
  }
  EXPECT_EQ(midi_.log, std::vector<std::string>{"open 4294967295"});
  EXPECT_EQ(Text(IDC_DIAG_PLAY), Localized("試聴", "&Play test"));

  // With no device at all, the button says so and opens nothing.
  midi_.devices.clear();
  midi_.log.clear();
  MessageBoxCatcher boxes;
  Click(IDC_DIAG_PLAY);
  EXPECT_EQ(boxes.OnlyBox().text, Localized("MIDI 出力デバイスがないため、試聴できません。",
                                            "There is no MIDI output device to play the test on."));
  EXPECT_TRUE(midi_.log.empty());
}

// A value under Drivers32 in one registry view, put back as it was found
// (or removed) when the test ends.
class Drivers32Value {
 public:
  Drivers32Value(RegistryView view, const char *name) : view_(view), name_(name) {
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Drivers32", 0,
                    nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE | Flag(), nullptr, &key_, nullptr);
    DWORD size = 0;
    existed_ = RegQueryValueExA(key_, name, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS;
    saved_.resize(size);
    if (existed_) RegQueryValueExA(key_, name, nullptr, &type_, saved_.data(), &size);
  }
  ~Drivers32Value() {
    if (existed_)
      RegSetValueExA(key_, name_, 0, type_, saved_.data(), static_cast<DWORD>(saved_.size()));
    else
      RegDeleteValueA(key_, name_);
    RegCloseKey(key_);
  }
  void Set(const std::string &text) const {
    RegSetValueExA(key_, name_, 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
  }
  void Set(DWORD number) const {
    RegSetValueExA(key_, name_, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&number), sizeof number);
  }

 private:
  REGSAM Flag() const { return view_ == RegistryView::k64Bit ? KEY_WOW64_64KEY : KEY_WOW64_32KEY; }
  RegistryView view_;
  const char *name_;
  HKEY key_ = nullptr;
  bool existed_;
  DWORD type_ = 0;
  std::vector<BYTE> saved_;
};

// The system folder of each view as users name it, and an empty DLL put
// there, past the redirection of a 32-bit program, until the test ends.
std::string SystemFolder(RegistryView view) {
  char folder[MAX_PATH];
  if (view == RegistryView::k32Bit) {
    GetSystemWow64DirectoryA(folder, MAX_PATH);
    return folder;
  }
  if (sizeof(void *) == 8) {
    GetSystemDirectoryA(folder, MAX_PATH);
    return folder;
  }
  GetSystemWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\System32";
}

class SystemDll {
 public:
  SystemDll(RegistryView view, const char *name) : view_(view), path_(SystemFolder(view) + "\\" + name) {
    Unredirected([this] { WriteBytes(path_, "MZ"); });
  }
  ~SystemDll() {
    Unredirected([this] { DeleteFileA(path_.c_str()); });
  }

 private:
  template <class Act>
  void Unredirected(Act act) {
    PVOID redirection = nullptr;
    bool off =
        view_ == RegistryView::k64Bit && sizeof(void *) == 4 && Wow64DisableWow64FsRedirection(&redirection);
    act();
    if (off) Wow64RevertWow64FsRedirection(redirection);
  }
  RegistryView view_;
  std::string path_;
};

MidiRow DriverRow(MidiRowKind kind, RegistryView view, const char *value, const char *dll) {
  MidiRow row;
  row.kind = kind;
  row.finding = kind != MidiRowKind::kDriver;
  row.view = view;
  row.value = value;
  row.dll = dll;
  if (kind == MidiRowKind::kDriverDllMissing) row.folder = SystemFolder(view);
  return row;
}

// Wine here has no MIDI output device; the Drivers32 values and the DLLs
// are the test's own, in both views of the prefix's registry.
TEST_F(DiagnosisPageOfTheSystem, ShowsTheSystemsDevicesMapperDriversAndMidiServices) {
  constexpr RegistryView k64 = RegistryView::k64Bit, k32 = RegistryView::k32Bit;
  Drivers32Value values[] = {{k64, "midi7"}, {k64, "midi8"},        {k32, "midi7"},
                             {k32, "midi9"}, {k64, "midi1"},        {k64, "MidisrvTransferComplete"},
                             {k32, "midi1"}, {k64, "UseLegacyMidi"}};
  values[0].Set("velder_test.dll");
  values[1].Set("velder_gone.dll");
  values[2].Set("velder_test.dll");
  values[3].Set("velder_only32.dll");
  values[4].Set("wdmaud2.drv");
  values[5].Set(1);
  values[6].Set("wdmaud2.drv");
  values[7].Set(2);
  SystemDll dlls[] = {{k64, "velder_test.dll"}, {k32, "velder_test.dll"}, {k32, "velder_only32.dll"}};
  Open();
  ShowPage();
  std::vector<std::string> rows = Rows();
  auto shows = [&rows](const std::string &row) {
    return std::find(rows.begin(), rows.end(), row) != rows.end();
  };

  ASSERT_EQ(kSystemMidiCalls.deviceCount(), 0u) << "this test expects a system without MIDI output";
  EXPECT_TRUE(shows(Localized("MIDI 出力デバイスがありません（MIDI を再生するプログラムの音は出ません）",
                              "MIDI output: none, so programs that play MIDI hear nothing")))
      << testing::PrintToString(rows);
  EXPECT_FALSE(shows(kNoProblem));
  // The mapper's row says what the system answered, in its own words where it failed.
  HMODULE winmm = LoadLibraryA("winmm.dll");
  auto message = reinterpret_cast<decltype(&midiOutMessage)>(
      reinterpret_cast<void (*)()>(GetProcAddress(winmm, "midiOutMessage")));
  auto errorText = reinterpret_cast<decltype(&midiOutGetErrorTextA)>(
      reinterpret_cast<void (*)()>(GetProcAddress(winmm, "midiOutGetErrorTextA")));
  DWORD device = 0, flags = 0;
  MMRESULT answer = message(reinterpret_cast<HMIDIOUT>(static_cast<UINT_PTR>(MIDI_MAPPER)), 0x2000 + 21,
                            reinterpret_cast<DWORD_PTR>(&device), reinterpret_cast<DWORD_PTR>(&flags));
  char text[MAXERRORLENGTH] = "";
  MidiRow mapper;
  mapper.kind = answer != MMSYSERR_NOERROR     ? MidiRowKind::kMapperNoAnswer
                : device == kNoPreferredDevice ? MidiRowKind::kMapperNoPreferred
                                               : MidiRowKind::kMapperDevice;
  mapper.device = device;
  if (answer != MMSYSERR_NOERROR && errorText(answer, text, sizeof text) == MMSYSERR_NOERROR)
    mapper.error = text;
  EXPECT_TRUE(shows(DescribeMidiRow(mapper, InterfaceLanguage())))
      << answer << " " << device << " " << testing::PrintToString(rows);
  // Opening the mapper without a device fails, and the text is the system's own.
  MidiOut out = 0;
  MidiResult opened = kSystemMidiCalls.open(kMidiMapper, &out);
  ASSERT_NE(opened, kMidiOk);
  ASSERT_EQ(errorText(opened, text, sizeof text), static_cast<MMRESULT>(MMSYSERR_NOERROR));
  EXPECT_EQ(kSystemMidiCalls.errorText(opened), text);
  EXPECT_STRNE(text, "");

  const MidiRow drivers[] = {
      DriverRow(MidiRowKind::kDriver, k64, "midi7", "velder_test.dll"),
      DriverRow(MidiRowKind::kDriverDllMissing, k64, "midi8", "velder_gone.dll"),
      DriverRow(MidiRowKind::kDriver, k32, "midi7", "velder_test.dll"),
      DriverRow(MidiRowKind::kDriver, k32, "midi9", "velder_only32.dll"),
      DriverRow(MidiRowKind::kDriverOneView, k64, "midi8", "velder_gone.dll"),
      DriverRow(MidiRowKind::kDriverOneView, k32, "midi9", "velder_only32.dll"),
  };
  for (const MidiRow &row : drivers)
    EXPECT_TRUE(shows(DescribeMidiRow(row, InterfaceLanguage())))
        << DescribeMidiRow(row, InterfaceLanguage()) << " not in " << testing::PrintToString(rows);
  MidiRow services;
  services.kind = MidiRowKind::kMidiServicesActive;
  services.legacyMode = 2;
  EXPECT_EQ(rows.back(), DescribeMidiRow(services, InterfaceLanguage()));

  MessageBoxCatcher boxes;
  Click(IDC_DIAG_PLAY);
  EXPECT_EQ(boxes.OnlyBox().text, Localized("MIDI 出力デバイスがないため、試聴できません。",
                                            "There is no MIDI output device to play the test on."));
}

}  // namespace
