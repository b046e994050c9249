#include "veldercfg/commands.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "lib/config/driver_params.h"
#include "lib/config/named_settings.h"
#include "lib/config/option_reader.h"
#include "lib/config/option_writer.h"
#include "lib/files/file_io.h"
#include "veldercfg/check.h"
#include "veldercfg/soundfont_commands.h"

bool ReadDriverFile(const std::string &path, std::string *text, std::string *err) {
  if (ReadWholeFile(path.c_str(), text) != ReadStatus::kFailed) return true;
  *err += path + ": cannot be read\n";
  return false;
}

bool WriteDriverFile(const Files &files, RunWrites *run, const std::string &path, const std::string &text,
                     std::string *out, std::string *err) {
  WriteFailure failure;
  if (!SafeWriteInRun(run, path.c_str(), text.data(), text.size(), &failure)) {
    *err += path + ": could not be written; it is as it was\n" + files.writeRefusal(failure);
    return false;
  }
  *out += "written: " + path + "\n";
  return true;
}

namespace {

OptionValues ReadOptions(const std::string &text) {
  OptionValues values = DefaultOptionValues();
  ApplyOptionLines(&values, text);
  return values;
}

DriverParams ReadParams(const std::string &text) {
  DriverParams params = {};
  ReadDriverParamsText(text, &params, nullptr);
  return params;
}

int Show(const Files &files, const std::vector<std::string> &, std::string *out, std::string *err) {
  std::string cfgText, iniText;
  bool ok = ReadDriverFile(files.cfg, &cfgText, err);
  ok = ReadDriverFile(files.ini, &iniText, err) && ok;
  if (!ok) *err += "what cannot be read is shown as the setup program would show it: its defaults\n";
  OptionValues values = ReadOptions(cfgText);
  for (const OptionSetting &setting : OptionSettings)
    *out += setting.name + ("=" + setting.show(values)) + "\n";
  DriverParams params = ReadParams(iniText);
  for (const ParamSetting &setting : ParamSettings())
    *out += setting.name + "=" + ShowParam(params, setting) + "\n";
  return ok ? 0 : 1;
}

// The files' findings, then the MIDI system's rows, of which only the
// findings count towards the exit status.
int Check(const Files &files, const std::vector<std::string> &, std::string *out, std::string *) {
  std::vector<Finding> findings = DiagnoseDriverFiles(files.cfg, files.ini, files.virtualStore, files.fs);
  for (const Finding &finding : findings) *out += FormatFinding(finding);
  std::vector<MidiRow> midi = files.midi ? ReadMidiRows(*files.midi) : std::vector<MidiRow>();
  for (const MidiRow &row : midi) *out += FormatMidiRow(row);
  return findings.empty() && !HasMidiFinding(midi) ? 0 : 1;
}

struct Pair {
  std::string name;
  std::string value;
};

std::string Refusal(const Pair &pair, const std::string &why, const std::string &allowed) {
  return pair.name + "=" + pair.value + " refused: " + why + "; allowed: " + allowed + "\n";
}

// Takes the option pairs onto the values read from the file. A value equal
// to what is shown now is kept as it is; any other must read back as given
// from the file that Apply would write.
void SetOptions(const std::vector<Pair> &pairs, const std::string &text, std::string *rewritten,
                std::string *refused) {
  OptionValues before = ReadOptions(text), values = before;
  std::vector<std::pair<const Pair *, const OptionSetting *>> changed;
  for (const Pair &pair : pairs) {
    const OptionSetting *setting = FindOptionSetting(pair.name);
    if (!setting || pair.value == setting->show(before)) continue;
    if (setting->take(&values, pair.value))
      changed.push_back({&pair, setting});
    else
      *refused += Refusal(pair, "not a value of the options page", setting->allowed);
  }
  *rewritten = RewriteOptionLines(text, values);
  OptionValues after = ReadOptions(*rewritten);
  for (const auto &[pair, setting] : changed)
    if (setting->show(after) != pair->value)
      *refused += Refusal(*pair, "orvane.cfg would read back as " + setting->show(after), setting->allowed);
}

void SetParams(const std::vector<Pair> &pairs, const std::string &text, std::string *rendered,
               std::string *refused) {
  DriverParams before = ReadParams(text), params = before;
  TakeShownParams(&params);
  std::vector<std::pair<const Pair *, const ParamSetting *>> changed;
  for (const Pair &pair : pairs) {
    const ParamSetting *setting = FindParamSetting(pair.name);
    if (!setting || pair.value == ShowParam(before, *setting)) continue;
    if (TakeParam(&params, *setting, pair.value))
      changed.push_back({&pair, setting});
    else
      *refused += Refusal(pair, "not a value of the parameters page", setting->allowed);
  }
  if (!RenderSavedParams(text, params, rendered)) {
    *refused += "out of memory\n";
    return;
  }
  DriverParams after = ReadParams(*rendered);
  for (const auto &[pair, setting] : changed)
    if (ShowParam(after, *setting) != pair->value)
      *refused += Refusal(*pair, "velder_soundfont.ini would read back as " + ShowParam(after, *setting),
                          setting->allowed);
}

// The NAME=VALUE arguments as pairs, and which files they set; what is
// wrong with them goes to `err`.
std::vector<Pair> TakePairs(const std::vector<std::string> &args, bool *options, bool *params,
                            std::string *err) {
  std::vector<Pair> pairs;
  std::set<std::string> names;
  for (const std::string &arg : args) {
    size_t equals = arg.find('=');
    Pair pair{arg.substr(0, equals), equals == std::string::npos ? "" : arg.substr(equals + 1)};
    bool isOption = FindOptionSetting(pair.name) != nullptr, isParam = FindParamSetting(pair.name) != nullptr;
    if (equals == std::string::npos) {
      *err += "\"" + arg + "\" is not NAME=VALUE\n";
    } else if (!isOption && !isParam) {
      *err += "unknown setting \"" + pair.name + "\" (show lists the names)\n";
    } else if (!names.insert(pair.name).second) {
      *err += pair.name + " is given more than once\n";
    }
    *options = *options || isOption;
    *params = *params || isParam;
    pairs.push_back(pair);
  }
  return pairs;
}

int Set(const Files &files, const std::vector<std::string> &args, std::string *out, std::string *err) {
  bool options = false, params = false;
  std::vector<Pair> pairs = TakePairs(args, &options, &params, err);
  if (!err->empty()) return 2;

  std::string cfgText, iniText, rewritten, rendered, refused;
  if ((options && !ReadDriverFile(files.cfg, &cfgText, err)) ||
      (params && !ReadDriverFile(files.ini, &iniText, err))) {
    *err += "nothing written\n";
    return 1;
  }
  if (options) SetOptions(pairs, cfgText, &rewritten, &refused);
  if (params) SetParams(pairs, iniText, &rendered, &refused);
  if (!refused.empty()) {
    *err += refused + "nothing written\n";
    return 2;
  }
  // One file after the other: a failed write leaves that file as it was and
  // stops before the next. Each set is a run of its own, so each file it
  // writes keeps its previous version.
  RunWrites run;
  struct Write {
    bool wanted;
    const std::string &path;
    const std::string &text;
  };
  for (const Write &write : {Write{options, files.cfg, rewritten}, Write{params, files.ini, rendered}})
    if (write.wanted && !WriteDriverFile(files, &run, write.path, write.text, out, err)) return 1;
  return 0;
}

// A command: its name (a command and its subcommand for some), the
// arguments after it as the usage shows them (none when empty, else one or
// more), its summary in the usage (broken into the usage's lines), and what
// it does.
struct Command {
  const char *name;
  const char *arguments;
  const char *summary;
  int (*run)(const Files &files, const std::vector<std::string> &args, std::string *out, std::string *err);
};

const Command kCommands[] = {
    {"check", "",
     "reports missing soundfont, source and dir targets, options given\n"
     "twice or with values the options page cannot show, what loading\n"
     "velder_soundfont.ini changes, and copies of the two files in your\n"
     "VirtualStore; on Windows also the MIDI output devices, the MIDI\n"
     "mapper's device, the MIDI drivers registered for 64-bit and 32-bit\n"
     "programs and Windows MIDI Services; exit status 1 when it finds\n"
     "anything",
     Check},
    {"show", "",
     "prints every setting of the options page and the parameters page as\n"
     "NAME=VALUE, as the setup program would show it",
     Show},
    {"set", "NAME=VALUE [NAME=VALUE ...]",
     "sets the named settings, in the form show prints them, and writes the\n"
     "files as the setup program's Apply and Save buttons do; a value the\n"
     "pages cannot hold is refused and nothing is written (exit status 2)",
     Set},
    {"soundfonts", "",
     "lists the soundfont entries of orvane.cfg, then those of the files it\n"
     "sources, as N on|off STATUS PATH NAME; exit status 1 when an entry\n"
     "switched on is not OK",
     ListSoundfontEntries},
    {"soundfonts add", "PATH [PATH ...]",
     "adds each file at the end, as the setup program's Add does; a file\n"
     "that is not an OK SoundFont, or is listed already, is refused and\n"
     "nothing is written (exit status 2)",
     AddSoundfontEntries},
    {"soundfonts remove", "N [N ...]", "removes the entries of those numbers", RemoveSoundfontEntries},
    {"soundfonts on", "N [N ...]", "switches the entries on", SwitchSoundfontEntriesOn},
    {"soundfonts off", "N [N ...]", "switches the entries off (#soundfont)", SwitchSoundfontEntriesOff},
    {"soundfonts move", "N TO", "moves entry N to place TO, the others keeping their order",
     MoveSoundfontEntry},
};

const char kAbout[] =
    "Checks, shows and sets the driver's configuration: orvane.cfg and\n"
    "velder_soundfont.ini in DIR (by default the Windows directory; on Linux\n"
    "$WINEPREFIX/drive_c/windows, else ~/.wine/drive_c/windows).\n";

bool TakesArguments(const Command &command) { return *command.arguments != '\0'; }

// The command whose name's words the arguments from `at` begin with, the
// longest such; `*words` gets how many arguments its name takes.
const Command *FindCommand(const std::vector<std::string> &args, size_t at, size_t *words) {
  const Command *found = nullptr;
  for (const Command &command : kCommands) {
    std::string name;
    size_t taken = 0;
    for (; at + taken < args.size() && name.size() < std::strlen(command.name); ++taken)
      name += (taken ? " " : "") + args[at + taken];
    if (name == command.name && (!found || taken > *words)) {
      found = &command;
      *words = taken;
    }
  }
  return found;
}

}  // namespace

