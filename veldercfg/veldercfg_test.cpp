#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

#include "lib/config/default_block_test.h"
#include "lib/config/driver_params.h"
#include "lib/files/file_io.h"
#include "tests/portable/fake_midi.h"
#include "tests/portable/line_forms.h"
#include "tests/portable/soundfont_bytes.h"
#include "veldercfg/commands.h"

namespace fs = std::filesystem;

namespace {

struct Result {
  int status;
  std::string out, err;
};

// An environment variable set for the life of the object, then as it was.
class ScopedEnv {
 public:
  ScopedEnv(const char *name, const std::string &value) : name_(name) {
    const char *old = std::getenv(name);
    had_ = old != nullptr;
    if (had_) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (had_)
      setenv(name_, old_.c_str(), 1);
    else
      unsetenv(name_);
  }
  ScopedEnv(const ScopedEnv &) = delete;
  ScopedEnv &operator=(const ScopedEnv &) = delete;

 private:
  const char *name_;
  bool had_;
  std::string old_;
};

// A Wine prefix of its own: drive_c/windows holds the driver's files, and
// dosdevices/c: leads to drive_c as in a real prefix.
class VelderCfg : public testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("velder_cfg_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(root_);
    windows_ = root_ / "drive_c" / "windows";
    fs::create_directories(windows_);
    fs::create_directories(root_ / "dosdevices");
    fs::create_directory_symlink("../drive_c", root_ / "dosdevices" / "c:");
  }
  void TearDown() override { fs::remove_all(root_); }

