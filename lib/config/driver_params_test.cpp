#include "lib/config/driver_params.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "tests/portable/temp_folder.h"

namespace fs = std::filesystem;

namespace {

// The file a load creates where there was none.
const std::string kCreatedFile =
    "[main]\r\nver=101\r\nOverWriteVibrato=1\r\nOverWriteTremolo=0\r\nOverWriteVel=0\r\nOverWriteEnv=0\r\n"
    "OverWriteModEnv=0\r\nOverWriteCutoff=0\r\n\r\n";

// What a save of the defaults writes where there is no file.
const std::string kSavedDefaults =
    "[param]\r\nVibratoDelay=300\r\nVibratoDepth=0\r\nVibratoSweep=0\r\nVelToFc=-2400\r\nVelToFcThr=64\r\n"
    "VelToRes=0\r\nTremoloDelay=0\r\nTremoloDepth=0\r\nTremoloToFc=0\r\nTremoloToPitch=0\r\nRes=0\r\n"
    "CutoffFreq=10000\r\nEnvDelay=1\r\nModEnvDelay=1\r\nModEnvToFc=100\r\nModEnvToPitch=0\r\n"
    "_SF2ChorusSend=0\r\n_SF2ReverbSend=0\r\n_VibratoCent=55\r\n_VibratoDelay=200\r\n\r\n"
    "[main]\r\nver=101\r\nOverWriteVibrato=1\r\nOverWriteTremolo=0\r\nOverWriteCutoff=0\r\nOverWriteVel=0\r\n"
    "OverWriteModEnv=0\r\nOverWriteEnv=0\r\n\r\n"
    "[chorus]\r\n\r\n"
    "[efx]\r\nGS_OD_Level=0.500000\r\nGS_OD_Drive=0.900000\r\n\r\n"
    "[delay]\r\ndelay=1.000000\r\n\r\n"
    "[driver]\r\nvolctrl=1\r\n\r\n";

class DriverParamsFile : public testing::Test {
 protected:
  void Put(const std::string &bytes) const { PutFile(path_, bytes); }
  std::string Get() const { return FileBytes(path_); }
  // A load as the setup program's start makes it: the conversion written at once.
  bool Load() {
    ParamsLoad load = LoadDriverParamsFile(path_.c_str(), &params_);
    WriteParamsConversion(path_.c_str(), load);
    return load.readable;
  }
  bool Save() { return SaveDriverParamsFile(path_.c_str(), params_); }