std::string Usage(const char *program) {
  std::string lines, summaries;
  size_t width = 0;
  for (const Command &command : kCommands) width = std::max(width, std::strlen(command.name));
  for (const Command &command : kCommands) {
    lines += (lines.empty() ? "usage: " : "       ") + std::string(program) + " [--windir DIR] " +
             command.name + (TakesArguments(command) ? " " : "") + command.arguments + "\n";
    std::string name = command.name;
    summaries += "  " + name + std::string(width - name.size() + 2, ' ');
    for (const char *c = command.summary; *c; ++c)
      summaries += *c == '\n' ? "\n" + std::string(width + 4, ' ') : std::string(1, *c);
    summaries += "\n";
  }
  return lines + "       " + program + " --help\n\n" + kAbout + "\n" + summaries;
}

namespace {

// Takes a leading "--windir DIR" or "--windir=DIR" into `*dir`, moving `*at`
// past it; true when one was given.
bool TakeWindir(const std::vector<std::string> &args, size_t *at, std::string *dir) {
  if (args.empty()) return false;
  if (args[0] == "--windir" && args.size() > 1) {
    *dir = args[1];
    *at = 2;
    return true;
  }
  if (args[0].rfind("--windir=", 0) != 0) return false;
  *dir = args[0].substr(9);
  *at = 1;
  return true;
}

// Why `dir` cannot be worked in; empty when it is a folder.
std::string WindowsDirProblem(const std::string &dir, const FileSystemView &fs) {
  std::string found;
  if (dir.empty()) return "no Windows directory found; give one with --windir DIR\n";
  if (fs.find(dir, &found) != PathKind::kFolder)
    return dir + " is not a folder; give one with --windir DIR\n";
  return "";
}

// The VirtualStore stands only for the system's own Windows directory: the
// system redirects programs from there, never from another folder that
// --windir may name (a copy of the files, a backup), so for such a folder
// a copy in the VirtualStore is no copy of its files and is not looked for.
std::string VirtualStoreFor(const std::string &windowsDir, const Platform &platform,
                            const FileSystemView &fs) {
  std::string system = platform.defaultWindowsDir(), given, own;
  bool isOwn = !system.empty() && fs.find(windowsDir, &given) == PathKind::kFolder &&
               fs.find(system, &own) == PathKind::kFolder && given == own;
  return isOwn ? platform.virtualStore() : "";
}

}  // namespace

