#include "lib/config/diagnosis.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "lib/config/named_settings.h"
#include "lib/config/option_tables.h"
#include "lib/config/soundfont_list.h"
#include "lib/config/text.h"
#include "lib/ini/lead_byte.h"
#include "tests/portable/soundfont_bytes.h"

namespace {

// --- An in-memory file system ------------------------------------------------

// Files (with their bytes) and folders by path. Letter case does not count,
// as under Wine, and a path is found under the spelling it was put with, so
// that a finding shows which spelling it carries.
struct Node {
  std::string spelling;
  PathKind kind;
  std::string bytes;
  bool readable;
};

std::map<std::string, Node> g_nodes;

std::string Folded(std::string path) {
  for (char &c : path) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return path;
}

PathKind Find(const std::string &path, std::string *found) {
  auto node = g_nodes.find(Folded(path));
  if (node == g_nodes.end()) return PathKind::kMissing;
  *found = node->second.spelling;
  return node->second.kind;
}

ReadStatus Read(const char *path, std::string *contents) {
  auto node = g_nodes.find(Folded(path));
  if (node == g_nodes.end()) return ReadStatus::kMissing;
  if (node->second.kind != PathKind::kFile || !node->second.readable) return ReadStatus::kFailed;
  *contents = node->second.bytes;
  return ReadStatus::kOk;
}

ReadStatus ReadStart(const char *path, size_t limit, std::string *start, uint64_t *size) {
  ReadStatus status = Read(path, start);
  if (status != ReadStatus::kOk) return status;
  *size = start->size();
  start->resize(std::min(limit, start->size()));
  return status;
}

// Each character of the code page beyond ASCII as its bytes in hex, "<955C>":
// a trail byte that is a backslash stays inside its character, as it does
// when the bytes are turned into a name the file system knows.
std::string Marked(std::string_view bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string text;
  for (size_t i = 0; i < bytes.size();) {
    auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte < 0x80) {
      text += bytes[i++];
      continue;
    }
    size_t end = i + (IniIsLeadByte(byte) && i + 1 < bytes.size() ? 2 : 1);
    text += '<';
    for (; i < end; ++i) {
      text += kHex[static_cast<unsigned char>(bytes[i]) >> 4];
      text += kHex[bytes[i] & 0xF];
    }
    text += '>';
  }
  return text;
}

std::string AsIs(std::string_view bytes) { return std::string(bytes); }

// --- What a case expects -------------------------------------------------------

// A finding as a case writes it: where, what, and every value it carries
// besides, as "name=value" in the order Finding declares them (values left
// empty or 0 are left out, so a stray value shows).
struct Expected {
  std::string file;
  int line;
  FindingKind kind;
  std::string values;
};

bool operator==(const Expected &a, const Expected &b) {
  return a.file == b.file && a.line == b.line && a.kind == b.kind && a.values == b.values;
}

std::ostream &operator<<(std::ostream &out, const Expected &e) {
  return out << e.file << ":" << e.line << " kind " << static_cast<int>(e.kind) << " {" << e.values << "}";
}

// Setting bits by their names in the settings table, effect bits by their
// letters; a bit that names nothing shows as "?".
std::string SettingNames(uint32_t bits) {
  std::string names;
  for (const OptionSetting &setting : OptionSettings)
    if (bits & setting.sets) {
      names += (names.empty() ? "" : ",") + std::string(setting.name);
      bits &= ~setting.sets;
    }
  return bits ? names + "?" : names;
}

std::string EffectLetters(uint32_t bits) {
  std::string letters;
  for (int i = 0; i < kEffectFlagCount; ++i)
    if (bits >> i & 1) letters += EffectFlags[i].letter;
  return bits >> kEffectFlagCount ? letters + "?" : letters;
}

std::string Values(const Finding &f) {
  std::string text;
  auto add = [&](const char *name, const std::string &value) {
    if (!value.empty()) text += (text.empty() ? "" : " ") + std::string(name) + "=" + value;
  };
  add("directive", f.directive);
  add("path", f.path);
  static const char *const kShadowBytes[] = {"", "same", "differ", "noRealFile"};
  add("shadow", kShadowBytes[static_cast<int>(f.shadow)]);
  std::string tried;
  for (const std::string &path : f.tried) tried += (tried.empty() ? "" : "|") + path;
  add("tried", tried);
  add("option", f.option);
  add("settings", SettingNames(f.settings));
  add("effects", EffectLetters(f.effectFlags));
  add("laterLine", f.laterLine ? std::to_string(f.laterLine) : "");
  add("shown", f.shown);
  add("given", f.given);
  add("choices", f.choices);
  add("written", f.written);
  add("section", f.section);
  add("key", f.key);
  add("text", f.text);
  std::ostringstream number;
  number << f.number;
  add("number", f.number != 0 || !f.section.empty() ? number.str() : "");
  return text;
}

