// The driver's own parameters, kept in velder_soundfont.ini: the set, the
// table of its keys, and the load and save of the file at a given path.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Every field bears the name of its key; the chorus keys carry the prefix
// Chorus, and _VibratoCent and _VibratoDelay (distinct from VibratoDelay) the
// prefix Calc in place of the underscore.
struct DriverParams {
  int32_t VibratoDelay;
  int16_t VibratoDepth;
  int32_t VibratoSweep;
  int16_t VelToFc;
  int8_t VelToFcThr;
  int16_t VelToRes;
  int32_t TremoloDelay;
  int16_t TremoloDepth;
  int16_t TremoloToFc;
  int16_t TremoloToPitch;
  int16_t Res;
  int32_t CutoffFreq;
  int32_t EnvDelay;
  int32_t ModEnvDelay;
  int16_t ModEnvToFc;
  int16_t ModEnvToPitch;
  double CalcVibratoCent;   // _VibratoCent, always a whole number
  double CalcVibratoDelay;  // _VibratoDelay, always a whole number
  int8_t SF2ChorusSend;
  int8_t SF2ReverbSend;
  double GS_OD_Level;
  double GS_OD_Drive;
  int8_t ChorusPreLPF;
  int8_t ChorusLevel;
  int8_t ChorusFeedback;
  int8_t ChorusDelay;
  int8_t ChorusRate;
  int8_t ChorusDepth;
  int8_t ChorusSendReverb;
  int8_t ChorusSendDelay;
  uint16_t OverWriteFlags;   // bit 0 vibrato, 1 tremolo, 2 cutoff, 3 velocity, 4 ModEnv, 5 envelope
  uint16_t CompressorFlags;  // bit 0 enable
  double threshold;
  double slope;
  double lookahead;
  double window;
  double attack;
  double release;
  double scalewet;
  float scaleroom;
  float offsetroom;
  double fixedgain;
  double combfbk;
  double timediff;
  float delay;
  int8_t volctrl;
  int16_t nowvol;
};

// A field of the set, whatever its width; a flag is one bit of a flag word.
struct ParamField {
  enum Type { kInt32, kInt16, kInt8, kDouble, kFloat, kFlag, kNone };
  constexpr ParamField() : type(kNone), int32(nullptr), bit(0) {}
  constexpr ParamField(int32_t DriverParams::*m) : type(kInt32), int32(m), bit(0) {}
  constexpr ParamField(int16_t DriverParams::*m) : type(kInt16), int16(m), bit(0) {}
  constexpr ParamField(int8_t DriverParams::*m) : type(kInt8), int8(m), bit(0) {}
  constexpr ParamField(double DriverParams::*m) : type(kDouble), real(m), bit(0) {}
  constexpr ParamField(float DriverParams::*m) : type(kFloat), single(m), bit(0) {}
  constexpr ParamField(uint16_t DriverParams::*m, int flagBit) : type(kFlag), flags(m), bit(flagBit) {}

  Type type;
  union {
    int32_t DriverParams::*int32;
    int16_t DriverParams::*int16;
    int8_t DriverParams::*int8;
    double DriverParams::*real;
    float DriverParams::*single;
    uint16_t DriverParams::*flags;
  };
  int bit;
};

bool SameField(const ParamField &a, const ParamField &b);
double ReadField(const DriverParams &params, const ParamField &field);
// Stores the value; an integer field keeps the low bits (two's complement)
// of the value truncated toward zero.
void WriteField(DriverParams *params, const ParamField &field, double value);
// Clamps to [low, high]; not a number becomes low unless low is -HUGE_VAL (no limit).
double LimitedDouble(double value, double low, double high);
// Truncates toward zero, saturating outside the 32-bit range (not a number: 0).
int32_t TruncatedToInt(double value);

// What a load found besides the values.
struct ParamsLoad {
  // False when the file exists but cannot be read (or the path is null): the
  // set holds the defaults, not the file's values, and the file must never
  // be written, so that nothing in it is lost.
  bool readable;
  // A missing file, or one of the older layout, was converted: `converted`
  // is the file to write in its place.
  bool conversionDue;
  std::string converted;
};

// Fills every field from the file, with defaults for what is missing and the
// load's limits. Writes nothing.
ParamsLoad LoadDriverParamsFile(const char *path, DriverParams *params);

// Writes the conversion a load found due, as the setup program does when it
// starts; false when none was due or the write failed (the next load then
// finds it due again). Like the save, it is a write of this process's run
// (SafeWriteInRun): the run's first keeps the file's previous version.
bool WriteParamsConversion(const char *path, const ParamsLoad &load);

// Writes the managed values into the file as it is on disk now, keeping all
// else it holds: every value as the set holds it, 0 included (whether the set
// was ever loaded is its caller's to know). False, with the file untouched,
// when it could not be read or written.
bool SaveDriverParamsFile(const char *path, const DriverParams &params);

// Where the field is kept and the limits its load applies (infinite: none).
struct ParamKeyInfo {
  const char *section;
  const char *key;
  double low;
  double high;
};

// The key the field is kept under; false when it has none.
bool FindParamKey(const ParamField &field, ParamKeyInfo *info);

// What a load does to the file's content without being asked.
struct ParamsFinding {
  enum Kind {
    kOlderLayout,  // no ver=101 in [main]: the load converts the file
    kNarrowed,     // the value does not fit its field and loses its high bits
    kLimited,      // the value lies outside the load's limits
  };
  Kind kind;
  int line;  // the line that gives the key; 0 for the file as a whole
  const char *section;
  const char *key;
  std::string text;  // the value as the file holds it
  double value;      // what the set holds after the load
};

// Reads the set from a file's content as a load does, converting an older
// layout in memory only: nothing is written. Findings, when asked for, say
// what the load changed. False when memory ran out (the set is then the defaults).
bool ReadDriverParamsText(std::string_view text, DriverParams *params, std::vector<ParamsFinding> *findings);

// The file's content after the setup program has started on `text` (which
// converts an older layout) and saved `params`. False when memory ran out.
bool RenderSavedParams(std::string_view text, const DriverParams &params, std::string *out);

// True when the file at `path` now gives other values than `seen` (a load's)
// for a key that a save writes. False when it is missing or cannot be read:
// a save then makes it anew or fails, and overwrites nothing.
bool SavedParamsChangedSince(const char *path, const DriverParams &seen);
