#include "setup/options/options_page_win.h"

#include <commctrl.h>

#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <utility>

#include "lib/config/default_block_test.h"
#include "setup/res/resource.h"
#include "tests/portable/line_forms.h"
#include "tests/win/setup_fixture_win.h"

namespace {

const std::string kDefaultFile = std::string("\r\n\r\n") + kDefaultBlock;

const int kEffectBoxes[] = {IDC_FX_MOD_WHEEL,   IDC_FX_PORTAMENTO,   IDC_FX_CHANNEL_PRESSURE,
                            IDC_FX_NRPN_DRUM,   IDC_FX_NRPN_VIBRATO, IDC_FX_TVA_ENVELOPE,
                            IDC_FX_TEMPERAMENT, IDC_FX_EQ,           IDC_FX_INSERTION,
                            IDC_FX_RETRIGGER,   IDC_FX_TEXT_META,    IDC_FX_MOD_ENVELOPE,
                            IDC_FX_CC94_DELAY};

class OptionsPage : public SetupPageTest {
 protected:
  OptionsPage() : SetupPageTest(kOptionsPage) {}
  LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageA(Item(id), message, wParam, lParam);
  }
  std::string Selected(int id) const {
    LRESULT index = Send(id, CB_GETCURSEL);
    if (index < 0) return "(none)";
    char text[256] = "";
    Send(id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
  }
  // Each list shows the given item selected.
  void ExpectSelected(std::initializer_list<std::pair<int, std::string>> lists) const {
    for (const auto &[id, text] : lists) EXPECT_EQ(Selected(id), text) << id;
  }
  void Select(int id, int index) const { Send(id, CB_SETCURSEL, index); }
  int Slider(int id) const { return static_cast<int>(Send(id, TBM_GETPOS)); }
  void Drag(int id, int position) const {
    Send(id, TBM_SETPOS, TRUE, position);
    SendMessageA(Page(kOptionsPage), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position),
                 reinterpret_cast<LPARAM>(Item(id)));
  }
  // Presses apply and returns the one message box it showed.
  SeenMessageBox Apply() const {
    MessageBoxCatcher boxes;
    Click(IDC_OPT_APPLY);
    return boxes.OnlyBox();
  }
  void ExpectConfirmation(const SeenMessageBox &box) const {
    EXPECT_EQ(box.text, Localized("orvane.cfg に書き込みました", "orvane.cfg has been written."));
    EXPECT_EQ(box.caption, Localized("確認", "Confirmation"));
    EXPECT_FALSE(box.errorIcon);
  }
};

TEST_F(OptionsPage, WithoutAFileShowsTheDefaultsAndApplyWritesThem) {
  Open();
  ASSERT_NE(Page(kOptionsPage), nullptr);
  EXPECT_EQ(Send(IDC_SAMPLE_RATE, CB_GETCOUNT), 8);
  EXPECT_EQ(Send(IDC_RESAMPLE, CB_GETCOUNT), 6);
  EXPECT_EQ(Send(IDC_CACHE_SIZE, CB_GETCOUNT), 17);
  ExpectSelected({{IDC_SAMPLE_RATE, "44100 Hz "},
                  {IDC_CHORUS, Localized("標準コーラス", "Standard chorus")},
                  {IDC_REVERB, Localized("標準リバーヴ", "Standard reverb")},
                  {IDC_VOICE_LPF, "LPF 12db/oct Chamberlin LPF"},
                  {IDC_RESAMPLE, Localized("ラグランジュ (そこそこ重い)", "Lagrange (fairly heavy)")},
                  {IDC_CACHE_SIZE, Localized("なし", "None")},
                  {IDC_NOISE_SHAPING, Localized("新ノイズシェーピング", "New noise shaping")}});
  EXPECT_EQ(Slider(IDC_VOLUME), 70);
  EXPECT_EQ(Text(IDC_VOLUME_MIRROR), "70");
  EXPECT_EQ(Slider(IDC_DRUM_POWER), 100);
  EXPECT_EQ(Text(IDC_DRUM_POWER_MIRROR), "100");
  EXPECT_EQ(Slider(IDC_POLYPHONY), 3);
  EXPECT_EQ(Text(IDC_POLYPHONY_MIRROR), "128");
  EXPECT_EQ(Send(IDC_VOLUME, TBM_GETRANGEMAX), 200);
  EXPECT_EQ(Send(IDC_POLYPHONY, TBM_GETRANGEMAX), 6);
  for (int id : {IDC_STEREO, IDC_MONO, IDC_BYTE_SWAP, IDC_CHORUS_LEVEL_ON, IDC_REVERB_LEVEL_ON,
                 IDC_FAST_PANNING, IDC_FAST_DECAY, IDC_UNLOAD_INSTRUMENTS})
    EXPECT_FALSE(Checked(id)) << id;
  for (int id : kEffectBoxes) EXPECT_FALSE(Checked(id)) << id;
  for (int id : {IDC_CHORUS_LEVEL, IDC_REVERB_LEVEL, IDC_PSEUDO_REVERB, IDC_RESAMPLE_N, IDC_LATENCY})
    EXPECT_EQ(Text(id), "") << id;

  ExpectConfirmation(Apply());
  EXPECT_EQ(cfg_.Bytes(), kDefaultFile);
  // Applying again changes nothing.
  ExpectConfirmation(Apply());
  EXPECT_EQ(cfg_.Bytes(), kDefaultFile);
}