std::vector<Expected> Seen(const std::vector<Finding> &findings) {
  std::vector<Expected> seen;
  for (const Finding &f : findings) seen.push_back({f.file, f.line, f.kind, Values(f)});
  return seen;
}

// --- The fixture ---------------------------------------------------------------

// A Wine prefix's view: the Windows directory /win, drive letters under
// /dos, names decoded from the code page, the VirtualStore's folder for
// /win in /vs/win.
constexpr char kCfg[] = "/win/orvane.cfg";
constexpr char kIni[] = "/win/velder_soundfont.ini";
constexpr char kCleanIni[] = "[main]\r\nver=101\r\n";
constexpr char kStore[] = "/vs/win";

class Diagnosis : public testing::Test {
 protected:
  void SetUp() override { g_nodes.clear(); }
  void TearDown() override { g_nodes.clear(); }

  static void Add(const std::string &path, PathKind kind, const std::string &bytes = "",
                  bool readable = true) {
    g_nodes[Folded(path)] = {path, kind, bytes, readable};
  }
  static void Put(const std::string &path, const std::string &bytes = "") {
    Add(path, PathKind::kFile, bytes);
  }
  static void Folder(const std::string &path) { Add(path, PathKind::kFolder); }

  static std::vector<Expected> Diagnose(const std::string &cfg = kCfg, const std::string &store = kStore) {
    return Seen(DiagnoseDriverFiles(cfg, kIni, store, {Find, Read, ReadStart, Marked, "/dos", '/'}));
  }
};

// --- Directives --------------------------------------------------------------------

TEST_F(Diagnosis, DirectiveTargetsCarryWhatWasWrittenOrFoundAndEveryPathTried) {
  Put(kIni, kCleanIni);
  Folder("/dos/c:/sf");
  Put("/dos/c:/sf/a.sf2", SoundfontBytes("A"));
  Folder("/win/Sub");
  Folder("/win/folder.sf2");
  Add("/win/fifo.sf2", PathKind::kOther);
  struct Case {
    std::string cfg;
    std::vector<Expected> findings;
  } cases[] = {
      {"soundfont C:\\sf\\a.sf2\r\ndir C:\\sf\r\nsoundfont a.sf2 amp=120\r\n", {}},
      {"soundfont C:\\sf\\gone.sf2",
       {{kCfg, 1, FindingKind::kTargetNotFound,
         "directive=soundfont path=C:\\sf\\gone.sf2 tried=/dos/c:/sf/gone.sf2"}}},
      // Relative names: in the dir folders, latest first (one named again
      // moves to the front), then beside the file; a relative dir is found
      // the same way.
      {"dir C:\\sf\ndir sub\ndir c:\\SF\nsoundfont x.sf2",
       {{kCfg, 4, FindingKind::kTargetNotFound,
         "directive=soundfont path=x.sf2 tried=/dos/c:/sf/x.sf2|/win/Sub/x.sf2|/win/x.sf2"}}},
      // An absolute path is looked for as it is, whatever the dir folders.
      {"dir C:\\sf\nsource /etc/x.cfg",
       {{kCfg, 2, FindingKind::kTargetNotFound, "directive=source path=/etc/x.cfg tried=/etc/x.cfg"}}},
      // Names are decoded before separators are turned: the trail byte 5C
      // of the first character is no separator.
      {"soundfont \"C:\\\x95\x5c\\\x83\x73.sf2\"",
       {{kCfg, 1, FindingKind::kTargetNotFound,
         "directive=soundfont path=C:\\<955C>\\<8373>.sf2 tried=/dos/c:/<955C>/<8373>.sf2"}}},
      // What is found is named as found.
      {"\r\n\r\nsoundfont \"FOLDER.sf2\"",
       {{kCfg, 3, FindingKind::kTargetIsFolder, "directive=soundfont path=/win/folder.sf2"}}},
      {"source sub", {{kCfg, 1, FindingKind::kTargetIsFolder, "directive=source path=/win/Sub"}}},
      {"soundfont fifo.sf2",
       {{kCfg, 1, FindingKind::kTargetNotFile, "directive=soundfont path=/win/fifo.sf2"}}},
      {"dir C:\\sf\\A.sf2", {{kCfg, 1, FindingKind::kDirNotFolder, "directive=dir path=/dos/c:/sf/a.sf2"}}},
      {"source\ndir \"\"",
       {{kCfg, 1, FindingKind::kDirectiveEmpty, "directive=source"},
        {kCfg, 2, FindingKind::kDirectiveEmpty, "directive=dir"}}},
  };
  for (const Case &c : cases) {
    Put(kCfg, c.cfg);
    EXPECT_EQ(Diagnose(), c.findings) << c.cfg;
  }
}

