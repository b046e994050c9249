#include "lib/config/driver_params.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "lib/files/file_io.h"
#include "lib/ini/ini.h"

namespace {

enum class Getter { kNone, kInt, kChar, kBool, kFloat, kDouble };
enum class Setter { kNone, kInt, kChar, kFlag, kFloat, kDouble, kVersion };

const double kNoLimit = HUGE_VAL;

// One key of the file: where it is, how it is read (with its default and the
// load's limits) and how the save writes it.
struct ParamKey {
  const char *section;
  const char *key;
  ParamField field;
  Getter getter;
  double fallback;
  double low;
  double high;
  Setter setter;
};

using P = DriverParams;
using G = Getter;
using S = Setter;

// Within each section the rows stand in the order the save writes them.
const ParamKey kParamKeys[] = {
    {"param", "VibratoDelay", &P::VibratoDelay, G::kInt, 300, -kNoLimit, kNoLimit, S::kInt},
    {"param", "VibratoDepth", &P::VibratoDepth, G::kInt, 0, -kNoLimit, kNoLimit, S::kInt},
    {"param", "VibratoSweep", &P::VibratoSweep, G::kInt, 0, -kNoLimit, kNoLimit, S::kInt},
    {"param", "VelToFc", &P::VelToFc, G::kInt, -2400, -kNoLimit, kNoLimit, S::kInt},
    {"param", "VelToFcThr", &P::VelToFcThr, G::kInt, 64, -kNoLimit, kNoLimit, S::kInt},
    {"param", "VelToRes", &P::VelToRes, G::kInt, 0, -kNoLimit, kNoLimit, S::kInt},
    {"param", "TremoloDelay", &P::TremoloDelay, G::kInt, 0, -kNoLimit, kNoLimit, S::kInt},
    {"param", "TremoloDepth", &P::TremoloDepth, G::kInt, 0, -kNoLimit, kNoLimit, S::kInt},
    {"param", "TremoloToFc", &P::TremoloToFc, G::kInt, 0, -kNoLimit, kNoLimit, S::kInt},
    {"param", "TremoloToPitch", &P::TremoloToPitch, G::kInt, 0, -kNoLimit, kNoLimit, S::kInt},
    {"param", "Res", &P::Res, G::kInt, 0, -kNoLimit, kNoLimit, S::kInt},
    {"param", "CutoffFreq", &P::CutoffFreq, G::kInt, 10000, -kNoLimit, kNoLimit, S::kInt},
    {"param", "EnvDelay", &P::EnvDelay, G::kInt, 1, -kNoLimit, kNoLimit, S::kInt},
    {"param", "ModEnvDelay", &P::ModEnvDelay, G::kInt, 1, -kNoLimit, kNoLimit, S::kInt},
    {"param", "ModEnvToFc", &P::ModEnvToFc, G::kInt, 100, -kNoLimit, kNoLimit, S::kInt},
    {"param", "ModEnvToPitch", &P::ModEnvToPitch, G::kInt, 0, -kNoLimit, kNoLimit, S::kInt},
    {"param", "_SF2ChorusSend", &P::SF2ChorusSend, G::kChar, 0, -kNoLimit, kNoLimit, S::kChar},
    {"param", "_SF2ReverbSend", &P::SF2ReverbSend, G::kChar, 0, -kNoLimit, kNoLimit, S::kChar},
    {"param", "_VibratoCent", &P::CalcVibratoCent, G::kInt, 55, 1, 10000, S::kInt},
    {"param", "_VibratoDelay", &P::CalcVibratoDelay, G::kInt, 200, 1, 10000, S::kInt},
    {"main", "ver", {}, G::kNone, 0, 0, 0, S::kVersion},
    {"main", "OverWriteVibrato", {&P::OverWriteFlags, 0}, G::kBool, 1, -kNoLimit, kNoLimit, S::kFlag},
    {"main", "OverWriteTremolo", {&P::OverWriteFlags, 1}, G::kBool, 0, -kNoLimit, kNoLimit, S::kFlag},
    {"main", "OverWriteCutoff", {&P::OverWriteFlags, 2}, G::kBool, 0, -kNoLimit, kNoLimit, S::kFlag},
    {"main", "OverWriteVel", {&P::OverWriteFlags, 3}, G::kBool, 0, -kNoLimit, kNoLimit, S::kFlag},
    {"main", "OverWriteModEnv", {&P::OverWriteFlags, 4}, G::kBool, 0, -kNoLimit, kNoLimit, S::kFlag},
    {"main", "OverWriteEnv", {&P::OverWriteFlags, 5}, G::kBool, 0, -kNoLimit, kNoLimit, S::kFlag},
    {"chorus", "PreLPF", &P::ChorusPreLPF, G::kChar, 0, 0, 6, S::kNone},
    {"chorus", "Level", &P::ChorusLevel, G::kChar, 64, 0, kNoLimit, S::kNone},
    {"chorus", "Feedback", &P::ChorusFeedback, G::kChar, 8, 0, kNoLimit, S::kNone},
    {"chorus", "Delay", &P::ChorusDelay, G::kChar, 80, 0, kNoLimit, S::kNone},
    {"chorus", "Rate", &P::ChorusRate, G::kChar, 3, 0, kNoLimit, S::kNone},
    {"chorus", "Depth", &P::ChorusDepth, G::kChar, 19, 0, kNoLimit, S::kNone},
    {"chorus", "SendReverb", &P::ChorusSendReverb, G::kChar, 0, 0, kNoLimit, S::kNone},
    {"chorus", "SendDelay", &P::ChorusSendDelay, G::kChar, 0, 0, kNoLimit, S::kNone},
    {"efx", "GS_OD_Level", &P::GS_OD_Level, G::kDouble, 0.5, 0.1, 2.0, S::kDouble},
    {"efx", "GS_OD_Drive", &P::GS_OD_Drive, G::kDouble, 0.9, 0.1, 2.0, S::kDouble},
    {"delay", "delay", &P::delay, G::kFloat, 1.0, 0.01, 2.0, S::kFloat},
    {"driver", "volctrl", &P::volctrl, G::kInt, 1, -kNoLimit, kNoLimit, S::kChar},
    {"driver", "nowvol", &P::nowvol, G::kInt, 100, 0, 200, S::kNone},
    {"compressor", "enable", {&P::CompressorFlags, 0}, G::kBool, 0, -kNoLimit, kNoLimit, S::kNone},
    {"compressor", "threshold", &P::threshold, G::kFloat, 50.0, -kNoLimit, kNoLimit, S::kNone},
    {"compressor", "slope", &P::slope, G::kFloat, 50.0, -kNoLimit, kNoLimit, S::kNone},
    {"compressor", "lookahead", &P::lookahead, G::kFloat, 3.0, -kNoLimit, kNoLimit, S::kNone},
    {"compressor", "window", &P::window, G::kFloat, 1.0, -kNoLimit, kNoLimit, S::kNone},
    {"compressor", "attack", &P::attack, G::kFloat, 0.01, -kNoLimit, kNoLimit, S::kNone},
    {"compressor", "release", &P::release, G::kFloat, 300.0, -kNoLimit, kNoLimit, S::kNone},
    {"reverb", "scalewet", &P::scalewet, G::kFloat, 0.06, -kNoLimit, kNoLimit, S::kNone},
    {"reverb", "scaleroom", &P::scaleroom, G::kFloat, 0.28, -kNoLimit, kNoLimit, S::kNone},
    {"reverb", "offsetroom", &P::offsetroom, G::kFloat, 0.7, -kNoLimit, kNoLimit, S::kNone},
    {"reverb", "fixedgain", &P::fixedgain, G::kFloat, 0.025, -kNoLimit, kNoLimit, S::kNone},
    {"reverb", "combfbk", &P::combfbk, G::kFloat, 3.0, -kNoLimit, kNoLimit, S::kNone},
    {"reverb", "timediff", &P::timediff, G::kFloat, 1.0, -kNoLimit, kNoLimit, S::kNone},
};

// The sections a save writes, in the order in which missing ones are appended.
const char *const kSavedSections[] = {"param", "main", "chorus", "efx", "delay", "driver"};

// The override flags of the older layout stood in "param" with a leading
// underscore; only three of them are carried over.
struct OverrideKey {
  const char *key;
  bool carried;
  int32_t fallback;
};

const OverrideKey kOverrideKeys[] = {
    {"OverWriteVibrato", true, 1}, {"OverWriteTremolo", true, 0}, {"OverWriteVel", false, 0},
    {"OverWriteEnv", false, 0},    {"OverWriteModEnv", false, 0}, {"OverWriteCutoff", true, 0},
};

double ReadKey(const IniSection *section, const ParamKey &row) {
  switch (row.getter) {
    case G::kInt:
      return IniGetInt(section, row.key, static_cast<int32_t>(row.fallback));
    case G::kChar:
      return IniGetChar(section, row.key, static_cast<int8_t>(row.fallback));
    case G::kBool:
      return IniGetBool(section, row.key, static_cast<int32_t>(row.fallback));
    case G::kFloat:
      return IniGetFloat(section, row.key, static_cast<float>(row.fallback));
    case G::kDouble:
      return IniGetDouble(section, row.key, row.fallback);
    case G::kNone:
      break;
  }
  return 0;
}

bool WriteKey(IniSection *section, const ParamKey &row, const DriverParams &params) {
  double value = ReadField(params, row.field);
  switch (row.setter) {
    case S::kInt:
      return IniSetInt(section, row.key, TruncatedToInt(value));
    case S::kChar:
      return IniSetChar(section, row.key, static_cast<int8_t>(value));
    case S::kFlag:
      return IniSetString(section, row.key, value != 0 ? "1" : "0");
    case S::kFloat:
      return IniSetFloat(section, row.key, static_cast<float>(value));
    case S::kDouble:
      return IniSetDouble(section, row.key, value);
    case S::kVersion:
      return IniSetVersion(section);
    case S::kNone:
      break;
  }
  return true;
}

// The value as the field holds it: integers keep their low bits.
double Narrowed(const ParamField &field, double value) {
  DriverParams scratch = {};
  WriteField(&scratch, field, value);
  return field.type == ParamField::kFloat ? value : ReadField(scratch, field);
}

// Moves the override flags from the older layout into "main"; false when
// the document could not be converted whole.
bool ConvertOlderLayout(IniFile &ini, IniSection *main) {
  IniSection *param = IniFindSection(ini, "param");
  bool converted = IniSetVersion(main);
  for (const OverrideKey &flag : kOverrideKeys) {
    char oldKey[32];
    std::snprintf(oldKey, sizeof oldKey, "_%s", flag.key);
    bool on = flag.carried && IniGetBool(param, oldKey, flag.fallback) == 1;
    converted = IniSetString(main, flag.key, on ? "1" : "0") && converted;
    IniRemoveKey(ini, "param", oldKey);
  }
  return converted;
}

// Fills every field from the document, with the load's defaults and limits,
// and tells what the load changed.
void ReadParamKeys(const IniFile &ini, DriverParams *params, std::vector<ParamsFinding> *findings) {
  params->OverWriteFlags = 0;
  params->CompressorFlags = 0;
  for (const ParamKey &row : kParamKeys) {
    if (row.getter == G::kNone) continue;
    const IniSection *section = IniFindSection(ini, row.section);
    double value = ReadKey(section, row);
    double narrowed = Narrowed(row.field, value);
    double limited = LimitedDouble(narrowed, row.low, row.high);
    WriteField(params, row.field, limited);
    if (!findings) continue;
    // IniGetChar narrows by itself: what the text says is its whole number.
    double given =
        row.getter == G::kChar ? IniGetInt(section, row.key, static_cast<int32_t>(row.fallback)) : value;
    if (given == narrowed && narrowed == limited) continue;
    IniValueArea text = {};
    IniGetString(section, row.key, text);
    const IniEntry *entry = IniFindEntry(section, row.key);
    findings->push_back({given != narrowed ? ParamsFinding::kNarrowed : ParamsFinding::kLimited,
                         entry ? entry->line : 0, row.section, row.key, text, ReadField(*params, row.field)});
  }
}

// The file's document as every reader takes it: with [main], and converted
// in memory from the older layout.
struct ParamsDocument {
  IniFile ini;
  bool readable;     // false: the file could not be read, or memory ran out reading it
  bool olderLayout;  // [main] held no ver=101 (or there was no file): converted
  bool whole;        // false when memory ran out: the document must not be written
};

// Opens the document from the file's content as it was read.
ParamsDocument OpenParams(ReadStatus status, std::string_view text) {
  ParamsDocument doc;
  doc.readable = status != ReadStatus::kFailed && IniParse(doc.ini, text.data(), text.size());
  // Part of an unreadable file is not trusted: all defaults, and the file is
  // never written, so nothing in it is lost.
  if (!doc.readable) IniFree(doc.ini);
  IniSection *main = IniAddSection(doc.ini, "main");
  doc.olderLayout = doc.readable && IniGetVersion(main) == 100;
  doc.whole = doc.readable && (!doc.olderLayout || ConvertOlderLayout(doc.ini, main));
  return doc;
}

ParamsDocument OpenParamsFile(const char *path) {
  std::string text;
  ReadStatus status = path ? ReadWholeFile(path, &text) : ReadStatus::kFailed;
  return OpenParams(status, text);
}

// Sets every managed key in the document, appending the sections it lacks.
bool WriteParamKeys(IniFile &ini, const DriverParams &params) {
  bool ok = true;
  for (const char *name : kSavedSections) {
    IniSection *section = ok ? IniAddSection(ini, name) : nullptr;
    ok = section != nullptr;
    for (const ParamKey &row : kParamKeys)
      if (ok && std::strcmp(row.section, name) == 0) ok = WriteKey(section, row, params);
  }
  return ok;
}

}  // namespace