TEST_F(OptionsPage, ControlsHaveTheirKinds) {
  Open();
  auto style = [&](int id) { return GetWindowLongA(Item(id), GWL_STYLE); };
  for (int id : {IDC_SAMPLE_RATE, IDC_CHORUS, IDC_REVERB, IDC_VOICE_LPF, IDC_RESAMPLE, IDC_CACHE_SIZE,
                 IDC_NOISE_SHAPING}) {
    EXPECT_EQ(style(id) & 3, CBS_DROPDOWNLIST) << id;
    EXPECT_FALSE(style(id) & CBS_SORT) << id;
  }
  for (int id : {IDC_STEREO, IDC_MONO}) {
    EXPECT_EQ(style(id) & BS_TYPEMASK, BS_AUTORADIOBUTTON) << id;
    EXPECT_FALSE(style(id) & WS_TABSTOP) << id;
  }
  for (int id : {IDC_VOLUME, IDC_DRUM_POWER, IDC_POLYPHONY})
    EXPECT_EQ(style(id) & (TBS_NOTICKS | TBS_BOTH | TBS_VERT), TBS_NOTICKS | TBS_BOTH) << id;
  for (int id : {IDC_VOLUME_MIRROR, IDC_DRUM_POWER_MIRROR, IDC_POLYPHONY_MIRROR})
    EXPECT_EQ(style(id) & (ES_READONLY | WS_BORDER), ES_READONLY) << id;
  for (int id : {IDC_PSEUDO_REVERB, IDC_RESAMPLE_N, IDC_LATENCY}) EXPECT_TRUE(style(id) & ES_RIGHT) << id;
  for (int id : kEffectBoxes) EXPECT_EQ(style(id) & BS_TYPEMASK, BS_AUTOCHECKBOX) << id;
}

TEST_F(OptionsPage, SlidersAreMirrored) {
  Open();
  struct Case {
    int slider, position, mirror;
    const char *shown;
  } cases[] = {
      {IDC_POLYPHONY, 6, IDC_POLYPHONY_MIRROR, "512"},
      {IDC_POLYPHONY, 4, IDC_POLYPHONY_MIRROR, "196"},
      {IDC_VOLUME, 0, IDC_VOLUME_MIRROR, "0"},
      {IDC_DRUM_POWER, 200, IDC_DRUM_POWER_MIRROR, "200"},
  };
  for (const Case &c : cases) {
    Drag(c.slider, c.position);
    EXPECT_EQ(Text(c.mirror), c.shown);
  }
}

TEST_F(OptionsPage, TheFilesOptionsAreShownAtStart) {
  WriteBytes(cfg_.path(),
             "soundfont a.sf2\r\n"
             "#extension opt --volume=500\r\n"
             "opt -a 80,120\r\n"
             "#extension opt --polyphony=512\r\n"
             "#extension opt -s 22050\r\n"
             "#extension opt --chorus=n,64\r\n"
             "#extension opt --reverb=3\r\n"
             "#extension opt -OdMs1lx\r\n"
             "#extension opt -Ewq\r\n"
             "#extension opt --resample=g\r\n"
             "#extension opt -N 7\r\n"
             "#extension opt --rtsyn-latency=0.2\r\n"
             "#extension opt -R50\r\n"
             "#extension opt -B2M\r\n"
             "#extension opt -EFns=9\r\n"
             "#extension opt -EFvlpf=m\r\n"
             "opt --fast-decay\r\n"
             "opt -F\r\n"
             "opt --unload-instruments\r\n");
  Open();
  EXPECT_EQ(Slider(IDC_VOLUME), 80);
  EXPECT_EQ(Text(IDC_DRUM_POWER_MIRROR), "120");
  EXPECT_EQ(Text(IDC_POLYPHONY_MIRROR), "512");
  ExpectSelected({{IDC_SAMPLE_RATE, "22050 Hz "},
                  {IDC_CHORUS, Localized("標準コーラス", "Standard chorus")},
                  {IDC_REVERB, Localized("新リバーヴ", "New reverb")},
                  {IDC_RESAMPLE, Localized("ニュートン (死ぬほど重い)", "Newton (extremely heavy)")},
                  {IDC_CACHE_SIZE, "2 MB"},
                  {IDC_NOISE_SHAPING, Localized("新ノイズシェーピング", "New noise shaping")},
                  {IDC_VOICE_LPF, "LPF 24db/oct Moog VCF"}});
  EXPECT_TRUE(Checked(IDC_CHORUS_LEVEL_ON));
  EXPECT_EQ(Text(IDC_CHORUS_LEVEL), "64");
  EXPECT_TRUE(Checked(IDC_MONO));
  EXPECT_FALSE(Checked(IDC_STEREO));
  EXPECT_TRUE(Checked(IDC_BYTE_SWAP));
  for (int id : kEffectBoxes) EXPECT_EQ(Checked(id), id == IDC_FX_MOD_WHEEL || id == IDC_FX_EQ) << id;
  EXPECT_EQ(Text(IDC_RESAMPLE_N), "7");
  EXPECT_EQ(Text(IDC_LATENCY), "0.2");
  EXPECT_EQ(Text(IDC_PSEUDO_REVERB), "50");
  EXPECT_TRUE(Checked(IDC_FAST_DECAY));
  EXPECT_TRUE(Checked(IDC_FAST_PANNING));
  EXPECT_TRUE(Checked(IDC_UNLOAD_INSTRUMENTS));
}

