// Feeds arbitrary bytes as orvane.cfg to the reader and the rewrite, with
// page values taken from the input as well.
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

#include "lib/config/option_lines.h"
#include "lib/config/option_reader.h"
#include "lib/config/option_syntax.h"
#include "lib/config/option_writer.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

OptionValues ValuesFrom(FuzzedDataProvider &data) {
  OptionValues values;
  values.volume = data.ConsumeIntegralInRange(0, 200);
  values.drumPower = data.ConsumeIntegralInRange(0, 200);
  values.polyphony = data.ConsumeIntegralInRange(0, kPolyphonyLevelCount - 1);
  // -1 (nothing selected) to past the shorter tables' ends: the writer must skip a row it has no choice for.
  for (int *row : {&values.sampleRate, &values.chorus, &values.reverb, &values.voiceLpf, &values.resample,
                   &values.cacheSize, &values.noiseShaping})
    *row = data.ConsumeIntegralInRange(-1, kCacheSizeCount);
  for (bool *box : {&values.chorusLevelOn, &values.reverbLevelOn, &values.byteSwap, &values.fastPanning,
                    &values.fastDecay, &values.unloadInstruments})
    *box = data.ConsumeBool();
  for (bool &effect : values.effects) effect = data.ConsumeBool();
  values.mode = static_cast<OutputMode>(data.ConsumeIntegralInRange(0, 2));
  for (std::string *edit :
       {&values.chorusLevel, &values.reverbLevel, &values.latency, &values.resampleN, &values.pseudoReverb})
    *edit = data.ConsumeRandomLengthString(24);
  return values;
}

// Whatever the file says, the values stay what the page's controls can hold.
void CheckReadValues(const OptionValues &read, const OptionValues &start) {
  Check(read.volume >= 0 && read.volume <= 200 && read.drumPower >= 0 && read.drumPower <= 200);
  Check(read.polyphony >= 0 && read.polyphony < kPolyphonyLevelCount);
  const int rows[][3] = {{read.sampleRate, start.sampleRate, kSampleRateCount},
                         {read.chorus, start.chorus, kChorusChoiceCount},
                         {read.reverb, start.reverb, kReverbChoiceCount},
                         {read.voiceLpf, start.voiceLpf, kVoiceLpfChoiceCount},
                         {read.resample, start.resample, kResampleChoiceCount},
                         {read.cacheSize, start.cacheSize, kCacheSizeCount},
                         {read.noiseShaping, start.noiseShaping, kNoiseShapingChoiceCount}};
  for (const auto &row : rows) Check(row[0] == row[1] || (row[0] >= 0 && row[0] < row[2]));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size) {
  FuzzedDataProvider data(bytes, size);
  OptionValues values = ValuesFrom(data);
  std::string file = data.ConsumeRemainingBytesAsString();

  OptionValues read = DefaultOptionValues();
  ApplyOptionLines(&read, file);
  CheckReadValues(read, DefaultOptionValues());

  // The kept lines, then the foreign option lines, each whole and in file order.
  std::string kept, foreign;
  ForEachLine(file, [&](std::string_view line) {
    std::string_view option;
    bool isOption = FindOptionText(line, &option);
    if (!isOption) (kept += line) += kLineEnd;
    if (isOption && !ParseOption(option).managed) (foreign += line) += kLineEnd;
  });
  std::string once = RewriteOptionLines(file, values);
  Check(once == kept + kLineEnd + foreign + kLineEnd + BuildGeneratedBlock(values));
  Check(RewriteOptionLines(once, values) == once);
  return 0;
}