bool SameField(const ParamField &a, const ParamField &b) {
  if (a.type != b.type || a.bit != b.bit) return false;
  switch (a.type) {
    case ParamField::kInt32:
      return a.int32 == b.int32;
    case ParamField::kInt16:
      return a.int16 == b.int16;
    case ParamField::kInt8:
      return a.int8 == b.int8;
    case ParamField::kDouble:
      return a.real == b.real;
    case ParamField::kFloat:
      return a.single == b.single;
    case ParamField::kFlag:
      return a.flags == b.flags;
    case ParamField::kNone:
      break;
  }
  return true;
}

bool FindParamKey(const ParamField &field, ParamKeyInfo *info) {
  for (const ParamKey &row : kParamKeys)
    if (row.field.type != ParamField::kNone && SameField(row.field, field)) {
      *info = {row.section, row.key, row.low, row.high};
      return true;
    }
  return false;
}

int32_t TruncatedToInt(double value) {
  if (!(value > INT32_MIN - 1.0)) return value < 0 ? INT32_MIN : 0;
  if (value >= INT32_MAX + 1.0) return INT32_MAX;
  return static_cast<int32_t>(value);
}

double ReadField(const DriverParams &params, const ParamField &field) {
  switch (field.type) {
    case ParamField::kInt32:
      return params.*field.int32;
    case ParamField::kInt16:
      return params.*field.int16;
    case ParamField::kInt8:
      return params.*field.int8;
    case ParamField::kDouble:
      return params.*field.real;
    case ParamField::kFloat:
      return params.*field.single;
    case ParamField::kFlag:
      return (params.*field.flags >> field.bit) & 1;
    case ParamField::kNone:
      break;
  }
  return 0;
}