TEST_F(OptionsPage, EachEffectBoxHoldsItsLetter) {
  const std::pair<char, int> kLetters[] = {
      {'w', IDC_FX_MOD_WHEEL},    {'p', IDC_FX_PORTAMENTO},   {'v', IDC_FX_NRPN_VIBRATO},
      {'e', IDC_FX_MOD_ENVELOPE}, {'t', IDC_FX_TEXT_META},    {'s', IDC_FX_CHANNEL_PRESSURE},
      {'o', IDC_FX_RETRIGGER},    {'z', IDC_FX_TEMPERAMENT},  {'j', IDC_FX_INSERTION},
      {'d', IDC_FX_NRPN_DRUM},    {'x', IDC_FX_TVA_ENVELOPE}, {'c', IDC_FX_CC94_DELAY},
      {'q', IDC_FX_EQ},
  };
  Open();
  for (const auto &[letter, box] : kLetters) {
    WriteBytes(cfg_.path(), std::string("opt -EWPVETSOZJDXCQ\r\nopt -E") + letter + "\r\n");
    Click(IDC_OPT_RELOAD);
    for (int id : kEffectBoxes) EXPECT_EQ(Checked(id), id == box) << letter << ' ' << id;
    std::string flags = "-EWPVETSOZJDXCQ";
    flags[flags.find(static_cast<char>(letter - 'a' + 'A'), 2)] = letter;
    ExpectConfirmation(Apply());
    EXPECT_NE(cfg_.Bytes().find("\r\n#extension opt " + flags + "\r\n"), std::string::npos) << letter;
  }
}

TEST_F(OptionsPage, ReloadOverlaysWhatTheUserChanged) {
  WriteBytes(cfg_.path(), "#extension opt --volume=90\r\n");
  Open();
  Check(IDC_FAST_DECAY, true);
  Drag(IDC_VOLUME, 10);
  Select(IDC_REVERB, 4);
  Send(IDC_POLYPHONY, TBM_SETPOS, TRUE, 1);
  Click(IDC_OPT_RELOAD);
  EXPECT_TRUE(Checked(IDC_FAST_DECAY));  // no line touches it
  EXPECT_EQ(Slider(IDC_VOLUME), 90);
  EXPECT_EQ(Text(IDC_VOLUME_MIRROR), "90");
  EXPECT_EQ(Selected(IDC_REVERB), Localized("新リバーヴ (G)", "New reverb (G)"));
  EXPECT_EQ(Text(IDC_POLYPHONY_MIRROR), "64");

  WriteBytes(cfg_.path(), "opt --no-fast-decay\r\n");
  Click(IDC_OPT_RELOAD);
  EXPECT_FALSE(Checked(IDC_FAST_DECAY));
  WriteBytes(cfg_.path(), "opt --fast-decay\r\n");
  Click(IDC_OPT_RELOAD);
  EXPECT_TRUE(Checked(IDC_FAST_DECAY));

  // A missing or unreadable file changes nothing.
  Check(IDC_FAST_DECAY, false);
  {
    FileHolder holder(cfg_.path(), 0);
    ASSERT_TRUE(holder.held());
    Click(IDC_OPT_RELOAD);
  }
  EXPECT_FALSE(Checked(IDC_FAST_DECAY));
  DeleteFileA(cfg_.path().c_str());
  Click(IDC_OPT_RELOAD);
  EXPECT_FALSE(Checked(IDC_FAST_DECAY));
}