TEST_F(Diagnosis, SourcedFilesAreFollowedAndEveryRefusalNamesTheFileFound) {
  Put(kIni, kCleanIni);
  Folder("/dos/c:/sf");
  Folder("/win/sub");
  // A dir line holds for the files sourced after it; a sourced file's
  // relative names are looked for beside it.
  Put(kCfg, "dir C:\\sf\r\nsource sub/s.cfg\r\nsoundfont gone.sf2\r\n");
  Put("/win/sub/s.cfg", "soundfont lost.sf2\r\nsource /WIN/ORVANE.CFG\r\nsource t.cfg\r\n");
  Add("/win/sub/t.cfg", PathKind::kFile, "soundfont never.sf2", false);
  // File by file in the order met, each by line; orvane.cfg as it was asked for.
  EXPECT_EQ(Diagnose("/win/Orvane.cfg"),
            (std::vector<Expected>{
                {"/win/sub/s.cfg", 1, FindingKind::kTargetNotFound,
                 "directive=soundfont path=lost.sf2 tried=/dos/c:/sf/lost.sf2|/win/sub/lost.sf2"},
                {"/win/sub/s.cfg", 2, FindingKind::kSourceLoop, "directive=source path=/win/orvane.cfg"},
                {"/win/sub/s.cfg", 3, FindingKind::kSourceUnreadable, "directive=source path=/win/sub/t.cfg"},
                {"/win/Orvane.cfg", 3, FindingKind::kTargetNotFound,
                 "directive=soundfont path=gone.sf2 tried=/dos/c:/sf/gone.sf2|/win/gone.sf2"},
            }));
}

TEST_F(Diagnosis, SourcingStopsWhereNestedTooDeepOrTooMany) {
  Put(kIni, kCleanIni);
  Put(kCfg, "source s1.cfg");
  for (int i = 1; i <= 40; ++i)
    Put("/win/s" + std::to_string(i) + ".cfg", "source s" + std::to_string(i + 1) + ".cfg");
  // orvane.cfg and 31 files being read: the 32nd is not followed.
  EXPECT_EQ(Diagnose(), (std::vector<Expected>{{"/win/s31.cfg", 1, FindingKind::kSourceTooDeep,
                                                "directive=source path=/win/s32.cfg"}}));

  std::string many;
  for (int i = 0; i < 101; ++i) many += "source empty.cfg\n";
  Put(kCfg, many);
  Put("/win/empty.cfg");
  EXPECT_EQ(Diagnose(), (std::vector<Expected>{{kCfg, 101, FindingKind::kSourceTooDeep,
                                                "directive=source path=/win/empty.cfg"}}));
}

// Windows' own view: no drive links, backslashes, names as the bytes are.
TEST_F(Diagnosis, OnWindowsTheFolderOfAFileStepsOverTrailBytes) {
  const std::string cfg = "C:\\WINDOWS\\orvane.cfg";
  Put(cfg, "dir C:\\sf\r\nsoundfont z.sf2\r\nsource C:\\d\\\x95\x5cx.cfg\r\n");
  Put("C:\\WINDOWS\\velder_soundfont.ini", kCleanIni);
  Folder("C:\\sf");
  Folder("C:\\d");
  Put("C:\\d\\\x95\x5cx.cfg", "soundfont y.sf2");
  std::vector<Finding> findings = DiagnoseDriverFiles(cfg, "C:\\WINDOWS\\velder_soundfont.ini", "",
                                                      {Find, Read, ReadStart, AsIs, "", '\\'});
  EXPECT_EQ(Seen(findings), (std::vector<Expected>{
                                {cfg, 2, FindingKind::kTargetNotFound,
                                 "directive=soundfont path=z.sf2 tried=C:\\sf\\z.sf2|C:\\WINDOWS\\z.sf2"},
                                {"C:\\d\\\x95\x5cx.cfg", 1, FindingKind::kTargetNotFound,
                                 "directive=soundfont path=y.sf2 tried=C:\\sf\\y.sf2|C:\\d\\y.sf2"},
                            }));
}