void WriteField(DriverParams *params, const ParamField &field, double value) {
  switch (field.type) {
    case ParamField::kInt32:
      params->*field.int32 = TruncatedToInt(value);
      break;
    case ParamField::kInt16:
      params->*field.int16 = static_cast<int16_t>(TruncatedToInt(value));
      break;
    case ParamField::kInt8:
      params->*field.int8 = static_cast<int8_t>(TruncatedToInt(value));
      break;
    case ParamField::kDouble:
      params->*field.real = value;
      break;
    case ParamField::kFloat:
      params->*field.single = static_cast<float>(value);
      break;
    case ParamField::kFlag: {
      uint16_t mask = static_cast<uint16_t>(1u << field.bit);
      uint16_t &flags = params->*field.flags;
      flags = static_cast<uint16_t>(value != 0 ? flags | mask : flags & ~mask);
      break;
    }
    case ParamField::kNone:
      break;
  }
}

// Not a number counts as below a range, so a limited value always lies within it.
double LimitedDouble(double value, double low, double high) {
  if (value < low || (std::isnan(value) && low > -kNoLimit)) return low;
  return value > high ? high : value;
}

ParamsLoad LoadDriverParamsFile(const char *path, DriverParams *params) {
  ParamsDocument doc = OpenParamsFile(path);
  ReadParamKeys(doc.ini, params, nullptr);
  ParamsLoad load = {doc.readable, false, {}};
  // A conversion that could not be made whole is not written.
  load.conversionDue = doc.olderLayout && doc.whole && IniRender(doc.ini, &load.converted);
  return load;
}

