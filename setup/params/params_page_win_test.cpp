#include "setup/params/params_page_win.h"

#include <gtest/gtest.h>
#include <string>

#include "lib/ini/ini.h"
#include "setup/res/resource.h"
#include "tests/win/setup_fixture_win.h"

namespace {

const int kOverrideBoxes[] = {IDC_OVERWRITE_VIBRATO, IDC_OVERWRITE_TREMOLO, IDC_OVERWRITE_CUTOFF,
                              IDC_OVERWRITE_VEL,     IDC_OVERWRITE_MODENV,  IDC_OVERWRITE_ENV};

const char kOverrideKeys[][17] = {"OverWriteVibrato", "OverWriteTremolo", "OverWriteCutoff",
                                  "OverWriteVel",     "OverWriteModEnv",  "OverWriteEnv"};

const std::string kOtherContent =
    "[compressor]\r\nenable=1\r\nthreshold=40\r\n\r\n[reverb]\r\nscalewet=0.2\r\n\r\n"
    "[chorus]\r\nLevel=30\r\n\r\n[param]\r\nCustom=1\r\n\r\n[main]\r\nver=101\r\n\r\n";

class ParamsPage : public SetupPageTest {
 protected:
  ParamsPage() : SetupPageTest(kParamsPage) {}
  void Save() const { Click(IDC_PARAMS_SAVE); }
  // A value as the saved file holds it.
  std::string Stored(const char *section, const char *key) const {
    IniFile ini;
    EXPECT_EQ(IniLoad(ini, params_.path().c_str()), ReadStatus::kOk);
    IniValueArea value;
    IniGetString(IniFindSection(ini, section), key, value);
    return value;
  }
  void Reopen() {
    DestroyWindow(window_);
    Open();
  }
};

struct Shown {
  int id;
  const char *text;
};

// Every edit, filled from the defaults.
const Shown kDefaults[] = {
    {IDC_VIBRATO_DELAY, "300"},    {IDC_VIBRATO_DEPTH, "0"},
    {IDC_VEL_TO_FC, "-2400"},      {IDC_VEL_TO_RES, "0"},
    {IDC_VEL_TO_FC_THR, "64"},     {IDC_TREMOLO_DELAY, "0"},
    {IDC_TREMOLO_DEPTH, "0"},      {IDC_TREMOLO_TO_FC, "0"},
    {IDC_TREMOLO_TO_PITCH, "0"},   {IDC_MODENV_DELAY, "1"},
    {IDC_MODENV_TO_PITCH, "0"},    {IDC_MODENV_TO_FC, "100"},
    {IDC_CUTOFF_FREQ, "10000"},    {IDC_RES, "0"},
    {IDC_ENV_DELAY, "1"},          {IDC_CALC_VIBRATO_DELAY, "200"},
    {IDC_CALC_VIBRATO_CENT, "55"}, {IDC_OD_DRIVE, "900"},
    {IDC_OD_LEVEL, "500"},
};

TEST_F(ParamsPage, WithoutAFileShowsTheDefaultsAndCreatesTheFile) {
  Open();
  ASSERT_NE(Page(kParamsPage), nullptr);
  for (const Shown &shown : kDefaults) EXPECT_EQ(Text(shown.id), shown.text) << shown.id;
  for (int id : kOverrideBoxes) EXPECT_EQ(Checked(id), id == IDC_OVERWRITE_VIBRATO) << id;
  EXPECT_TRUE(Checked(IDC_MIXER_VOLUME));
  EXPECT_EQ(params_.Bytes(),
            "[main]\r\nver=101\r\nOverWriteVibrato=1\r\nOverWriteTremolo=0\r\nOverWriteVel=0\r\n"
            "OverWriteEnv=0\r\nOverWriteModEnv=0\r\nOverWriteCutoff=0\r\n\r\n");
  // The procedure answers FALSE to every message, WM_INITDIALOG included.
  EXPECT_EQ(DriverParamsDlgProc(Page(kParamsPage), WM_INITDIALOG, 0, 0), FALSE);
  EXPECT_EQ(DriverParamsDlgProc(Page(kParamsPage), WM_COMMAND, IDC_PARAMS_SAVE, 0), FALSE);
  EXPECT_EQ(DriverParamsDlgProc(Page(kParamsPage), WM_CLOSE, 0, 0), FALSE);
}

TEST_F(ParamsPage, ShowsTheStoredValues) {
  WriteBytes(params_.path(),
             "[param]\r\nVelToFcThr=300\r\n_VibratoCent=20000\r\nRes=-7\r\n[efx]\r\nGS_OD_Level=0.1239\r\n"
             "GS_OD_Drive=1.5\r\n[main]\r\nver=101\r\nOverWriteVibrato=0\r\nOverWriteEnv=1\r\n"
             "OverWriteCutoff=1\r\n[driver]\r\nvolctrl=0\r\n");
  Open();
  EXPECT_EQ(Text(IDC_VEL_TO_FC_THR), "44");
  EXPECT_EQ(Text(IDC_CALC_VIBRATO_CENT), "10000");
  EXPECT_EQ(Text(IDC_RES), "-7");
  EXPECT_EQ(Text(IDC_OD_LEVEL), "123");
  EXPECT_EQ(Text(IDC_OD_DRIVE), "1500");
  for (int id : kOverrideBoxes)
    EXPECT_EQ(Checked(id), id == IDC_OVERWRITE_ENV || id == IDC_OVERWRITE_CUTOFF) << id;
  EXPECT_FALSE(Checked(IDC_MIXER_VOLUME));
}

struct Saved {
  int id;
  const char *entry;
  const char *section;
  const char *key;
  const char *stored;
};

const Saved kSaved[] = {
    {IDC_VIBRATO_DELAY, "2500", "param", "VibratoDelay", "2000"},
    {IDC_VEL_TO_RES, "-50", "param", "VelToRes", "-50"},
    {IDC_VEL_TO_FC_THR, "-150", "param", "VelToFcThr", "-120"},
    {IDC_VIBRATO_DEPTH, "abc", "param", "VibratoDepth", "0"},
    {IDC_MODENV_DELAY, "", "param", "ModEnvDelay", "1"},
    {IDC_CUTOFF_FREQ, "", "param", "CutoffFreq", "0"},
    {IDC_CALC_VIBRATO_CENT, "77", "param", "_VibratoCent", "77"},
    {IDC_CALC_VIBRATO_DELAY, "20000", "param", "_VibratoDelay", "20000"},
    {IDC_OD_DRIVE, "2500", "efx", "GS_OD_Drive", "2.000000"},
    {IDC_OD_LEVEL, "50", "efx", "GS_OD_Level", "0.050000"},
};

TEST_F(ParamsPage, SaveLimitsAndConvertsTheEntriesButShowsThemAsTyped) {
  Open();
  for (const Saved &s : kSaved) SetText(s.id, s.entry);
  MessageBoxCatcher boxes;
  Save();
  EXPECT_TRUE(boxes.seen().empty());
  for (const Saved &s : kSaved) {
    EXPECT_EQ(Stored(s.section, s.key), s.stored) << s.key;
    EXPECT_EQ(Text(s.id), s.entry) << s.key;
  }
  SetText(IDC_OD_DRIVE, "-5");
  Save();
  EXPECT_EQ(Stored("efx", "GS_OD_Drive"), "0.001000");

  // The next load raises the level to 0.1 and keeps the calculation number within 10000.
  Reopen();
  EXPECT_EQ(Text(IDC_OD_LEVEL), "100");
  EXPECT_EQ(Text(IDC_CALC_VIBRATO_DELAY), "10000");
  EXPECT_EQ(Text(IDC_VIBRATO_DELAY), "2000");
}

// Both calculation numbers at 0 (or empty) are the user's values: the save
// writes them with every other entry of the page, and reloads nothing.
TEST_F(ParamsPage, BothCalculationNumbersAtZeroAreSavedWithThePage) {
  WriteBytes(params_.path(), kOtherContent);
  Open();
  SetText(IDC_CALC_VIBRATO_CENT, "0");
  SetText(IDC_CALC_VIBRATO_DELAY, "");
  SetText(IDC_VIBRATO_DELAY, "1500");
  MessageBoxCatcher boxes;
  Save();
  EXPECT_TRUE(boxes.seen().empty());
  EXPECT_EQ(Stored("param", "VibratoDelay"), "1500");
  EXPECT_EQ(Stored("param", "_VibratoCent"), "0");
  EXPECT_EQ(Stored("param", "_VibratoDelay"), "0");
  EXPECT_EQ(Stored("param", "Custom"), "1");
  EXPECT_EQ(Text(IDC_VIBRATO_DELAY), "1500");
}

TEST_F(ParamsPage, CheckBoxesSetTheirKeys) {
  Open();
  for (int id : kOverrideBoxes) Check(id, false);
  Save();
  for (const char *key : kOverrideKeys) EXPECT_EQ(Stored("main", key), "0") << key;
  EXPECT_EQ(Stored("driver", "volctrl"), "1");
  EXPECT_EQ(Stored("param", "VibratoDelay"), "300");  // the values under the boxes are saved too

  for (int id : kOverrideBoxes) Check(id, true);
  Check(IDC_MIXER_VOLUME, false);
  Save();
  for (const char *key : kOverrideKeys) EXPECT_EQ(Stored("main", key), "1") << key;
  EXPECT_EQ(Stored("driver", "volctrl"), "0");
}

TEST_F(ParamsPage, SavingTwiceWritesTheSameBytesAndKeepsOtherContent) {
  WriteBytes(params_.path(), kOtherContent);
  Open();
  SetText(IDC_TREMOLO_DEPTH, "12");
  Save();
  const std::string first = params_.Bytes();
  Save();
  EXPECT_EQ(params_.Bytes(), first);
  EXPECT_EQ(Stored("param", "TremoloDepth"), "12");
  EXPECT_EQ(Stored("param", "Custom"), "1");
  EXPECT_EQ(Stored("compressor", "threshold"), "40");
  EXPECT_EQ(Stored("reverb", "scalewet"), "0.2");
  EXPECT_EQ(Stored("chorus", "Level"), "30");
}

TEST_F(ParamsPage, FileUnreadableAtStartIsNeverWrittenInThatRun) {
  // An older layout, whose conversion runs only at a load.
  const std::string older = "[param]\r\n_OverWriteVibrato=0\r\n_OverWriteCutoff=1\r\nVibratoDelay=7\r\n\r\n";
  WriteBytes(params_.path(), older);
  {
    FileHolder holder(params_.path(), 0);  // another program holds it while the window opens
    ASSERT_TRUE(holder.held());
    Open();
  }
  for (const Shown &shown : kDefaults) EXPECT_EQ(Text(shown.id), shown.text) << shown.id;
  // Readable now, but the page holds defaults, not the file's values.
  for (int press = 0; press < 2; ++press) {
    MessageBoxCatcher boxes;
    Save();
    ExpectFailedSaveBox(boxes.OnlyBox(), Page(kParamsPage));
  }
  EXPECT_EQ(params_.Bytes(), older);

  Reopen();  // the next start reads and converts it
  EXPECT_EQ(Text(IDC_VIBRATO_DELAY), "7");
  EXPECT_EQ(Stored("main", "OverWriteCutoff"), "1");
}

TEST_F(ParamsPage, FileHeldAtASaveKeepsItsBytesAndTheSaveIsReported) {
  WriteBytes(params_.path(), kOtherContent);
  Open();
  // Another program holds it: neither readable nor replaceable, then readable only.
  for (DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
    FileHolder holder(params_.path(), share);
    ASSERT_TRUE(holder.held());
    MessageBoxCatcher boxes;
    Save();
    ExpectFailedSaveBox(boxes.OnlyBox(), Page(kParamsPage));
  }
  EXPECT_EQ(params_.Bytes(), kOtherContent);
  EXPECT_TRUE(WindowsDirectoryFiles("*velder-tmp").empty());

  // Once free, a save writes the page's values and keeps the rest.
  MessageBoxCatcher boxes;
  Save();
  EXPECT_TRUE(boxes.seen().empty());
  EXPECT_EQ(Stored("param", "VibratoDelay"), "300");
  EXPECT_EQ(Stored("compressor", "threshold"), "40");
  EXPECT_EQ(Stored("chorus", "Level"), "30");
}

}  // namespace