// A soundfont file found is checked for what it is, as far as its start
// tells; a switched-off entry is no line the engine follows.
TEST_F(Diagnosis, SoundfontFilesFoundAreCheckedForWhatTheyAre) {
  Put(kIni, kCleanIni);
  Put("/win/good.sf2", SoundfontBytes("Good", 10));
  Put("/win/page.sf2", "<html><body>Not found</body></html>");
  Put("/win/cut.sf2", SoundfontBytes("Cut", 1000).substr(0, 500));
  Add("/win/locked.sf2", PathKind::kFile, SoundfontBytes("Locked"), false);
  Put("/win/s.cfg", "soundfont cut.sf2");
  Put(kCfg,
      "soundfont good.sf2\r\nsoundfont page.sf2\r\n#soundfont page.sf2\r\nsource s.cfg\r\n"
      "soundfont locked.sf2\r\n");
  EXPECT_EQ(Diagnose(),
            (std::vector<Expected>{
                {kCfg, 2, FindingKind::kNotSoundfont, "directive=soundfont path=/win/page.sf2"},
                {"/win/s.cfg", 1, FindingKind::kSoundfontTruncated, "directive=soundfont path=/win/cut.sf2"},
            }));
}

// The list of entries walks as the diagnosis walks: each entry, on or off,
// looked for with the dir folders above it, a sourced file's where its
// source line stands.
TEST_F(Diagnosis, SoundfontEntriesAreLookedForWhereTheyStand) {
  Folder("/dos/c:/sf");
  Put("/dos/c:/sf/a.sf2");
  Folder("/win/sub");
  Put("/win/sub/b.sf2");
  Put("/win/sub/s.cfg", "soundfont b.sf2\nsoundfont a.sf2");
  const std::string cfg =
      "soundfont a.sf2\r\ndir C:\\sf\r\n  #soundfont a.sf2 amp=1\r\nsource sub/s.cfg\r\n"
      "soundfont \"\"\r\n# soundfont a.sf2\r\n";
  std::vector<std::string> seen;
  for (const SoundfontTarget &t : FindSoundfontTargets(kCfg, cfg, {Find, Read, ReadStart, AsIs, "/dos", '/'}))
    seen.push_back(t.file + ":" + std::to_string(t.line) + " [" + t.text + "] " +
                   std::to_string(static_cast<int>(t.kind)) + " " + t.found);
  EXPECT_EQ(seen, (std::vector<std::string>{
                      std::string(kCfg) + ":1 [soundfont a.sf2] 0 ",
                      std::string(kCfg) + ":3 [  #soundfont a.sf2 amp=1] 1 /dos/c:/sf/a.sf2",
                      "/win/sub/s.cfg:1 [soundfont b.sf2] 1 /win/sub/b.sf2",
                      "/win/sub/s.cfg:2 [soundfont a.sf2] 1 /dos/c:/sf/a.sf2",
                      std::string(kCfg) + ":5 [soundfont \"\"] 0 ",
                  }));
}

// --- Option lines ----------------------------------------------------------------

// "a\nb": each an option line of its own.
std::string OptionLines(std::string_view options) {
  std::string cfg;
  ForEachToken(options, "\n", 1000, [&](int, std::string_view option) {
    cfg += "#extension opt " + std::string(option) + "\r\n";
  });
  return cfg;
}

