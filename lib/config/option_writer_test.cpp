#include "lib/config/option_writer.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "lib/config/default_block_test.h"
#include "lib/config/option_lines.h"
#include "lib/config/option_reader.h"

namespace {

std::vector<std::string> GeneratedLines(const OptionValues &values) {
  std::vector<std::string> lines;
  ForEachLine(BuildGeneratedBlock(values), [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

bool Has(const std::vector<std::string> &lines, const std::string &line) {
  return std::find(lines.begin(), lines.end(), "#extension opt " + line) != lines.end();
}

TEST(OptionWriter, DefaultsWithoutAFileGiveTwoEmptyLinesAndTheBlock) {
  EXPECT_EQ(RewriteOptionLines("", DefaultOptionValues()), std::string("\r\n\r\n") + kDefaultBlock);
}

TEST(OptionWriter, KeepsOrdinaryAndForeignLinesAndReplacesManagedOnes) {
  OptionValues values = DefaultOptionValues();
  values.reverb = 3;
  std::string file =
      "soundfont a.sf2\r\n#extension opt --volume=50\r\n# note\r\nopt --reverb=g\r\n#extension opt --foo\r\n"
      "\r\ndir x\r\n";
  std::string block = kDefaultBlock;
  block.replace(block.find("--reverb=n"), 10, "--reverb=f");
  EXPECT_EQ(RewriteOptionLines(file, values),
            "soundfont a.sf2\r\n# note\r\ndir x\r\n\r\n#extension opt --foo\r\n\r\n" + block);
}

TEST(OptionWriter, ManagedAndForeignForms) {
  const char *dropped[] = {
      "opt -EFdelay=1",
      "opt -EFreverb=g",
      "opt -E",
      "opt -B 5",
      "opt -F",
      "opt -N7",
      "opt -O",
      "opt -R1",
      "opt -U",
      "opt -a 1",
      "opt -f",
      "opt -p 32",
      "opt -s8000",
      "opt --volume=1",
      "opt --drum-power=1",
      "opt --reverb=d",
      "opt --chorus=d",
      "opt --sampling-freq=8000",
      "opt --polyphony=32",
      "opt --resample=d",
      "opt --rtsyn-latency=1",
      "opt --fast-decay",
      "opt --fast-panning",
      "opt --no-fast-decay",
      "opt --no-fast-panning",
      "opt --buffer-fragments=1",
      "opt --voice-lpf=d",
      "opt --noise-shaping=1",
      "opt --volume=x --other",
  };
  const char *kept[] = {
      "opt --unload-instruments",
      "opt --no-unload-instruments",
      "opt -x",
      "opt -e",
      "opt --volume 1",
      "opt volume=1",
      "opt",
      "opt -",
      "opt --foo",
      "#extension  opt  -A 1",
  };
  for (const char *line : dropped)
    EXPECT_EQ(RewriteOptionLines(line, OptionValues{}), "\r\n\r\n" + BuildGeneratedBlock(OptionValues{}))
        << line;
  for (const char *line : kept)
    EXPECT_EQ(RewriteOptionLines(line, OptionValues{}),
              "\r\n" + std::string(line) + "\r\n\r\n" + BuildGeneratedBlock(OptionValues{}))
        << line;
}

TEST(OptionWriter, UnloadInstrumentsStaysAndMayBeWrittenInAddition) {
  OptionValues values = DefaultOptionValues();
  values.unloadInstruments = true;
  std::string out = RewriteOptionLines("#extension opt --unload-instruments\n", values);
  EXPECT_EQ(out.find("\r\n#extension opt --unload-instruments\r\n\r\n"), 0u);
  EXPECT_TRUE(Has(GeneratedLines(values), "-U"));
}

TEST(OptionWriter, ValuesAreLimitedAndFormatted) {
  struct Case {
    std::function<void(OptionValues &)> set;
    std::vector<std::string> present;
    std::vector<std::string> absent;
  } cases[] = {
      {[](OptionValues &v) { v.latency = "0.01"; }, {"--rtsyn-latency=0.040"}, {}},
      {[](OptionValues &v) { v.latency = "0.25"; }, {"--rtsyn-latency=0.250"}, {}},
      {[](OptionValues &v) { v.latency = " 1.2345e1"; }, {"--rtsyn-latency=12.345"}, {}},
      {[](OptionValues &v) { v.latency = "-3"; }, {"--rtsyn-latency=0.040"}, {}},
      {[](OptionValues &v) { v.pseudoReverb = "2000"; }, {"-R1000"}, {}},
      {[](OptionValues &v) { v.pseudoReverb = "-5"; }, {"-R0"}, {}},
      {[](OptionValues &v) { v.pseudoReverb = "250"; }, {"-R250"}, {}},
      {[](OptionValues &v) { v.resample = 4; }, {"--resample=g", "-N7"}, {}},
      {[](OptionValues &v) { v.resample = 4, v.resampleN = "99"; }, {"-N57"}, {}},
      {[](OptionValues &v) { v.resample = 4, v.resampleN = "-1"; }, {"-N7"}, {}},
      {[](OptionValues &v) { v.resample = 5; }, {"--resample=n", "-N25"}, {}},
      {[](OptionValues &v) { v.resample = 5, v.resampleN = "40"; }, {"-N34"}, {}},
      {[](OptionValues &v) { v.resample = 5, v.resampleN = "30"; }, {"-N30"}, {}},
      {[](OptionValues &v) { v.resampleN = "30"; }, {"--resample=L"}, {"-N30", "-N25", "-N7"}},
      {[](OptionValues &v) { v.cacheSize = 1; }, {"-B32768"}, {}},
      {[](OptionValues &v) { v.cacheSize = 16; }, {"-B1073741824"}, {}},
      {[](OptionValues &v) { v.chorusLevelOn = true, v.chorusLevel = "0"; }, {"--chorus=n"}, {}},
      {[](OptionValues &v) { v.chorusLevelOn = true, v.chorusLevel = "abc"; }, {"--chorus=n"}, {}},
      {[](OptionValues &v) { v.chorusLevelOn = true, v.chorusLevel = "-3"; }, {"--chorus=n,-3"}, {}},
      {[](OptionValues &v) { v.chorusLevel = "64"; }, {"--chorus=n"}, {"--chorus=n,64"}},
      {[](OptionValues &v) { v.reverb = 4, v.reverbLevelOn = true, v.reverbLevel = " 64"; },
       {"--reverb=G,64"},
       {}},
      {[](OptionValues &v) { v.mode = OutputMode::kMono, v.byteSwap = true; }, {"-OdMs1lx"}, {}},
      {[](OptionValues &v) { v.mode = OutputMode::kStereo; }, {"-OdSs1l"}, {}},
      {[](OptionValues &v) { v.fastPanning = v.fastDecay = v.unloadInstruments = true; },
       {"--fast-panning", "--fast-decay", "-U"},
       {}},
      {[](OptionValues &) {}, {}, {"--fast-panning", "--fast-decay", "-U"}},
      {[](OptionValues &v) { v.volume = 0, v.drumPower = 200, v.polyphony = 6, v.sampleRate = 0; },
       {"--volume=0", "--drum-power=200", "--polyphony=512", "--sampling-freq=4000"},
       {}},
      {[](OptionValues &v) { v.voiceLpf = 2, v.noiseShaping = 0; }, {"--voice-lpf=m", "-EFns=0"}, {}},
  };
  for (const Case &c : cases) {
    OptionValues values = DefaultOptionValues();
    c.set(values);
    std::vector<std::string> lines = GeneratedLines(values);
    for (const std::string &line : c.present) EXPECT_TRUE(Has(lines, line)) << line;
    for (const std::string &line : c.absent) EXPECT_FALSE(Has(lines, line)) << line;
  }
}

TEST(OptionWriter, RulesGivenAValueText) {
  EXPECT_EQ(WrittenLevel(true, " -3x"), -3);
  EXPECT_EQ(WrittenLevel(false, "64"), 0);
  EXPECT_EQ(WrittenLatency(""), "0.040");
  EXPECT_EQ(WrittenLatency("0.25"), "0.250");
  // However many digits: a large number comes back whole.
  std::string large = WrittenLatency("1e200");
  EXPECT_GT(large.size(), 200u);
  EXPECT_EQ(large.substr(large.size() - 4), ".000");
  EXPECT_EQ(ReadFraction(large), 1e200);
  EXPECT_EQ(WrittenResampleN(ResampleChoices[4], "99"), 57);
  EXPECT_EQ(WrittenResampleN(ResampleChoices[5], "abc"), 25);
  for (int row : {0, 1, 2, 3}) EXPECT_EQ(WrittenResampleN(ResampleChoices[row], "7"), 0) << row;
  EXPECT_EQ(WrittenPseudoReverb("2000"), 1000);
  EXPECT_EQ(WrittenPseudoReverb("-5"), 0);
}

TEST(OptionWriter, EffectFlagsFollowTheBoxes) {
  OptionValues values;
  EXPECT_EQ(BuildEffectFlags(values), "-EWPVETSOZJDXCQ");
  std::fill(std::begin(values.effects), std::end(values.effects), true);
  EXPECT_EQ(BuildEffectFlags(values), "-Ewpvetsozjdxcq");
  for (int i = 0; i < kEffectFlagCount; ++i) {
    OptionValues one;
    one.effects[i] = true;
    std::string flags = BuildEffectFlags(one);
    for (int j = 0; j < kEffectFlagCount; ++j)
      EXPECT_EQ(flags[2 + j], i == j ? EffectFlags[j].letter : EffectFlags[j].letter - 'a' + 'A');
  }
}

TEST(OptionWriter, ListsWithoutSelectionWriteNoLine) {
  OptionValues values;
  values.chorus = values.reverb = values.voiceLpf = values.sampleRate = values.resample = -1;
  values.cacheSize = values.noiseShaping = -1;
  std::vector<std::string> lines = GeneratedLines(values);
  for (const char *name :
       {"--chorus=", "--reverb=", "--voice-lpf=", "--sampling-freq=", "--resample=", "-B", "-EFns="})
    for (const std::string &line : lines) EXPECT_EQ(line.find(name), std::string::npos) << line;
  EXPECT_EQ(lines.size(), 7u);
}

TEST(OptionWriter, ReadingTheBlockBackGivesTheValues) {
  OptionValues values = DefaultOptionValues();
  values.volume = 12, values.drumPower = 1, values.polyphony = 0, values.sampleRate = 7;
  values.chorus = 2, values.chorusLevelOn = true, values.chorusLevel = "5";
  values.reverb = 4, values.voiceLpf = 0, values.resample = 5, values.cacheSize = 11, values.noiseShaping = 2;
  values.mode = OutputMode::kMono, values.byteSwap = true, values.fastDecay = true;
  values.effects[3] = values.effects[12] = true;
  OptionValues read = DefaultOptionValues();
  read.chorusLevel = "x";
  ApplyOptionLines(&read, RewriteOptionLines("", values));
  EXPECT_EQ(BuildGeneratedBlock(read), BuildGeneratedBlock(values));
  EXPECT_EQ(read.chorusLevel, "5");
  EXPECT_EQ(read.latency, "0.040");
  EXPECT_EQ(read.resampleN, "25");
}

TEST(OptionWriter, RewriteIsStableAndKeepsLongLinesWhole) {
  std::string longKept = "# " + std::string(6000, 'k') + "opt --volume=1";
  std::string longForeign = "#extension opt --foo=" + std::string(5000, 'f');
  std::string file = "dir a\n\n" + longForeign + "\n" + longKept + "\nopt --volume=9\n" +
                     std::string(3999, ' ') + "--reverb=g\n";
  OptionValues values = DefaultOptionValues();
  std::string once = RewriteOptionLines(file, values);
  EXPECT_EQ(once, "dir a\r\n" + longKept + "\r\n" + std::string(3999, ' ') + "--reverb=g\r\n\r\n" +
                      longForeign + "\r\n\r\n" + kDefaultBlock);
  EXPECT_EQ(RewriteOptionLines(once, values), once);
}

}  // namespace