int RunVelderCfg(const std::vector<std::string> &args, const Platform &platform, std::string *out,
                 std::string *err) {
  if (args.size() == 1 && args[0] == "--help") {
    *out += Usage(platform.name);
    return 0;
  }
  size_t at = 0;
  std::string windowsDir;
  bool windirGiven = TakeWindir(args, &at, &windowsDir);
  size_t words = 0;
  const Command *command = FindCommand(args, at, &words);
  std::vector<std::string> rest(args.begin() + static_cast<long>(command ? at + words : args.size()),
                                args.end());
  bool fits = command && TakesArguments(*command) == !rest.empty();
  if (!fits || (windirGiven && windowsDir.empty())) {
    *err += Usage(platform.name);
    return 2;
  }
  if (!windirGiven) windowsDir = platform.defaultWindowsDir();
  Files files{platform.fileSystem(windowsDir), "", "", platform.writeRefusal, "", platform.midi};
  std::string problem = WindowsDirProblem(windowsDir, files.fs);
  if (!problem.empty()) {
    *err += problem;
    return 2;
  }
  files.cfg = windowsDir + files.fs.separator + "orvane.cfg";
  files.ini = windowsDir + files.fs.separator + "velder_soundfont.ini";
  files.virtualStore = VirtualStoreFor(windowsDir, platform, files.fs);
  return command->run(files, rest, out, err);
}