TEST_F(Diagnosis, OptionFindingsCarryTheSettingsAndTheValuesShownOrWritten) {
  Put(kIni, kCleanIni);
  struct Case {
    const char *options;
    std::vector<Expected> findings;
  } cases[] = {
      {"-B2M\n--rtsyn-latency=0.2\n--foo=1\n-Ew\n-Ep", {}},
      // Given again: what is given again, and the last line that gives it.
      {"--reverb=g\n--volume=80\n-EFreverb=f\n--reverb=n",
       {{kCfg, 1, FindingKind::kGivenAgain, "option=--reverb=g settings=reverb laterLine=4"},
        {kCfg, 3, FindingKind::kGivenAgain, "option=-EFreverb=f settings=reverb laterLine=4"}}},
      {"-OdSs1l\n-OdMs1lx",
       {{kCfg, 1, FindingKind::kGivenAgain, "option=-OdSs1l settings=output,byte-swap laterLine=2"}}},
      {"-Ewp\n-EW\n-Ep", {{kCfg, 1, FindingKind::kGivenAgain, "option=-Ewp effects=wp laterLine=3"}}},
      // Shown instead: as the page shows the setting right after the line.
      {"--volume=500",
       {{kCfg, 1, FindingKind::kShownInstead, "option=--volume=500 settings=volume shown=200"}}},
      {"-a 0,300",
       {{kCfg, 1, FindingKind::kShownInstead, "option=-a 0,300 settings=volume shown=70"},
        {kCfg, 1, FindingKind::kShownInstead, "option=-a 0,300 settings=drum-power shown=200"}}},
      {"--polyphony=64\n--polyphony=100",
       {{kCfg, 2, FindingKind::kNotInPageList, "option=--polyphony=100 settings=polyphony shown=64"}}},
      {"--sampling-freq=96000",
       {{kCfg, 1, FindingKind::kNotInPageList,
         "option=--sampling-freq=96000 settings=sampling-freq shown=44100"}}},
      {"-B 100000", {{kCfg, 1, FindingKind::kNotInPageList, "option=-B 100000 settings=cache shown=131072"}}},
      {"--reverb=x,40",
       {{kCfg, 1, FindingKind::kNotAChoice,
         "option=--reverb=x,40 settings=reverb shown=n,40 given=x choices=dngfG"}}},
      {"--voice-lpf=z",
       {{kCfg, 1, FindingKind::kNotAChoice,
         "option=--voice-lpf=z settings=voice-lpf shown=c given=z choices=dcm"}}},
      // Written as the next apply writes it; -N by the algorithm the file
      // ends with.
      {"--rtsyn-latency=0.01",
       {{kCfg, 1, FindingKind::kWrittenAs,
         "option=--rtsyn-latency=0.01 settings=rtsyn-latency written=0.040"}}},
      {"-N 99\n--resample=n",
       {{kCfg, 1, FindingKind::kWrittenAs, "option=-N 99 settings=resample-param written=34"}}},
      {"--resample=g\n-N 0",
       {{kCfg, 2, FindingKind::kWrittenAs, "option=-N 0 settings=resample-param written=7"}}},
      {"-R2000", {{kCfg, 1, FindingKind::kWrittenAs, "option=-R2000 settings=pseudo-reverb written=1000"}}},
      {"-Rabc", {{kCfg, 1, FindingKind::kWrittenAs, "option=-Rabc settings=pseudo-reverb written=0"}}},
      {"--resample=c\n-N 7",
       {{kCfg, 2, FindingKind::kResampleTakesNoN, "option=-N 7 settings=resample-param shown=c"}}},
  };
  for (const Case &c : cases) {
    Put(kCfg, OptionLines(c.options));
    EXPECT_EQ(Diagnose(), c.findings) << c.options;
  }
}

TEST_F(Diagnosis, OptionLinesAreNumberedAmongAllLinesAndDecoded) {
  Put(kIni, kCleanIni);
  // The short form "opt", and a CR that ends the file left out of the option
  // (and reported, as the driver reads it as part of the line).
  Put(kCfg, "# volume\n\nopt --volume=500 \x82\xa0\r");
  EXPECT_EQ(Diagnose(), (std::vector<Expected>{{kCfg, 3, FindingKind::kShownInstead,
                                                "option=--volume=500 <82A0> settings=volume shown=200"},
                                               {kCfg, 3, FindingKind::kLoneCr, ""}}));
}

// --- The parameter file ----------------------------------------------------------