  TempFolder folder_;
  std::string path_ = folder_.PathOf("velder_soundfont.ini");
  DriverParams params_ = {};
};

TEST_F(DriverParamsFile, MissingFileGivesTheDefaultsAndIsCreatedWithMainOnly) {
  EXPECT_TRUE(Load());  // the defaults stand for a missing file
  EXPECT_EQ(params_.VibratoDelay, 300);
  EXPECT_EQ(params_.VelToFc, -2400);
  EXPECT_EQ(params_.VelToFcThr, 64);
  EXPECT_EQ(params_.CutoffFreq, 10000);
  EXPECT_EQ(params_.ModEnvToFc, 100);
  EXPECT_EQ(params_.EnvDelay, 1);
  EXPECT_EQ(params_.ModEnvDelay, 1);
  EXPECT_EQ(params_.OverWriteFlags, 1);
  EXPECT_EQ(params_.CompressorFlags, 0);
  EXPECT_EQ(params_.CalcVibratoCent, 55);
  EXPECT_EQ(params_.CalcVibratoDelay, 200);
  EXPECT_EQ(params_.GS_OD_Level, 0.5);
  EXPECT_EQ(params_.GS_OD_Drive, 0.9);
  EXPECT_EQ(params_.ChorusLevel, 64);
  EXPECT_EQ(params_.ChorusDepth, 19);
  EXPECT_EQ(params_.attack, static_cast<double>(0.01f));
  EXPECT_EQ(params_.scaleroom, 0.28f);
  EXPECT_EQ(params_.delay, 1.0f);
  EXPECT_EQ(params_.volctrl, 1);
  EXPECT_EQ(params_.nowvol, 100);
  EXPECT_EQ(Get(), kCreatedFile);
}

TEST_F(DriverParamsFile, LoadWritesNothingAndSaysWhenAConversionIsDue) {
  ParamsLoad load = LoadDriverParamsFile(path_.c_str(), &params_);
  EXPECT_TRUE(load.readable);
  EXPECT_TRUE(load.conversionDue);
  EXPECT_EQ(load.converted, kCreatedFile);
  EXPECT_FALSE(fs::exists(path_));

  const std::string older = "[param]\r\n_OverWriteCutoff=1\r\n";
  Put(older);
  load = LoadDriverParamsFile(path_.c_str(), &params_);
  EXPECT_TRUE(load.conversionDue);
  EXPECT_EQ(load.converted,
            "[param]\r\n\r\n[main]\r\nver=101\r\nOverWriteVibrato=1\r\nOverWriteTremolo=0\r\n"
            "OverWriteVel=0\r\nOverWriteEnv=0\r\nOverWriteModEnv=0\r\nOverWriteCutoff=1\r\n\r\n");
  EXPECT_EQ(Get(), older);
  EXPECT_TRUE(WriteParamsConversion(path_.c_str(), load));
  EXPECT_EQ(Get(), load.converted);

  const std::string written = Get();
  load = LoadDriverParamsFile(path_.c_str(), &params_);
  EXPECT_FALSE(load.conversionDue);
  EXPECT_FALSE(WriteParamsConversion(path_.c_str(), load));
  EXPECT_EQ(Get(), written);
}

TEST_F(DriverParamsFile, OlderLayoutMovesTheOverrideFlagsIntoMain) {
  Put("[param]\r\nVibratoDelay=250\r\n_OverWriteVibrato=0\r\n_OverWriteTremolo=0\r\n_OverWriteVel=1\r\n"
      "_OverWriteEnv=1\r\n_OverWriteModEnv=1\r\n_OverWriteCutoff=1\r\nRes=7\r\n\r\n"
      "[main]\r\nOverWriteEnv=1\r\n\r\n[mine]\r\nx=1\r\n\r\n");
  Load();
  EXPECT_EQ(params_.OverWriteFlags, 4);
  EXPECT_EQ(params_.VibratoDelay, 250);
  EXPECT_EQ(Get(),
            "[param]\r\nVibratoDelay=250\r\nRes=7\r\n\r\n"
            "[main]\r\nOverWriteEnv=0\r\nver=101\r\nOverWriteVibrato=0\r\nOverWriteTremolo=0\r\n"
            "OverWriteVel=0\r\nOverWriteModEnv=0\r\nOverWriteCutoff=1\r\n\r\n[mine]\r\nx=1\r\n\r\n");
}

TEST_F(DriverParamsFile, OnlyVersion100OrNoneIsConverted) {
  for (const char *ver : {"ver=101", "ver=102", "ver=abc", "ver=100", ""}) {
    const std::string file = std::string("[param]\r\n_OverWriteVibrato=0\r\n\r\n[main]\r\n") + ver +
                             (*ver ? "\r\n" : "") + "OverWriteVel=1\r\n\r\n";
    Put(file);
    Load();
    bool converted = std::string(ver) == "ver=100" || !*ver;
    EXPECT_EQ(Get() == file, !converted) << ver;
    EXPECT_EQ(params_.OverWriteFlags, converted ? 0 : 1 + 8) << ver;
    Save();
    EXPECT_EQ(Get().find("_OverWriteVibrato=0") != std::string::npos, !converted) << ver;
  }
}

struct Limit {
  const char *section;
  const char *line;
  ParamField field;
  double loaded;
};

const Limit kLimits[] = {
    {"param", "_VibratoCent=0", &DriverParams::CalcVibratoCent, 1},
    {"param", "_VibratoCent=20000", &DriverParams::CalcVibratoCent, 10000},
    {"param", "_VibratoDelay=-3", &DriverParams::CalcVibratoDelay, 1},
    {"param", "_VibratoDelay=abc", &DriverParams::CalcVibratoDelay, 1},  // reads as 0, not the default
    {"param", "VelToFcThr=300", &DriverParams::VelToFcThr, 44},
    {"param", "VibratoDepth=70000", &DriverParams::VibratoDepth, 4464},
    {"param", "VibratoDelay=-99999", &DriverParams::VibratoDelay, -99999},
    {"param", "_SF2ChorusSend=200", &DriverParams::SF2ChorusSend, -56},
    {"efx", "GS_OD_Drive=5", &DriverParams::GS_OD_Drive, 2.0},
    {"efx", "GS_OD_Level=0.05", &DriverParams::GS_OD_Level, 0.1},
    {"efx", "GS_OD_Level=nan", &DriverParams::GS_OD_Level, 0.1},
    {"delay", "delay=0", &DriverParams::delay, static_cast<double>(0.01f)},
    {"delay", "delay=3", &DriverParams::delay, 2.0},
    {"delay", "delay=0.3", &DriverParams::delay, static_cast<double>(0.3f)},
    {"chorus", "Level=-5", &DriverParams::ChorusLevel, 0},
    {"chorus", "PreLPF=9", &DriverParams::ChorusPreLPF, 6},
    {"chorus", "Delay=200", &DriverParams::ChorusDelay, 0},  // -56 once narrowed
    {"driver", "nowvol=300", &DriverParams::nowvol, 200},
    {"driver", "nowvol=-1", &DriverParams::nowvol, 0},
    {"driver", "volctrl=0", &DriverParams::volctrl, 0},
    {"main", "OverWriteTremolo=7", {&DriverParams::OverWriteFlags, 1}, 1},
    {"compressor", "enable=1", {&DriverParams::CompressorFlags, 0}, 1},
    {"reverb", "scaleroom=0.5", &DriverParams::scaleroom, 0.5},
};

TEST_F(DriverParamsFile, LoadNarrowsAndLimits) {
  for (const Limit &limit : kLimits) {
    Put(std::string("[main]\r\nver=101\r\n\r\n[") + limit.section + "]\r\n" + limit.line + "\r\n");
    Load();
    EXPECT_EQ(ReadField(params_, limit.field), limit.loaded) << limit.line;
  }
}

TEST_F(DriverParamsFile, SaveWritesLimitedValuesAndLeavesUnwrittenKeysAlone) {
  Put("[param]\r\nVelToFcThr=300\r\n\r\n[main]\r\nver=101\r\n\r\n[chorus]\r\nLevel=-5\r\nPreLPF=9\r\n\r\n"
      "[delay]\r\ndelay=0\r\n\r\n[driver]\r\nnowvol=300\r\n");
  Load();
  ASSERT_TRUE(Save());
  std::string file = Get();
  for (const char *line :
       {"\nVelToFcThr=44\r\n", "\ndelay=0.010000\r\n", "[chorus]\r\nLevel=-5\r\nPreLPF=9\r\n\r\n",
        "[driver]\r\nnowvol=300\r\nvolctrl=1\r\n"})
    EXPECT_NE(file.find(line), std::string::npos) << line;
}

TEST_F(DriverParamsFile, SaveIntoAMissingFileWritesEverySectionInOrder) {
  Load();
  fs::remove(path_);
  ASSERT_TRUE(Save());
  EXPECT_EQ(Get(), kSavedDefaults);
  ASSERT_TRUE(Save());  // the same set saved again gives the same bytes
  EXPECT_EQ(Get(), kSavedDefaults);
}

TEST_F(DriverParamsFile, SaveKeepsEverythingItDoesNotWrite) {
  const std::string file =
      "[compressor]\r\nenable=1\r\nthreshold=40.5\r\n\r\n[reverb]\r\nscalewet=0.1\r\n\r\n"
      "[param]\r\n; tuned by hand\r\nVibratoDelay=310\r\nCustom=abc\r\n\r\n"
      "[main]\r\nver=101\r\nOverWriteVibrato=0\r\n\r\n[chorus]\r\nLevel=30\r\n\r\n[driver]\r\nnowvol="
      "80\r\n\r\n"
      "[future]\r\nkey=value\r\n\r\n";
  Put(file);
  Load();
  EXPECT_EQ(params_.CompressorFlags, 1);
  EXPECT_EQ(params_.threshold, 40.5);
  params_.VibratoDelay = 999;
  params_.OverWriteFlags = 1 | 32;
  ASSERT_TRUE(Save());
  const std::string saved = Get();
  EXPECT_EQ(
      saved,
      "[compressor]\r\nenable=1\r\nthreshold=40.5\r\n\r\n[reverb]\r\nscalewet=0.1\r\n\r\n"
      "[param]\r\n; tuned\r\nVibratoDelay=999\r\nCustom=abc\r\nVibratoDepth=0\r\nVibratoSweep=0\r\n"
      "VelToFc=-2400\r\nVelToFcThr=64\r\nVelToRes=0\r\nTremoloDelay=0\r\nTremoloDepth=0\r\nTremoloToFc=0\r\n"
      "TremoloToPitch=0\r\nRes=0\r\nCutoffFreq=10000\r\nEnvDelay=1\r\nModEnvDelay=1\r\nModEnvToFc=100\r\n"
      "ModEnvToPitch=0\r\n_SF2ChorusSend=0\r\n_SF2ReverbSend=0\r\n_VibratoCent=55\r\n_VibratoDelay="
      "200\r\n\r\n"
      "[main]\r\nver=101\r\nOverWriteVibrato=1\r\nOverWriteTremolo=0\r\nOverWriteCutoff=0\r\n"
      "OverWriteVel=0\r\nOverWriteModEnv=0\r\nOverWriteEnv=1\r\n\r\n"
      "[chorus]\r\nLevel=30\r\n\r\n[driver]\r\nnowvol=80\r\nvolctrl=1\r\n\r\n[future]\r\nkey=value\r\n\r\n"
      "[efx]\r\nGS_OD_Level=0.500000\r\nGS_OD_Drive=0.900000\r\n\r\n[delay]\r\ndelay=1.000000\r\n\r\n");
  ASSERT_TRUE(Save());
  EXPECT_EQ(Get(), saved);
}

// Both calculation numbers at 0 are values the user may give like any other:
// the save writes them, and everything else the set holds, over the file.
TEST_F(DriverParamsFile, ZeroCalculationNumbersAreSavedAsTheSetHoldsThem) {
  Put("[param]\r\n_VibratoCent=70\r\n_VibratoDelay=300\r\nVibratoDelay=5\r\n\r\n[main]\r\nver=101\r\n\r\n");
  ASSERT_TRUE(Load());
  params_.CalcVibratoCent = 0;
  params_.CalcVibratoDelay = 0;
  params_.VibratoDelay = 1500;
  ASSERT_TRUE(Save());
  std::string file = Get();
  EXPECT_NE(file.find("VibratoDelay=1500\r\n"), std::string::npos) << file;
  EXPECT_NE(file.find("_VibratoCent=0\r\n_VibratoDelay=0\r\n"), std::string::npos) << file;
  EXPECT_EQ(params_.VibratoDelay, 1500);
}

TEST_F(DriverParamsFile, UnreadableFileGivesDefaultsAndIsNeverWritten) {
  // A folder in the file's place exists but cannot be read as a file.
  path_ = folder_.path().string();
  Put("");  // no effect on a folder
  EXPECT_FALSE(Load());
  EXPECT_EQ(params_.OverWriteFlags, 1);
  EXPECT_EQ(params_.CalcVibratoCent, 55);
  EXPECT_FALSE(Save());
  EXPECT_TRUE(fs::is_directory(folder_.path()));
  EXPECT_TRUE(fs::is_empty(folder_.path()));
  EXPECT_FALSE(SaveDriverParamsFile(nullptr, params_));
}

TEST_F(DriverParamsFile, FailedConversionRunsAgainAtTheNextLoad) {
  fs::remove_all(folder_.path());  // the folder is gone: nothing can be written
  Load();
  EXPECT_EQ(params_.OverWriteFlags, 1);
  EXPECT_FALSE(Save());
  fs::create_directories(folder_.path());
  Load();
  EXPECT_EQ(Get(), kCreatedFile);
}

TEST(DriverParamsText, FindingsNameTheLineThatGivesTheKey) {
  DriverParams params = {};
  std::vector<ParamsFinding> found;
  ASSERT_TRUE(ReadDriverParamsText(
      "[param]\r\nVelToFcThr=300\r\n[efx]\nGS_OD_Level=5\n[param]\n_VibratoCent=0\n_VibratoCent=20000\n",
      &params, &found));
  std::vector<std::string> shown;
  for (const ParamsFinding &f : found)
    shown.push_back(std::to_string(f.kind) + " " + std::to_string(f.line) + " [" + f.section + "] " + f.key +
                    "=" + f.text + " " + std::to_string(f.value));
  EXPECT_EQ(shown, (std::vector<std::string>{
                       "0 0 [main] ver= 101.000000",  // the older layout: the file as a whole
                       "1 2 [param] VelToFcThr=300 44.000000",
                       "2 7 [param] _VibratoCent=20000 10000.000000",  // the line that counts
                       "2 4 [efx] GS_OD_Level=5 2.000000",
                   }));
}

}  // namespace
