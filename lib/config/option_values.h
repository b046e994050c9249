// What the synthesizer options page shows, as a plain record: the reader
// puts options into it, the writer builds option lines from it, and the page
// moves it to and from its controls.
#pragma once

#include <string>

#include "lib/config/option_tables.h"

enum class OutputMode { kUnset, kStereo, kMono };

// List selections are rows of their tables (-1: nothing selected); slider
// positions are kept within their ranges; edits hold their text as typed.
struct OptionValues {
  int volume = 70;      // 0..200
  int drumPower = 100;  // 0..200
  int polyphony = 3;    // row of PolyphonyLevels: 128 voices
  int sampleRate = -1;
  int chorus = 1;
  int reverb = 1;
  int voiceLpf = 1;
  int resample = -1;
  int cacheSize = 0;
  int noiseShaping = 4;
  bool chorusLevelOn = false;
  bool reverbLevelOn = false;
  std::string chorusLevel;
  std::string reverbLevel;
  OutputMode mode = OutputMode::kUnset;
  bool byteSwap = false;
  bool effects[kEffectFlagCount] = {};  // by row of EffectFlags
  bool fastPanning = false;
  bool fastDecay = false;
  bool unloadInstruments = false;
  std::string latency;
  std::string resampleN;
  std::string pseudoReverb;
};