  // `path` under drive_c, or under the Windows directory when it has no folder.
  fs::path Where(const std::string &path) const {
    return path.find('/') == std::string::npos ? windows_ / path : root_ / "drive_c" / path;
  }
  void Put(const std::string &path, const std::string &bytes) const {
    fs::create_directories(Where(path).parent_path());
    std::ofstream(Where(path), std::ios::binary) << bytes;
  }
  std::string Get(const std::string &path) const {
    std::ifstream in(Where(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  Result Run(std::vector<std::string> args, const Platform &platform = kPlatform) const {
    args.insert(args.begin(), {"--windir", windows_.string()});
    Result result;
    result.status = RunVelderCfg(args, platform, &result.out, &result.err);
    return result;
  }
  std::string Cfg() const { return (windows_ / "orvane.cfg").string(); }
  std::string Ini() const { return (windows_ / "velder_soundfont.ini").string(); }
  std::string Drive() const { return fs::canonical(root_ / "dosdevices").string() + "/c:"; }
  std::string DriveC() const { return fs::canonical(root_ / "drive_c").string(); }

  // A parameter file that loads without findings.
  static constexpr char kCleanIni[] = "[main]\r\nver=101\r\n";

  fs::path root_, windows_;
};

TEST_F(VelderCfg, CheckFindsTheTargetsOfDirectives) {
  Put("sf/Piano.sf2", SoundfontBytes("x"));
  Put("sf/folder.sf2/x", "");
  Put("other/b.sf2", SoundfontBytes("x"));
  Put("my fonts/a b.sf2", SoundfontBytes("x"));
  Put(u8"音色/ピアノ.sf2", SoundfontBytes("x"));  // named in UTF-8, as Wine names files
  Put("velder_soundfont.ini", kCleanIni);
  struct Case {
    const char *cfg;
    std::string finding;  // empty: none
  } cases[] = {
      {"soundfont \"C:\\sf\\Piano.sf2\"", ""},
      {"soundfont C:\\sf\\piano.SF2 amp=120", ""},  // letter case does not count, as under Wine
      // A CR that ends the file ends its last line, and is reported, as the driver reads on past it.
      {"soundfont C:\\sf\\Piano.sf2\r",
       ":1: the line ends in a lone CR, which the driver does not take for a line end: it reads on to the "
       "next "
       "LF as one line"},
      {"soundfont \"C:\\my fonts\\a b.sf2\" amp=1", ""},
      {"soundfont \"C:\\音色\\ピアノ.sf2\"", ""},  // the literal is code page 932
      {"soundfont C:\\sf\\gone.sf2",
       ":1: soundfont file \"C:\\sf\\gone.sf2\" not found; looked for " + Drive() + "/sf/gone.sf2"},
      {"soundfont \"C:\\音色\\x.sf2\"",
       u8":1: soundfont file \"C:\\音色\\x.sf2\" not found; looked for " + Drive() + u8"/音色/x.sf2"},
      {"dir C:\\other\ndir C:\\sf\nsoundfont b.sf2", ""},
      {"dir C:\\other\ndir C:\\sf\nsoundfont c.sf2", ":3: soundfont file \"c.sf2\" not found; looked for " +
                                                         DriveC() + "/sf/c.sf2, " + DriveC() +
                                                         "/other/c.sf2, " + DriveC() + "/windows/c.sf2"},
      {"soundfont C:\\sf\\folder.sf2", ":1: soundfont file " + DriveC() + "/sf/folder.sf2 is a folder"},
      {"dir C:\\sf\\Piano.sf2", ":1: dir " + DriveC() + "/sf/Piano.sf2 is not a folder"},
      {"dir C:\\nowhere", ":1: folder \"C:\\nowhere\" not found; looked for " + Drive() + "/nowhere"},
      {"soundfont", ":1: soundfont line names nothing"},
      {"# soundfont gone.sf2\nsoundfonts gone.sf2\n#extension opt --volume=70", ""},
  };
  for (const Case &c : cases) {
    Put("orvane.cfg", c.cfg);
    Result result = Run({"check"});
    EXPECT_EQ(result.out, c.finding.empty() ? "" : Cfg() + c.finding + "\n") << c.cfg;
    EXPECT_EQ(result.status, c.finding.empty() ? 0 : 1) << c.cfg;
  }
}

TEST_F(VelderCfg, CheckFollowsSourceFilesAndStopsAtALoop) {
  Put("velder_soundfont.ini", kCleanIni);
  Put("orvane.cfg", "dir C:\\sf\r\nsource extra.cfg\r\nsource C:\\cfg\\gone.cfg\r\n");
  Put("sf/a.sf2", SoundfontBytes("x"));
  // Found in the dir folder of the file that sources it; a relative source
  // is looked for beside the file that names it.
  Put("extra.cfg", "soundfont a.sf2\r\nsoundfont b.sf2\r\nsource ../windows/orvane.cfg\r\n");
  std::string extra = fs::canonical(windows_ / "extra.cfg").string();
  Result result = Run({"check"});
  EXPECT_EQ(result.out,
            extra + ":2: soundfont file \"b.sf2\" not found; looked for " + DriveC() + "/sf/b.sf2, " +
                DriveC() + "/windows/b.sf2\n" + extra + ":3: source loop: " + fs::canonical(Cfg()).string() +
                " is already being read; not followed\n" + Cfg() +
                ":3: source file \"C:\\cfg\\gone.cfg\" not found; looked for " + Drive() + "/cfg/gone.cfg\n");
  EXPECT_EQ(result.status, 1);
}

// A loop is found by the file itself, however the source line spells it:
// here a second name (a hard link) of the file being read is not followed.
TEST_F(VelderCfg, CheckFindsASourceLoopByTheFileNotItsName) {
  Put("velder_soundfont.ini", kCleanIni);
  Put("orvane.cfg", "source C:\\t1\\a.cfg\r\n");
  Put("t1/a.cfg", "source C:\\t1\\b.cfg\r\n");
  fs::create_hard_link(Where("t1/a.cfg"), Where("t1/b.cfg"));
  const std::string a = fs::canonical(Where("t1/a.cfg")).string();
  Result result = Run({"check"});
  EXPECT_EQ(result.out, a + ":1: source loop: " + fs::canonical(Where("t1/b.cfg")).string() +
                            " is already being read; not followed\n");
  EXPECT_EQ(result.status, 1);
}

TEST_F(VelderCfg, CheckNamesOptionsGivenAgainAndValuesThePageCannotShow) {
  Put("velder_soundfont.ini", kCleanIni);
  struct Case {
    const char *lines;
    const char *finding;  // of the first line; empty: none
  } cases[] = {
      {"--reverb=g\n-EFreverb=f", "\"--reverb=g\": reverb given again on line 2; only the last line counts"},
      {"-OdSs1l\n-OdMs1lx",
       "\"-OdSs1l\": output, byte-swap given again on line 2; only the last line counts"},
      {"-Ewp\n-EW", "\"-Ewp\": effect flags w given again on line 2; only the last line counts"},
      {"-Ew\n-Ep", ""},
      {"-a 80\n--drum-power=90", ""},
      {"--polyphony=64\n--polyphony=100", ""},  // the second changes nothing
      {"--volume=500",
       "\"--volume=500\": the options page shows volume 200 instead, and the next apply writes that"},
      {"--volume=0",
       "\"--volume=0\": the options page shows volume 70 instead, and the next apply writes that"},
      {"-a 80,300",
       "\"-a 80,300\": the options page shows drum-power 200 instead, and the next apply writes that"},
      {"--sampling-freq=96000",
       "\"--sampling-freq=96000\": not a rate of the page's list; the options page shows "
       "sampling-freq 44100 instead, and the next apply writes that"},
      {"-p 100",
       "\"-p 100\": not a voice count of the page's list; the options page shows polyphony 128 instead, "
       "and the next apply writes that"},
      {"--reverb=x,40",
       "\"--reverb=x,40\": \"x\" is none of d n g f G; the options page shows reverb n,40 instead, "
       "and the next apply writes that"},
      {"--resample=q",
       "\"--resample=q\": \"q\" is none of d l c L g n; the options page shows resample L "
       "instead, and the next apply writes that"},
      {"-B 100000",
       "\"-B 100000\": not a size of the page's list; the options page shows cache 131072 instead, "
       "and the next apply writes that"},
      {"-B2M", ""},
      {"-EFns=9",
       "\"-EFns=9\": the options page shows noise-shaping 4 instead, and the next apply writes that"},
      {"--rtsyn-latency=0.01", "\"--rtsyn-latency=0.01\": the next apply writes rtsyn-latency 0.040"},
      {"--rtsyn-latency=0.2", ""},
      {"--resample=g\n-N 99", ""},  // the finding is on line 2
      {"-N 7", "\"-N 7\": resample L takes no N; the next apply drops it"},
      {"-R2000", "\"-R2000\": the next apply writes -R1000"},
      {"-Rabc", "\"-Rabc\": the next apply writes -R0"},
      {"--foo=1\n--fast-decay\n--unload-instruments", ""},
  };
  for (const Case &c : cases) {
    std::string cfg;
    for (std::string_view rest = c.lines; !rest.empty();) {
      size_t end = rest.find('\n');
      cfg += "#extension opt " + std::string(rest.substr(0, end)) + "\r\n";
      rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    Put("orvane.cfg", cfg);
    Result result = Run({"check"});
    std::string first = Cfg() + ":1: " + c.finding + "\n";
    if (*c.finding)
      EXPECT_EQ(result.out.substr(0, first.size()), first) << c.lines;
    else
      EXPECT_EQ(result.out.find(Cfg() + ":1:"), std::string::npos) << c.lines << "\n" << result.out;
  }
  Put("orvane.cfg", "#extension opt --resample=g\r\n#extension opt -N 99\r\n");
  EXPECT_EQ(Run({"check"}).out, Cfg() + ":2: \"-N 99\": the next apply writes -N57\n");
}

TEST_F(VelderCfg, CheckTellsWhatLoadingTheParameterFileChanges) {
  Put("orvane.cfg", "");
  struct Case {
    const char *ini;  // null: no file
    std::string finding;
  } cases[] = {
      {nullptr, ": missing; the next start of the setup program creates it"},
      {"[param]\r\nVibratoDelay=300\r\n",
       ": in the older layout (no ver=101 in [main]); the next start of the setup program converts it"},
      {"[main]\r\nver=101\r\n[param]\r\nVelToFcThr=300\r\n",
       ":4: [param] VelToFcThr=300 does not fit its field and becomes 44"},
      {"[main]\nver=101\n[param]\n_VibratoCent=0\n[param]\n_VibratoCent=20000\n",
       ":6: [param] _VibratoCent=20000 is outside the limits of loading and becomes 10000"},
      {"[main]\r\nver=101\r\n[chorus]\r\nLevel=-5\r\n",
       ":4: [chorus] Level=-5 is outside the limits of loading and becomes 0"},
      {"[main]\r\nver=101\r\n[param]\r\n_SF2ChorusSend=200\r\n",
       ":4: [param] _SF2ChorusSend=200 does not fit its field and becomes -56"},
      {"[main]\r\nver=101\r\n[efx]\r\nGS_OD_Level=0.05\r\n",
       ":4: [efx] GS_OD_Level=0.05 is outside the limits of loading and becomes 0.1"},
  };
  for (const Case &c : cases) {
    fs::remove(Ini());
    if (c.ini) Put("velder_soundfont.ini", c.ini);
    Result result = Run({"check"});
    EXPECT_EQ(result.out, Ini() + c.finding + "\n") << (c.ini ? c.ini : "no file");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(fs::exists(Ini()), c.ini != nullptr) << "check never writes";
  }
  fs::remove(Ini());
  fs::create_directory(Ini());  // exists, but cannot be read as a file
  EXPECT_EQ(Run({"check"}).out,
            Ini() + ": cannot be read; the setup program shows its defaults and cannot save\n");
}

TEST_F(VelderCfg, CheckOfCleanFilesFindsNothing) {
  Put("sf/a.sf2", SoundfontBytes("x"));
  Put("orvane.cfg", "dir C:\\sf\r\nsoundfont a.sf2\r\n\r\n\r\n" + std::string(kDefaultBlock));
  Put("velder_soundfont.ini", kCleanIni);
  Result result = Run({"check"});
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.status, 0);
}

// Where the platform has a MIDI system, check prints its rows after the
// files' findings; information leaves the exit status alone, a finding
// counts as any other. Linux has none.
TEST_F(VelderCfg, CheckReportsThePlatformsMidiSystemAfterTheFiles) {
  EXPECT_EQ(kPlatform.midi, nullptr);
  Put("orvane.cfg", "soundfont gone.sf2\r\n");
  Put("velder_soundfont.ini", kCleanIni);
  FakeMidi fake;
  fake.devices = {"Velder MIDI"};
  fake.SetBoth("midi", "velder.dll");
  fake.files = {"C:\\windows\\system32\\velder.dll", "C:\\windows\\syswow64\\velder.dll"};
  Platform withMidi = kPlatform;
  withMidi.midi = &fake.calls();
  const std::string midiRows =
      "MIDI output 0: Velder MIDI\n"
      "MIDI mapper (the default device): plays to MIDI output 0, Velder MIDI\n"
      "Drivers32 midi (64-bit): velder.dll\n"
      "Drivers32 midi (32-bit): velder.dll\n"
      "Windows MIDI Services: not active\n";
  Result result = Run({"check"}, withMidi);
  EXPECT_EQ(result.out, Cfg() + ":1: soundfont file \"gone.sf2\" not found; looked for " + DriveC() +
                            "/windows/gone.sf2\n" + midiRows);
  EXPECT_EQ(result.status, 1);

  Put("orvane.cfg", "");
  result = Run({"check"}, withMidi);
  EXPECT_EQ(result.out, midiRows);
  EXPECT_EQ(result.status, 0) << "information counted as a finding";

  fake.values.erase({RegistryView::k32Bit, "midi"});
  result = Run({"check"}, withMidi);
  EXPECT_NE(result.out.find("Drivers32 midi (64-bit): velder.dll is registered for 64-bit programs only"),
            std::string::npos)
      << result.out;
  EXPECT_EQ(result.status, 1);
}

const char kDefaultShow[] =
    "volume=70\ndrum-power=100\nchorus=n\nreverb=n\nvoice-lpf=c\nsampling-freq=44100\npolyphony=128\n"
    "output=unset\nbyte-swap=off\neffects=WPVETSOZJDXCQ\nresample=L\nrtsyn-latency=\nresample-param=\n"
    "fast-panning=off\nfast-decay=off\nunload-instruments=off\npseudo-reverb=\ncache=0\nnoise-shaping=4\n"
    "param.VibratoDelay=300\nparam.VibratoDepth=0\nparam.VelToFc=-2400\nparam.VelToRes=0\nparam.VelToFcThr="
    "64\n"
    "param.TremoloDelay=0\nparam.TremoloDepth=0\nparam.TremoloToFc=0\nparam.TremoloToPitch=0\n"
    "param.ModEnvDelay=1\nparam.ModEnvToPitch=0\nparam.ModEnvToFc=100\nparam.CutoffFreq=10000\nparam.Res=0\n"
    "param.EnvDelay=1\nparam._VibratoDelay=200\nparam._VibratoCent=55\nefx.GS_OD_Drive=0.9\n"
    "efx.GS_OD_Level=0.5\nmain.OverWriteVibrato=on\nmain.OverWriteTremolo=off\nmain.OverWriteCutoff=off\n"
    "main.OverWriteVel=off\nmain.OverWriteModEnv=off\nmain.OverWriteEnv=off\ndriver.volctrl=on\n";

TEST_F(VelderCfg, ShowWithoutFilesPrintsThePagesDefaultsAndWritesNothing) {
  Result result = Run({"show"});
  EXPECT_EQ(result.out, kDefaultShow);
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(fs::is_empty(windows_));
}

TEST_F(VelderCfg, ShowPrintsWhatThePagesHoldAfterReading) {
  struct Case {
    const char *cfg;
    const char *ini;
    std::vector<std::string> lines;
  } cases[] = {
      {"opt --chorus=n,64\nopt --reverb=3", "", {"chorus=n,64", "reverb=f"}},
      {"opt --chorus=n,64\nopt --chorus=s", "", {"chorus=s"}},
      {"opt -OdMs1lx\nopt -Ewp", "", {"output=mono", "byte-swap=on", "effects=wpVETSOZJDXCQ"}},
      {"opt --polyphony=0\nopt -B2M\nopt -a 80,120",
       "",
       {"polyphony=196", "cache=2097152", "volume=80", "drum-power=120"}},
      {"opt --rtsyn-latency=0.2\nopt -N 7\nopt -R50\nopt --no-fast-decay\nopt -f",
       "",
       {"rtsyn-latency=0.2", "resample-param=7", "pseudo-reverb=50", "fast-decay=on"}},
      {"",
       "[main]\nver=101\n[param]\n_VibratoCent=20000\nVibratoDelay=2500\n[efx]\nGS_OD_Level=0.1239\n",
       {"param._VibratoCent=10000", "param.VibratoDelay=2500", "efx.GS_OD_Level=0.1239"}},
      {"",
       "[param]\n_OverWriteVibrato=0\n_OverWriteCutoff=1\n[driver]\nvolctrl=0\n",
       {"main.OverWriteVibrato=off", "main.OverWriteCutoff=on", "driver.volctrl=off"}},
  };
  for (const Case &c : cases) {
    Put("orvane.cfg", c.cfg);
    Put("velder_soundfont.ini", c.ini);
    Result result = Run({"show"});
    for (const std::string &line : c.lines)
      EXPECT_NE(("\n" + result.out).find("\n" + line + "\n"), std::string::npos) << line << "\n"
                                                                                 << result.out;
    EXPECT_EQ(Get("velder_soundfont.ini"), c.ini) << "show never writes";
  }
}

TEST_F(VelderCfg, SetValuesReadBackAsGiven) {
  const char *pairs[] = {
      "volume=1",
      "drum-power=200",
      "chorus=s,-3",
      "reverb=G",
      "voice-lpf=m",
      "sampling-freq=22050",
      "polyphony=512",
      "output=mono",
      "byte-swap=on",
      "effects=wPvETSOZJDXCq",
      "resample=n",
      "rtsyn-latency=0.250",
      "fast-panning=on",
      "fast-decay=on",
      "unload-instruments=on",
      "pseudo-reverb=1000",
      "cache=1073741824",
      "noise-shaping=0",
      "param.VelToFc=-10000",
      "param.VelToFcThr=120",
      "param.ModEnvDelay=2000",
      "param._VibratoCent=10000",
      "efx.GS_OD_Drive=0.125",
      "efx.GS_OD_Level=2",
      "main.OverWriteVibrato=off",
      "main.OverWriteEnv=on",
      "driver.volctrl=off",
  };
  for (const char *pair : pairs) {
    Result result = Run({"set", pair});
    EXPECT_EQ(result.status, 0) << pair << "\n" << result.err;
    EXPECT_NE(("\n" + Run({"show"}).out).find(std::string("\n") + pair + "\n"), std::string::npos) << pair;
  }
  // Given together, N follows its algorithm.
  EXPECT_EQ(Run({"set", "resample=g", "resample-param=57"}).status, 0);
  EXPECT_NE(Run({"show"}).out.find("\nresample-param=57\n"), std::string::npos);
}

TEST_F(VelderCfg, SetRefusesWhatThePagesCannotHoldAndWritesNothing) {
  Put("orvane.cfg", "soundfont a.sf2\r\n#extension opt --unload-instruments\r\n#extension opt -OdSs1l\r\n");
  struct Case {
    const char *pair;
    const char *message;
  } cases[] = {
      {"volume=201", "volume=201 refused: not a value of the options page; allowed: 1 to 200"},
      {"volume=0", "volume=0 refused: not a value of the options page; allowed: 1 to 200"},
      {"sampling-freq=96000",
       "sampling-freq=96000 refused: not a value of the options page; allowed: 4000, "},
      {"chorus=x", "chorus=x refused: not a value of the options page; allowed: d, n or s"},
      {"chorus=n,0", "chorus=n,0 refused: orvane.cfg would read back as n; allowed: d, n or s"},
      {"effects=wp", "effects=wp refused: not a value of the options page"},
      {"output=unset", "output=unset refused: not a value of the options page; allowed: stereo or mono"},
      {"rtsyn-latency=0.2", "rtsyn-latency=0.2 refused: orvane.cfg would read back as 0.200"},
      {"resample-param=7", "resample-param=7 refused: orvane.cfg would read back as ; allowed: 1 to 57 when"},
      {"cache=100000", "cache=100000 refused: not a value of the options page"},
      {"unload-instruments=off", "unload-instruments=off refused: orvane.cfg would read back as on"},
      {"param.VibratoDelay=2001",
       "param.VibratoDelay=2001 refused: not a value of the parameters page; allowed: "
       "0 to 2000"},
      {"param._VibratoCent=0",
       "param._VibratoCent=0 refused: not a value of the parameters page; allowed: 1 to "
       "10000"},
      {"efx.GS_OD_Drive=0.0005", "allowed: 0.1 to 2 in steps of 0.001"},
      {"efx.GS_OD_Drive=0.05", "allowed: 0.1 to 2 in steps of 0.001"},
      {"main.OverWriteVel=1",
       "main.OverWriteVel=1 refused: not a value of the parameters page; allowed: on or off"},
  };
  std::string before = Get("orvane.cfg");
  for (const Case &c : cases) {
    Result result = Run({"set", "noise-shaping=3", c.pair, "param.VibratoDepth=50"});
    EXPECT_EQ(result.status, 2) << c.pair;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << c.pair << "\n" << result.err;
    EXPECT_EQ(Get("orvane.cfg"), before) << c.pair;
    EXPECT_FALSE(fs::exists(Ini())) << c.pair;
  }
}

TEST_F(VelderCfg, SetWritesWhatApplyAndSaveWrite) {
  // Options: the rewrite of the apply button, every line the page does not manage kept.
  Put("orvane.cfg", "soundfont a.sf2\r\n#extension opt --volume=50\r\n#extension opt --foo\r\ndir x\r\n");
  Result result = Run({"set", "volume=90", "reverb=f,40"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "written: " + Cfg() + "\n");
  std::string block = kDefaultBlock;
  block.replace(block.find("--volume=70"), 11, "--volume=90");
  block.replace(block.find("--reverb=n"), 10, "--reverb=f,40");
  EXPECT_EQ(Get("orvane.cfg"), "soundfont a.sf2\r\ndir x\r\n\r\n#extension opt --foo\r\n\r\n" + block);
  EXPECT_FALSE(fs::exists(Ini())) << "only the file of a setting set is written";

  // Parameters: what the setup program's start and "保存" leave, here on an
  // older layout whose limited value the page saves limited.
  const std::string ini =
      "[param]\r\n_OverWriteCutoff=1\r\nVibratoDelay=2500\r\n; note\r\n[reverb]\r\nscalewet=0.1\r\n";
  Put("velder_soundfont.ini", ini);
  std::string page = (root_ / "page.ini").string();
  std::ofstream(page, std::ios::binary) << ini;
  DriverParams params = {};
  WriteParamsConversion(page.c_str(), LoadDriverParamsFile(page.c_str(), &params));
  params.VibratoDelay = 2000;
  params.TremoloDepth = 7;
  params.OverWriteFlags |= 1 << 5;
  ASSERT_TRUE(SaveDriverParamsFile(page.c_str(), params));
  result = Run({"set", "param.TremoloDepth=7", "main.OverWriteEnv=on"});
  EXPECT_EQ(result.status, 0) << result.err;
  std::ifstream saved(page, std::ios::binary);
  EXPECT_EQ(Get("velder_soundfont.ini"), std::string(std::istreambuf_iterator<char>(saved), {}));
}

// Every line end ends a line, as the editor shows it: set (the apply's
// rewrite and the save's, on an older layout it converts) keeps every line
// it does not manage, the setup program's conversion and save leave the same
// file, and check numbers the lines as the editor does, reporting each lone
// CR at the line it ends.
TEST_F(VelderCfg, EveryLineEndEndsALine) {
  Put("sf/a.sf2", "");
  const std::initializer_list<const char *> cfgLines = {
      "#extension opt --volume=50", "soundfont \"C:\\sf\\a.sf2\"", "dir C:\\sf", "soundfont gone.sf2"};
  const std::initializer_list<const char *> iniLines = {"[param]", "_OverWriteCutoff=1", "VibratoDelay=77",
                                                        "[future]", "key=value"};
  for (const LineForm &form : kLineForms) {
    SCOPED_TRACE(form.name);
    const std::string cfg = JoinedLines(cfgLines, form), ini = JoinedLines(iniLines, form);
    Put("orvane.cfg", cfg);
    Put("velder_soundfont.ini", ini);

    std::string cfgFindings = Cfg() + ":" + std::to_string(ShownLine(4, form)) +
                              ": soundfont file \"gone.sf2\" not found; looked for " + DriveC() +
                              "/sf/gone.sf2, " + DriveC() + "/windows/gone.sf2\n";
    std::string iniFindings =
        Ini() +
        ": in the older layout (no ver=101 in [main]); the next start of the setup program converts it\n";
    std::vector<std::string> findings = {cfgFindings, iniFindings};
    for (const auto &[file, lines] : {std::pair{Cfg(), cfgLines.size()}, std::pair{Ini(), iniLines.size()}})
      for (int line : LoneCrLines(static_cast<int>(lines), form))
        findings.push_back(
            file + ":" + std::to_string(line) +
            ": the line ends in a lone CR, which the driver does not take for a line end: it reads "
            "on to the next LF as one line\n");
    Result result = Run({"check"});
    for (const std::string &finding : findings)
      EXPECT_NE(result.out.find(finding), std::string::npos) << result.out;

    std::string page = (root_ / "page.ini").string();
    std::ofstream(page, std::ios::binary) << ini;
    DriverParams params = {};
    WriteParamsConversion(page.c_str(), LoadDriverParamsFile(page.c_str(), &params));
    EXPECT_EQ(params.VibratoDelay, 77);
    params.VibratoDelay = 88;
    ASSERT_TRUE(SaveDriverParamsFile(page.c_str(), params));

    result = Run({"set", "volume=90", "param.VibratoDelay=88"});
    EXPECT_EQ(result.status, 0) << result.err;
    std::string written = Get("orvane.cfg");
    EXPECT_EQ(written.substr(0, written.find("\r\n\r\n")),
              "soundfont \"C:\\sf\\a.sf2\"\r\ndir C:\\sf\r\nsoundfont gone.sf2");
    EXPECT_NE(written.find("--volume=90"), std::string::npos);
    EXPECT_EQ(written.find("--volume=50"), std::string::npos);
    written = Get("velder_soundfont.ini");
    for (const char *kept : {"VibratoDelay=88\r\n", "[future]\r\nkey=value\r\n", "OverWriteCutoff=1\r\n"})
      EXPECT_NE(written.find(kept), std::string::npos) << written;
    EXPECT_EQ(written.find("_OverWriteCutoff"), std::string::npos) << written;
    std::ifstream saved(page, std::ios::binary);
    EXPECT_EQ(written, std::string(std::istreambuf_iterator<char>(saved), {}));
  }
}

// Each set is a run of its own: each file it writes keeps the version before
// it beside it, and a file it does not write keeps its previous version.
TEST_F(VelderCfg, EachSetKeepsThePreviousVersionOfWhatItWrites) {
  const std::string cfg = "soundfont a.sf2\r\n", ini = kCleanIni;
  Put("orvane.cfg", cfg);
  Put("velder_soundfont.ini", ini);
  ASSERT_EQ(Run({"set", "volume=90", "param.TremoloDepth=7"}).status, 0);
  EXPECT_EQ(Get("orvane.cfg.bak"), cfg);
  EXPECT_EQ(Get("velder_soundfont.ini.bak"), ini);
  const std::string firstSet = Get("orvane.cfg");
  ASSERT_EQ(Run({"set", "volume=80"}).status, 0);
  EXPECT_EQ(Get("orvane.cfg.bak"), firstSet);
  EXPECT_EQ(Get("velder_soundfont.ini.bak"), ini);
}

// Neither reading command writes, converts or keeps anything, whatever the
// files hold (an older parameter layout, which the setup program converts).
TEST_F(VelderCfg, ShowAndCheckLeaveTheFolderAsItWas) {
  const std::string cfg = "soundfont a.sf2\r\n#extension opt --volume=50\r\n";
  const std::string ini = "[param]\r\nVibratoDelay=2500\r\n";
  Put("orvane.cfg", cfg);
  Put("velder_soundfont.ini", ini);
  for (const char *command : {"show", "check"}) {
    SCOPED_TRACE(command);
    Run({command});
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(windows_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"orvane.cfg", "velder_soundfont.ini"}));
    EXPECT_EQ(Get("orvane.cfg"), cfg);
    EXPECT_EQ(Get("velder_soundfont.ini"), ini);
  }
}

// A write refused for lack of rights, or of a read-only file, says why and
// what to do about it, the reason coming from the step that failed; any
// other failed write says only that it failed. Root is refused nothing, so
// the write fails another way (a folder where its temporary file goes, no
// file to rewrite in place) and a stand-in platform calls it refused.
TEST_F(VelderCfg, SetSaysWhyAWriteWasRefused) {
  fs::create_directories(windows_ / ("orvane.cfg" + std::string(kTempFileSuffix)) / "x");
  const std::string failed = Cfg() + ": could not be written; it is as it was\n";
  Result plain = Run({"set", "volume=100"});
  EXPECT_EQ(plain.status, 1);
  EXPECT_EQ(plain.out, "");
  EXPECT_EQ(plain.err, failed);

  Platform refusing = kPlatform;
  refusing.writeRefusal = [](WriteFailure) {
    return std::string("refused: how to run it with the rights\n");
  };
  Result refused = Run({"set", "volume=100", "param.TremoloDepth=7"}, refusing);
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, failed + "refused: how to run it with the rights\n");
  EXPECT_FALSE(fs::exists(Cfg()));
  EXPECT_FALSE(fs::exists(Ini())) << "a refused write stops before the next file";

  // A file without write permission is never written, and says so.
  fs::remove_all(windows_ / ("orvane.cfg" + std::string(kTempFileSuffix)));
  Put("orvane.cfg", "dir x\r\n");
  fs::permissions(Cfg(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  Result readOnly = Run({"set", "volume=100"});
  EXPECT_EQ(readOnly.status, 1);
  EXPECT_EQ(readOnly.err,
            failed + "read-only: the file has no write permission, and velder-cfg writes no such file\n");
  EXPECT_EQ(Get("orvane.cfg"), "dir x\r\n");

  // The platform's words for each reason.
  EXPECT_NE(kPlatform.writeRefusal(WriteFailure::kDenied).find("access denied"), std::string::npos);
  EXPECT_NE(kPlatform.writeRefusal(WriteFailure::kReadOnly).find("read-only"), std::string::npos);
  EXPECT_EQ(kPlatform.writeRefusal(WriteFailure::kOther), "");
}

TEST_F(VelderCfg, ShowOutputFedBackToSetIsAccepted) {
  Put("orvane.cfg", "#extension opt --volume=80\r\n");
  std::vector<std::string> args = {"set"};
  std::string shown = Run({"show"}).out;
  for (size_t at = 0, end; (end = shown.find('\n', at)) != std::string::npos; at = end + 1)
    args.push_back(shown.substr(at, end - at));
  Result result = Run(args);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Run({"show"}).out.substr(0, 10), "volume=80\n");
}

// The soundfonts page's list: orvane.cfg's own entries, on and off, then
// the sourced ones, each file checked for what it is.
TEST_F(VelderCfg, SoundfontsListsEveryEntryAndWhatItsFileIs) {
  Put("sf/a.sf2", SoundfontBytes("Grand Piano"));
  Put("sf/page.sf2", "<html></html>");
  Put("extra.cfg", "soundfont C:\\sf\\a.sf2\r\n");
  Put("orvane.cfg",
      "dir C:\\sf\r\nsoundfont a.sf2 amp=1\r\n#soundfont gone.sf2\r\nsoundfont page.sf2\r\nsource "
      "extra.cfg\r\n");
  Result result = Run({"soundfonts"});
  EXPECT_EQ(result.out,
            "1 on OK a.sf2 Grand Piano\n2 off not found gone.sf2\n3 on not a SoundFont file page.sf2\n"
            "4 on OK C:\\sf\\a.sf2 Grand Piano (in extra.cfg)\n");
  EXPECT_EQ(result.status, 1) << "an entry switched on is not OK";
  EXPECT_EQ(Run({"soundfonts", "off", "3"}).status, 0);
  EXPECT_EQ(Get("orvane.cfg"),
            "dir C:\\sf\r\nsoundfont a.sf2 amp=1\r\n#soundfont gone.sf2\r\n#soundfont page.sf2\r\nsource "
            "extra.cfg\r\n");
  EXPECT_EQ(Run({"soundfonts"}).status, 0);
}

TEST_F(VelderCfg, SoundfontsEditsWithThePagesRulesAndWritesNothingWhenRefused) {
  Put("sf/a.sf2", SoundfontBytes("A"));
  Put("sf/b.sf2", SoundfontBytes("B"));
  Put("sf/cut.sf2", SoundfontBytes("Cut", 100).substr(0, 50));
  Put("extra.cfg", "soundfont C:\\sf\\a.sf2\r\n");
  const std::string cfg = "soundfont C:\\sf\\a.sf2\r\n#extension opt --volume=50\r\nsource extra.cfg\r\n";
  Put("orvane.cfg", cfg);
  struct Case {
    std::vector<std::string> args;
    std::string err;
  } refused[] = {
      {{"add", "C:\\SF\\A.SF2", "C:\\sf", "C:\\sf\\none.sf2", "C:\\sf\\cut.sf2", "C:\\sf\\b.sf2"},
       "C:\\SF\\A.SF2 refused: already in the list\nC:\\sf refused: a folder\n"
       "C:\\sf\\none.sf2 refused: not found\nC:\\sf\\cut.sf2 refused: truncated\n"},
      {{"add", "C:\\sf\\b.sf2", "c:\\sf\\B.sf2"}, "c:\\sf\\B.sf2 refused: already in the list\n"},
      {{"remove", "0", "3", "x"},
       "no entry 0 (soundfonts lists them)\nno entry 3 (soundfonts lists them)\nno entry x (soundfonts lists "
       "them)\n"},
      {{"move", "1"}, "move takes an entry's number and the place to move it to\n"},
      {{"on", "2"},
       "2 is an entry of " + fs::canonical(windows_ / "extra.cfg").string() +
           "; only orvane.cfg's own entries can be changed\n"},
  };
  for (const Case &c : refused) {
    std::vector<std::string> args = c.args;
    args.insert(args.begin(), "soundfonts");
    Result result = Run(args);
    EXPECT_EQ(result.status, 2) << testing::PrintToString(args);
    EXPECT_EQ(result.err, c.err + "nothing written\n") << testing::PrintToString(args);
    EXPECT_EQ(Get("orvane.cfg"), cfg) << testing::PrintToString(args);
  }
  // Each edit a run of its own, in the file's place by position.
  struct Step {
    std::vector<std::string> args;
    std::string cfg;
  } steps[] = {
      {{"add", "C:\\sf\\b.sf2"},
       "soundfont C:\\sf\\a.sf2\r\nsoundfont \"C:\\sf\\b.sf2\"\r\n#extension opt --volume=50\r\nsource "
       "extra.cfg\r\n"},
      {{"move", "2", "1"},
       "soundfont \"C:\\sf\\b.sf2\"\r\nsoundfont C:\\sf\\a.sf2\r\n#extension opt --volume=50\r\nsource "
       "extra.cfg\r\n"},
      {{"off", "1", "2", "1"},
       "#soundfont \"C:\\sf\\b.sf2\"\r\n#soundfont C:\\sf\\a.sf2\r\n#extension opt --volume=50\r\nsource "
       "extra.cfg\r\n"},
      {{"on", "2"},
       "#soundfont \"C:\\sf\\b.sf2\"\r\nsoundfont C:\\sf\\a.sf2\r\n#extension opt --volume=50\r\nsource "
       "extra.cfg\r\n"},
      {{"remove", "1", "2"}, "#extension opt --volume=50\r\nsource extra.cfg\r\n"},
  };
  for (const Step &step : steps) {
    std::vector<std::string> args = step.args;
    args.insert(args.begin(), "soundfonts");
    Result result = Run(args);
    EXPECT_EQ(result.status, 0) << testing::PrintToString(args) << result.err;
    EXPECT_EQ(result.out, "written: " + Cfg() + "\n");
    EXPECT_EQ(Get("orvane.cfg"), step.cfg) << testing::PrintToString(args);
  }
  EXPECT_EQ(Get("orvane.cfg.bak"),
            "#soundfont \"C:\\sf\\b.sf2\"\r\nsoundfont C:\\sf\\a.sf2\r\n#extension opt --volume=50\r\nsource "
            "extra.cfg\r\n");
  EXPECT_NE(Usage("velder-cfg").find(" soundfonts add PATH [PATH ...]\n"), std::string::npos);
}

TEST_F(VelderCfg, WrongCommandLinesGetTheUsage) {
  std::vector<std::vector<std::string>> lines = {
      {},
      {"frob"},
      {"check", "extra"},
      {"show", "x"},
      {"set"},
      {"--windir"},
      {"--help", "check"},
      {"soundfonts", "frob"},
      {"soundfonts", "add"},
      {"soundfonts", "remove"},
  };
  for (const std::vector<std::string> &line : lines) {
    Result result;
    result.status = RunVelderCfg(line, kPlatform, &result.out, &result.err);
    EXPECT_EQ(result.status, 2) << testing::PrintToString(line);
    EXPECT_EQ(result.err, Usage("velder-cfg")) << testing::PrintToString(line);
  }
  Result help;
  EXPECT_EQ(RunVelderCfg({"--help"}, kPlatform, &help.out, &help.err), 0);
  EXPECT_EQ(help.out, Usage("velder-cfg"));
  struct Case {
    std::vector<std::string> args;
    const char *message;
  } refused[] = {
      {{"set", "volume"}, "\"volume\" is not NAME=VALUE\n"},
      {{"set", "loudness=3"}, "unknown setting \"loudness\" (show lists the names)\n"},
      {{"set", "volume=80", "volume=90"}, "volume is given more than once\n"},
  };
  for (const Case &c : refused) {
    Result result = Run(c.args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, c.message);
  }
  Result missing;
  EXPECT_EQ(
      RunVelderCfg({"--windir", (root_ / "none").string(), "show"}, kPlatform, &missing.out, &missing.err),
      2);
  EXPECT_EQ(missing.err, (root_ / "none").string() + " is not a folder; give one with --windir DIR\n");
}

TEST_F(VelderCfg, WithoutWindirTheWinePrefixIsUsed) {
  Put("orvane.cfg", "#extension opt --volume=33\r\n");
  ScopedEnv prefix("WINEPREFIX", root_.string());
  Result result;
  result.status = RunVelderCfg({"show"}, kPlatform, &result.out, &result.err);
  EXPECT_EQ(result.out.substr(0, 10), "volume=33\n");
}

// Wine's C:\users\<user>\AppData\Local is %LOCALAPPDATA%, and its
// VirtualStore mirrors C:\windows; the user is $USER.
TEST_F(VelderCfg, CheckReportsACopyInTheVirtualStoreOfThePrefix) {
  ScopedEnv prefix("WINEPREFIX", root_.string());
  ScopedEnv user("USER", "velder-user");
  const std::string cfg = "#extension opt --volume=70\r\n";
  Put("orvane.cfg", cfg);
  Put("velder_soundfont.ini", kCleanIni);
  const std::string store = "users/velder-user/AppData/Local/VirtualStore/windows/";
  EXPECT_EQ(Run({"check"}).out, "");

  auto shadowed = [&](const std::string &file, const std::string &how) {
    return (windows_ / file).string() + ": programs without a manifest read " +
           fs::canonical(Where(store + file)).string() +
           " (a copy in the VirtualStore) instead of this file; " + how + "\n";
  };
  const std::string same = "it holds the same bytes for now, but saves here do not reach it";
  const std::string differ = "its bytes differ from this file's";
  Put(store + "orvane.cfg", cfg);
  Result result = Run({"check"});
  EXPECT_EQ(result.out, shadowed("orvane.cfg", same));
  EXPECT_EQ(result.status, 1);

  Put(store + "orvane.cfg", "#extension opt --volume=80\r\n");
  Put(store + "velder_soundfont.ini", kCleanIni);
  EXPECT_EQ(Run({"check"}).out, shadowed("orvane.cfg", differ) + shadowed("velder_soundfont.ini", same));
  // Without --windir the same folder is checked.
  Result unnamed;
  RunVelderCfg({"check"}, kPlatform, &unnamed.out, &unnamed.err);
  EXPECT_EQ(unnamed.out, shadowed("orvane.cfg", differ) + shadowed("velder_soundfont.ini", same));

  fs::remove(Where("orvane.cfg"));
  EXPECT_EQ(Run({"check"}).out,
            Cfg() + ": missing; the driver gets no soundfont, and the options page shows its defaults\n" +
                shadowed("orvane.cfg", "this file itself is missing") +
                shadowed("velder_soundfont.ini", same));

  // Another folder than the prefix's Windows directory has no VirtualStore:
  // the same files there give no finding.
  fs::copy(windows_, root_ / "drive_c" / "copy");
  Put("copy/orvane.cfg", cfg);
  Result other;
  other.status = RunVelderCfg({"--windir", (root_ / "drive_c" / "copy").string(), "check"}, kPlatform,
                              &other.out, &other.err);
  EXPECT_EQ(other.out, "");
  EXPECT_EQ(other.status, 0);
}

}  // namespace