bool WriteParamsConversion(const char *path, const ParamsLoad &load) {
  return load.conversionDue && SafeWriteInRun(ThisRun(), path, load.converted.data(), load.converted.size());
}

bool ReadDriverParamsText(std::string_view text, DriverParams *params, std::vector<ParamsFinding> *findings) {
  ParamsDocument doc = OpenParams(ReadStatus::kOk, text);
  if (findings && doc.olderLayout)
    findings->push_back({ParamsFinding::kOlderLayout, 0, "main", "ver", "", 101});
  ReadParamKeys(doc.ini, params, doc.whole ? findings : nullptr);
  return doc.whole;
}

bool RenderSavedParams(std::string_view text, const DriverParams &params, std::string *out) {
  ParamsDocument doc = OpenParams(ReadStatus::kOk, text);
  return doc.whole && WriteParamKeys(doc.ini, params) && IniRender(doc.ini, out);
}

// The save edits the file as it is now: a conversion is a load's, which the
// setup program's start has written.
bool SaveDriverParamsFile(const char *path, const DriverParams &params) {
  if (!path) return false;
  IniFile ini;
  return IniLoad(ini, path) != ReadStatus::kFailed && WriteParamKeys(ini, params) && IniSave(ini, path);
}

bool SavedParamsChangedSince(const char *path, const DriverParams &seen) {
  std::string text;
  if (ReadWholeFile(path, &text) != ReadStatus::kOk) return false;
  DriverParams now;
  if (!ReadDriverParamsText(text, &now, nullptr)) return true;  // not known whole: ask
  for (const ParamKey &row : kParamKeys)
    if (row.getter != G::kNone && row.setter != S::kNone &&
        ReadField(now, row.field) != ReadField(seen, row.field))
      return true;
  return false;
}