TEST_F(OptionsPage, ApplyWritesWhatTheControlsHoldAndKeepsOtherLines) {
  std::string longLine = "# " + std::string(5000, 'x') + " opt --volume=1";
  WriteBytes(cfg_.path(), "soundfont a.sf2\r\n#extension opt --volume=50\r\n" + longLine +
                              "\r\nopt --reverb=g\r\n#extension opt --foo\r\n\r\ndir x\r\n");
  Open();
  Drag(IDC_VOLUME, 150);
  Select(IDC_CHORUS, 2);
  Check(IDC_CHORUS_LEVEL_ON, true);
  SetText(IDC_CHORUS_LEVEL, "-3");
  Select(IDC_REVERB, 3);
  Select(IDC_VOICE_LPF, 0);
  Select(IDC_SAMPLE_RATE, 7);
  Drag(IDC_POLYPHONY, 0);
  Check(IDC_MONO, true);
  Check(IDC_BYTE_SWAP, true);
  Check(IDC_FX_MOD_WHEEL, true);
  Check(IDC_FX_CC94_DELAY, true);
  Select(IDC_RESAMPLE, 5);
  SetText(IDC_RESAMPLE_N, "40");
  SetText(IDC_LATENCY, "0.25");
  Check(IDC_FAST_PANNING, true);
  Check(IDC_UNLOAD_INSTRUMENTS, true);
  SetText(IDC_PSEUDO_REVERB, "2000");
  Select(IDC_CACHE_SIZE, 16);
  Select(IDC_NOISE_SHAPING, 1);
  ExpectConfirmation(Apply());
  std::string expected = "soundfont a.sf2\r\n" + longLine +
                         "\r\ndir x\r\n\r\n#extension opt --foo\r\n\r\n"
                         "#extension opt --volume=150\r\n"
                         "#extension opt --drum-power=100\r\n"
                         "#extension opt --chorus=s,-3\r\n"
                         "#extension opt --reverb=f\r\n"
                         "#extension opt --voice-lpf=d\r\n"
                         "#extension opt --sampling-freq=48000\r\n"
                         "#extension opt --polyphony=32\r\n"
                         "#extension opt -OdMs1lx\r\n"
                         "#extension opt -EwPVETSOZJDXcQ\r\n"
                         "#extension opt --resample=n\r\n"
                         "#extension opt --rtsyn-latency=0.250\r\n"
                         "#extension opt -N34\r\n"
                         "#extension opt --fast-panning\r\n"
                         "#extension opt -U\r\n"
                         "#extension opt -R1000\r\n"
                         "#extension opt -B1073741824\r\n"
                         "#extension opt -EFns=1\r\n";
  EXPECT_EQ(cfg_.Bytes(), expected);
  ExpectConfirmation(Apply());
  EXPECT_EQ(cfg_.Bytes(), expected);
}

// Every line end ends a line, as the editor shows it: the apply keeps each
// line it does not manage and reads the options of each, whatever its end.
TEST_F(OptionsPage, ApplyKeepsEveryLineWhateverItsEnd) {
  for (const LineForm &form : kLineForms) {
    SCOPED_TRACE(form.name);
    WriteBytes(cfg_.path(), JoinedLines({"#extension opt --volume=50", "soundfont \"C:\\sf\\a.sf2\"",
                                         "#extension opt --foo", "dir C:\\sf"},
                                        form));
    Open();
    EXPECT_EQ(Slider(IDC_VOLUME), 50);
    ExpectConfirmation(Apply());
    std::string block = kDefaultBlock;
    block.replace(block.find("--volume=70"), 11, "--volume=50");
    EXPECT_EQ(cfg_.Bytes(),
              "soundfont \"C:\\sf\\a.sf2\"\r\ndir C:\\sf\r\n\r\n#extension opt --foo\r\n\r\n" + block);
    DestroyWindow(window_);
  }
}

TEST_F(OptionsPage, FailedApplyIsReportedAndLeavesTheFileAsItWas) {
  const std::string old = "soundfont \"old.sf2\"\r\n#extension opt --volume=50\r\n";
  WriteBytes(cfg_.path(), old);
  Open();
  Drag(IDC_VOLUME, 120);
  auto before = WindowsDirectoryFiles("*");
  // Share mode 0 also stops reading: the file is then never rewritten.
  for (DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
    FileHolder holder(cfg_.path(), share);
    ASSERT_TRUE(holder.held());
    ExpectFailedSaveBox(Apply(), Page(kOptionsPage));
  }
  EXPECT_EQ(cfg_.Bytes(), old);
  EXPECT_EQ(WindowsDirectoryFiles("*"), before);
  EXPECT_EQ(Slider(IDC_VOLUME), 120);
}

}  // namespace
