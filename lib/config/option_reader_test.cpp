#include "lib/config/option_reader.h"

#include <gtest/gtest.h>
#include <string>

namespace {

OptionValues Read(const std::string &file, OptionValues values = DefaultOptionValues()) {
  ApplyOptionLines(&values, file);
  return values;
}

int Box(const OptionValues &values, char letter) {
  for (int i = 0; i < kEffectFlagCount; ++i)
    if (EffectFlags[i].letter == letter) return values.effects[i];
  return -1;
}

TEST(OptionReader, DefaultsAreThePagesStartingValues) {
  OptionValues values = DefaultOptionValues();
  EXPECT_EQ(SampleRates[values.sampleRate], 44100);
  EXPECT_EQ(ResampleChoices[values.resample].letter, 'L');
  EXPECT_EQ(PolyphonyLevels[values.polyphony], 128);
  EXPECT_EQ(values.volume, 70);
  EXPECT_EQ(values.drumPower, 100);
  EXPECT_EQ(values.chorus, 1);
  EXPECT_EQ(values.reverb, 1);
  EXPECT_EQ(values.voiceLpf, 1);
  EXPECT_EQ(values.cacheSize, 0);
  EXPECT_EQ(values.noiseShaping, 4);
  EXPECT_EQ(values.mode, OutputMode::kUnset);
}

TEST(OptionReader, VolumeAndDrumPower) {
  struct Case {
    const char *line;
    int volume, drumPower;
  } cases[] = {
      {"opt --volume=0", 70, 100},       {"opt --volume=abc", 70, 100}, {"opt --volume=500", 200, 100},
      {"opt --volume=-5", 0, 100},       {"opt --volume=55", 55, 100},  {"opt --drum-power=0", 70, 100},
      {"opt --drum-power=150", 70, 150}, {"opt -a 80,120", 80, 120},    {"opt -a 80", 80, 100},
      {"opt -a80a,,a 120", 80, 120},     {"opt -a", 70, 100},           {"opt -a ,", 70, 100},
  };
  for (const Case &c : cases) {
    OptionValues start = DefaultOptionValues();
    start.volume = 70;
    OptionValues values = Read(c.line, start);
    EXPECT_EQ(values.volume, c.volume) << c.line;
    EXPECT_EQ(values.drumPower, c.drumPower) << c.line;
  }
}

TEST(OptionReader, PolyphonyAndSampleRateTakeOnlyTableValues) {
  OptionValues start = DefaultOptionValues();
  start.polyphony = 1;
  EXPECT_EQ(PolyphonyLevels[Read("opt --polyphony=0", start).polyphony], 196);
  EXPECT_EQ(Read("opt --polyphony=100", start).polyphony, 1);
  EXPECT_EQ(Read("opt --polyphony=512", start).polyphony, 6);
  EXPECT_EQ(Read("opt -p 32", start).polyphony, 0);
  EXPECT_EQ(SampleRates[Read("opt --sampling-freq=22050").sampleRate], 22050);
  EXPECT_EQ(SampleRates[Read("opt -s 48000").sampleRate], 48000);
  EXPECT_EQ(SampleRates[Read("opt -s44000").sampleRate], 44100);
}

TEST(OptionReader, CacheSizesRoundUpToTheNextRow) {
  struct Case {
    const char *line;
    const char *label;  // empty: no cache
  } cases[] = {
      {"opt -B 100000", "128 KB"},
      {"opt -B2M", "2 MB"},
      {"opt --buffer-fragments=2048K", "2 MB"},
      {"opt -B0", ""},
      {"opt -B2048M", ""},
      {"opt -B1", "32 KB"},
      {"opt -B32769", "64 KB"},
      {"opt -B1024M", "1024 MB"},
      {"opt -B-5", ""},
      {"opt -B4097M", ""},
      {"opt -B2m", "32 KB"},
      {"opt -B3K5M", "4 MB"},
  };
  for (const Case &c : cases) {
    OptionValues start = DefaultOptionValues();
    start.cacheSize = 9;
    EXPECT_STREQ(CacheSizes[Read(c.line, start).cacheSize].label, c.label) << c.line;
  }
}

TEST(OptionReader, ChorusAndReverbWithAndWithoutLevel) {
  OptionValues values = Read("opt --chorus=n,64");
  EXPECT_EQ(values.chorus, 1);
  EXPECT_TRUE(values.chorusLevelOn);
  EXPECT_EQ(values.chorusLevel, "64");
  values = Read("opt --chorus=s", values);
  EXPECT_EQ(values.chorus, 2);
  EXPECT_FALSE(values.chorusLevelOn);
  EXPECT_EQ(values.chorusLevel, "64");
  values = Read("opt -EFchorus= d , -3x", values);
  EXPECT_EQ(values.chorus, 0);
  EXPECT_EQ(values.chorusLevel, "-3");

  values = Read("opt --reverb=3,20");
  EXPECT_EQ(values.reverb, 3);
  EXPECT_TRUE(values.reverbLevelOn);
  values = Read("opt --reverb=x", values);
  EXPECT_EQ(values.reverb, 3);
  EXPECT_FALSE(values.reverbLevelOn);
  values = Read("opt -EFreverb=G,40\nopt --reverb=", values);
  EXPECT_EQ(values.reverb, 4);
  EXPECT_FALSE(values.reverbLevelOn);
  EXPECT_EQ(values.reverbLevel, "40");
}

TEST(OptionReader, ChoicesOfResamplingFilterAndNoiseShaping) {
  OptionValues values = Read("opt --resample=g\nopt --voice-lpf=m");
  EXPECT_EQ(values.resample, 4);
  EXPECT_EQ(values.voiceLpf, 2);
  values = Read("opt -EFresamp=0\nopt -EFvlpf=d\nopt --resample=q\nopt --voice-lpf=", values);
  EXPECT_EQ(values.resample, 0);
  EXPECT_EQ(values.voiceLpf, 0);
  struct Case {
    const char *line;
    int row;
  } shaping[] = {{"opt -EFns=9", 4}, {"opt -EFns=-1", 0}, {"opt --noise-shaping=2", 2}, {"opt -EFns=x", 0}};
  for (const Case &c : shaping) EXPECT_EQ(Read(c.line).noiseShaping, c.row) << c.line;
}

TEST(OptionReader, EffectLettersTouchOnlyTheirBoxes) {
  OptionValues values = Read("opt -Ewp");
  for (int i = 0; i < kEffectFlagCount; ++i) EXPECT_EQ(values.effects[i], i < 2) << EffectFlags[i].letter;
  values = Read("opt -E qF?x", values);
  EXPECT_EQ(Box(values, 'q'), 1);
  EXPECT_EQ(Box(values, 'x'), 1);
  EXPECT_EQ(Box(values, 'w'), 1);
  values = Read("opt -EWPQ", values);
  EXPECT_EQ(Box(values, 'w'), 0);
  EXPECT_EQ(Box(values, 'p'), 0);
  EXPECT_EQ(Box(values, 'q'), 0);
  EXPECT_EQ(Box(values, 'x'), 1);
  values = Read("opt -Ewpvetsozjdxcq");
  for (bool on : values.effects) EXPECT_TRUE(on);
}

TEST(OptionReader, UnknownEffectSettingsChangeNothing) {
  // "F" begins a setting, so letters such as the 'd' and 'e' of "delay" check no box.
  const OptionValues start = Read("opt -Ewp\nopt -EFchorus=s,20\nopt -EFns=2");
  for (const char *line : {"opt -EFdelay=1", "opt -EF", "opt -E Fdwe", "opt -EFCHORUS=n", "opt -EFns"}) {
    OptionValues values = Read(line, start);
    for (int i = 0; i < kEffectFlagCount; ++i)
      EXPECT_EQ(values.effects[i], start.effects[i]) << line << ' ' << EffectFlags[i].letter;
    EXPECT_EQ(values.chorus, start.chorus) << line;
    EXPECT_EQ(values.chorusLevelOn, start.chorusLevelOn) << line;
    EXPECT_EQ(values.noiseShaping, start.noiseShaping) << line;
  }
}

TEST(OptionReader, OutputMode) {
  OptionValues values = Read("opt -OdMs1lx");
  EXPECT_EQ(values.mode, OutputMode::kMono);
  EXPECT_TRUE(values.byteSwap);
  values = Read("opt -OdSs1l", values);
  EXPECT_EQ(values.mode, OutputMode::kStereo);
  EXPECT_FALSE(values.byteSwap);
  EXPECT_EQ(Read("opt -O SMS").mode, OutputMode::kStereo);
}

TEST(OptionReader, SwitchesAndTheirNoForms) {
  struct Case {
    const char *file;
    bool fastDecay, fastPanning, unload;
  } cases[] = {
      {"opt --fast-decay", true, false, false},
      {"opt --fast-decay\n#extension opt --no-fast-decay", false, false, false},
      {"opt -f\nopt -F\nopt -U", true, true, true},
      {"opt --fast-panning\nopt --unload-instruments", false, true, true},
      {"opt -F\nopt -U\nopt --no-fast-panning\nopt --no-unload-instruments", false, false, false},
      {"opt --no-such-thing\nopt --no-\nopt -x", false, false, false},
  };
  for (const Case &c : cases) {
    OptionValues values = Read(c.file);
    EXPECT_EQ(values.fastDecay, c.fastDecay) << c.file;
    EXPECT_EQ(values.fastPanning, c.fastPanning) << c.file;
    EXPECT_EQ(values.unloadInstruments, c.unload) << c.file;
  }
}

TEST(OptionReader, EditsReceiveTheValueTextUnchanged) {
  OptionValues values = Read("opt --rtsyn-latency=0.2\r\nopt -N 7\r\nopt -R50 x\r\n");
  EXPECT_EQ(values.latency, "0.2");
  EXPECT_EQ(values.resampleN, "7");
  EXPECT_EQ(values.pseudoReverb, "50 x");
}

TEST(OptionReader, LastLineWinsAndOtherLinesArePassedOver) {
  OptionValues values = Read(
      "soundfont a.sf2\n# opt --volume=10\n#extension --volume=11\n#extension opt --volume=20\n"
      "opt --volume=30\nopt --unknown=1\nopt -Z\n");
  EXPECT_EQ(values.volume, 30);
}

TEST(OptionReader, ALongLineIsOneLine) {
  // Its tail would be an option line if the line were read in pieces.
  std::string file =
      "#" + std::string(3998, 'x') + "opt --volume=10\n" + std::string(3999, ' ') + "opt --volume=20\n";
  EXPECT_EQ(Read(file).volume, 20);
}

}  // namespace