TEST_F(Diagnosis, ParameterFindingsNameTheKeyItsLineTextAndWhatItBecomes) {
  Put(kCfg);
  struct Case {
    std::string ini;
    std::vector<Expected> findings;
  } cases[] = {
      {kCleanIni, {}},
      // An older layout is converted in memory: the keys keep their lines.
      {"[param]\r\nVelToFcThr=300\r\n",
       {{kIni, 0, FindingKind::kParamsOlderLayout, ""},
        {kIni, 2, FindingKind::kParamNarrowed, "section=param key=VelToFcThr text=300 number=44"}}},
      // The key's latest line, in a section given twice or a key given twice.
      {"[main]\nver=101\n[param]\n_VibratoCent=0\n[param]\n_VibratoCent=20000\n",
       {{kIni, 6, FindingKind::kParamLimited, "section=param key=_VibratoCent text=20000 number=10000"}}},
      {"[main]\nver=101\n[param]\n_VibratoDelay=0\n; again\n_VibratoDelay=-3\n",
       {{kIni, 6, FindingKind::kParamLimited, "section=param key=_VibratoDelay text=-3 number=1"}}},
      // By line, whatever the order the load reads the keys in.
      {"[main]\r\nver=101\r\n[efx]\r\nGS_OD_Level=0.05\r\n[chorus]\r\nLevel=-5\r\n[param]\r\n"
       "_SF2ChorusSend=200\r\n",
       {{kIni, 4, FindingKind::kParamLimited, "section=efx key=GS_OD_Level text=0.05 number=0.1"},
        {kIni, 6, FindingKind::kParamLimited, "section=chorus key=Level text=-5 number=0"},
        {kIni, 8, FindingKind::kParamNarrowed, "section=param key=_SF2ChorusSend text=200 number=-56"}}},
      // The text as the file holds it, decoded.
      {"[main]\r\nver=101\r\n[param]\r\nVelToFcThr=300\x82\xa0\r\n",
       {{kIni, 4, FindingKind::kParamNarrowed, "section=param key=VelToFcThr text=300<82A0> number=44"}}},
  };
  for (const Case &c : cases) {
    Put(kIni, c.ini);
    EXPECT_EQ(Diagnose(), c.findings) << c.ini;
  }
}

// --- Whole files and the order across files ---------------------------------------

TEST_F(Diagnosis, WholeFilesAreFoundOnLineZeroTheConfigurationFirst) {
  enum class State { kNone, kUnreadable, kFolder };
  struct Case {
    State cfg, ini;
    std::vector<Expected> findings;
  } cases[] = {
      {State::kNone,
       State::kNone,
       {{kCfg, 0, FindingKind::kConfigMissing, ""}, {kIni, 0, FindingKind::kParamsMissing, ""}}},
      {State::kUnreadable,
       State::kFolder,
       {{kCfg, 0, FindingKind::kConfigUnreadable, ""}, {kIni, 0, FindingKind::kParamsUnreadable, ""}}},
      {State::kFolder,
       State::kUnreadable,
       {{kCfg, 0, FindingKind::kConfigUnreadable, ""}, {kIni, 0, FindingKind::kParamsUnreadable, ""}}},
  };
  for (const Case &c : cases) {
    g_nodes.clear();
    // Bytes that would give findings, were they read.
    for (auto [path, state] : {std::pair{kCfg, c.cfg}, std::pair{kIni, c.ini}})
      if (state != State::kNone)
        Add(path, state == State::kFolder ? PathKind::kFolder : PathKind::kFile,
            "[param]\r\nsoundfont gone.sf2", false);
    EXPECT_EQ(Diagnose(), c.findings) << static_cast<int>(c.cfg) << " " << static_cast<int>(c.ini);
  }
}

TEST_F(Diagnosis, FindingsGoFileByFileEachByLine) {
  Put(kCfg,
      "#extension opt --volume=500\r\nsoundfont gone.sf2\r\nsource s.cfg\r\n#extension opt --volume=300\r\n");
  Put("/win/s.cfg", "soundfont lost.sf2");
  Put(kIni, "[param]\r\nVelToFcThr=300\r\n");
  EXPECT_EQ(
      Diagnose(),
      (std::vector<Expected>{
          {kCfg, 1, FindingKind::kShownInstead, "option=--volume=500 settings=volume shown=200"},
          {kCfg, 1, FindingKind::kGivenAgain, "option=--volume=500 settings=volume laterLine=4"},
          {kCfg, 2, FindingKind::kTargetNotFound, "directive=soundfont path=gone.sf2 tried=/win/gone.sf2"},
          {kCfg, 4, FindingKind::kShownInstead, "option=--volume=300 settings=volume shown=200"},
          {"/win/s.cfg", 1, FindingKind::kTargetNotFound,
           "directive=soundfont path=lost.sf2 tried=/win/lost.sf2"},
          {kIni, 0, FindingKind::kParamsOlderLayout, ""},
          {kIni, 2, FindingKind::kParamNarrowed, "section=param key=VelToFcThr text=300 number=44"},
      }));
}

// --- Copies in the VirtualStore -------------------------------------------------

TEST_F(Diagnosis, ACopyInTheVirtualStoreIsReportedWithHowItsBytesCompare) {
  constexpr char kClean[] = "#extension opt --volume=70\r\n";
  constexpr char kCopy[] = "/vs/win/orvane.cfg";
  enum class State { kNone, kUnreadable, kFolder, kBytes };
  struct Case {
    State cfg;
    State copy;
    std::string copyBytes;
    std::vector<Expected> findings;
  } cases[] = {
      {State::kBytes, State::kNone, "", {}},
      {State::kBytes, State::kFolder, "", {}},
      {State::kBytes,
       State::kBytes,
       kClean,
       {{kCfg, 0, FindingKind::kShadowCopy, "path=/vs/win/orvane.cfg shadow=same"}}},
      {State::kBytes,
       State::kBytes,
       "#extension opt --volume=80\r\n",
       {{kCfg, 0, FindingKind::kShadowCopy, "path=/vs/win/orvane.cfg shadow=differ"}}},
      // Bytes, not text: line ends alone make a difference.
      {State::kBytes,
       State::kBytes,
       "#extension opt --volume=70\n",
       {{kCfg, 0, FindingKind::kShadowCopy, "path=/vs/win/orvane.cfg shadow=differ"}}},
      {State::kNone,
       State::kBytes,
       kClean,
       {{kCfg, 0, FindingKind::kConfigMissing, ""},
        {kCfg, 0, FindingKind::kShadowCopy, "path=/vs/win/orvane.cfg shadow=noRealFile"}}},
      // One of the two unreadable: found, not compared.
      {State::kUnreadable,
       State::kBytes,
       kClean,
       {{kCfg, 0, FindingKind::kConfigUnreadable, ""},
        {kCfg, 0, FindingKind::kShadowCopy, "path=/vs/win/orvane.cfg"}}},
      {State::kBytes,
       State::kUnreadable,
       kClean,
       {{kCfg, 0, FindingKind::kShadowCopy, "path=/vs/win/orvane.cfg"}}},
  };
  for (const Case &c : cases) {
    g_nodes.clear();
    Put(kIni, kCleanIni);
    for (auto [path, state, bytes] :
         {std::tuple{kCfg, c.cfg, std::string(kClean)}, std::tuple{kCopy, c.copy, c.copyBytes}})
      if (state != State::kNone)
        Add(path, state == State::kFolder ? PathKind::kFolder : PathKind::kFile, bytes,
            state == State::kBytes);
    EXPECT_EQ(Diagnose(), c.findings)
        << static_cast<int>(c.cfg) << " " << static_cast<int>(c.copy) << " " << c.copyBytes;
  }
}

TEST_F(Diagnosis, CopiesOfBothFilesComeFirstInTheirFilesAndAreNamedAsFound) {
  Put(kCfg, "soundfont gone.sf2\r\n");
  Put("/VS/Win/ORVANE.CFG", "soundfont gone.sf2\r\n");
  Put(kIni, "[main]\r\n");
  Put("/vs/win/velder_soundfont.ini", kCleanIni);
  std::vector<Expected> expected = {
      {kCfg, 0, FindingKind::kShadowCopy, "path=/VS/Win/ORVANE.CFG shadow=same"},
      {kCfg, 1, FindingKind::kTargetNotFound, "directive=soundfont path=gone.sf2 tried=/win/gone.sf2"},
      {kIni, 0, FindingKind::kParamsOlderLayout, ""},
      {kIni, 0, FindingKind::kShadowCopy, "path=/vs/win/velder_soundfont.ini shadow=differ"},
  };
  EXPECT_EQ(Diagnose(), expected);
  // No folder given: none is looked at, not even one named from an empty path.
  Put("/orvane.cfg");
  Put("/velder_soundfont.ini");
  expected.erase(expected.begin() + 3);
  expected.erase(expected.begin());
  EXPECT_EQ(Diagnose(kCfg, ""), expected);
}

}  // namespace
