#include "lib/config/option_writer.h"

#include <cstdarg>
#include <cstdio>

#include "lib/config/option_lines.h"
#include "lib/config/option_syntax.h"

const char kLineEnd[] = "\r\n";

namespace {

// The formatted text, however long.
__attribute__((format(printf, 1, 2))) std::string Formatted(const char *format, ...) {
  char small[128];
  va_list args, again;
  va_start(args, format);
  va_copy(again, args);
  int length = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  std::string text;
  if (length >= 0 && static_cast<size_t>(length) < sizeof small) {
    text.assign(small, static_cast<size_t>(length));
  } else if (length > 0) {
    text.resize(static_cast<size_t>(length) + 1);
    std::vsnprintf(&text[0], text.size(), format, again);
    text.resize(static_cast<size_t>(length));
  }
  va_end(again);
  return text;
}

// Appends "#extension opt " and the option as one line.
void AddOptionLine(std::string *out, const std::string &option) {
  out->append("#extension opt ");
  out->append(option);
  out->append(kLineEnd);
}

template <class Row, size_t N>
const Row *SelectedRow(const Row (&rows)[N], int index) {
  return index >= 0 && static_cast<size_t>(index) < N ? &rows[index] : nullptr;
}

// "--chorus=n" or, with a level, "--chorus=n,64".
template <size_t N>
void AddEffectLine(std::string *out, const char *name, const LetterChoice (&rows)[N], int row, bool levelOn,
                   const std::string &levelText) {
  const LetterChoice *choice = SelectedRow(rows, row);
  if (!choice) return;
  int32_t level = WrittenLevel(levelOn, levelText);
  if (level != 0)
    AddOptionLine(out, Formatted("--%s=%c,%d", name, choice->letter, static_cast<int>(level)));
  else
    AddOptionLine(out, Formatted("--%s=%c", name, choice->letter));
}

void AddLetterLine(std::string *out, const char *name, char letter) {
  AddOptionLine(out, Formatted("--%s=%c", name, letter));
}

}  // namespace

int32_t WrittenLevel(bool on, std::string_view text) { return on ? ReadDecimal(text) : 0; }

std::string WrittenLatency(std::string_view text) {
  double seconds = ReadFraction(text);
  return Formatted("%.03f", seconds < 0.04 ? 0.04 : seconds);
}

int32_t WrittenResampleN(const ResampleChoice &algorithm, std::string_view text) {
  if (algorithm.maxN == 0) return 0;
  int32_t n = ReadDecimal(text);
  return n <= 0 ? algorithm.defaultN : n > algorithm.maxN ? algorithm.maxN : n;
}

int32_t WrittenPseudoReverb(std::string_view text) { return Limited(ReadDecimal(text), kPseudoReverbRange); }

std::string BuildEffectFlags(const OptionValues &values) {
  std::string flags = "-E";
  for (int i = 0; i < kEffectFlagCount; ++i) {
    char letter = EffectFlags[i].letter;
    flags += values.effects[i] ? letter : static_cast<char>(letter - 'a' + 'A');
  }
  return flags;
}

std::string BuildGeneratedBlock(const OptionValues &values) {
  std::string out;
  AddOptionLine(&out, Formatted("--volume=%d", values.volume));
  AddOptionLine(&out, Formatted("--drum-power=%d", values.drumPower));
  AddEffectLine(&out, "chorus", ChorusChoices, values.chorus, values.chorusLevelOn, values.chorusLevel);
  AddEffectLine(&out, "reverb", ReverbChoices, values.reverb, values.reverbLevelOn, values.reverbLevel);
  if (const LetterChoice *lpf = SelectedRow(VoiceLpfChoices, values.voiceLpf))
    AddLetterLine(&out, "voice-lpf", lpf->letter);
  if (const int *rate = SelectedRow(SampleRates, values.sampleRate))
    AddOptionLine(&out, Formatted("--sampling-freq=%d", *rate));
  if (const int *voices = SelectedRow(PolyphonyLevels, values.polyphony))
    AddOptionLine(&out, Formatted("--polyphony=%d", *voices));
  AddOptionLine(&out, Formatted("-Od%cs1l%s", values.mode == OutputMode::kMono ? 'M' : 'S',
                                values.byteSwap ? "x" : ""));
  AddOptionLine(&out, BuildEffectFlags(values));
  const ResampleChoice *algorithm = SelectedRow(ResampleChoices, values.resample);
  if (algorithm) AddLetterLine(&out, "resample", algorithm->letter);
  AddOptionLine(&out, "--rtsyn-latency=" + WrittenLatency(values.latency));
  int32_t n = algorithm ? WrittenResampleN(*algorithm, values.resampleN) : 0;
  if (n != 0) AddOptionLine(&out, Formatted("-N%d", static_cast<int>(n)));
  if (values.fastPanning) AddOptionLine(&out, "--fast-panning");
  if (values.fastDecay) AddOptionLine(&out, "--fast-decay");
  if (values.unloadInstruments) AddOptionLine(&out, "-U");
  AddOptionLine(&out, Formatted("-R%d", static_cast<int>(WrittenPseudoReverb(values.pseudoReverb))));
  if (const CacheSize *cache = SelectedRow(CacheSizes, values.cacheSize))
    AddOptionLine(&out, Formatted("-B%u", static_cast<unsigned>(cache->bytes)));
  if (values.noiseShaping >= kNoiseShapingRange.low && values.noiseShaping <= kNoiseShapingRange.high)
    AddOptionLine(&out, Formatted("-EFns=%d", values.noiseShaping));
  return out;
}

std::string RewriteOptionLines(std::string_view fileText, const OptionValues &values) {
  std::string kept, foreign;
  kept.reserve(fileText.size() + fileText.size() / 16);
  ForEachLine(fileText, [&](std::string_view line) {
    std::string_view option;
    bool isOption = FindOptionText(line, &option);
    if (isOption && ParseOption(option).managed) return;
    std::string &list = isOption ? foreign : kept;
    list.append(line);
    list.append(kLineEnd);
  });
  kept.append(kLineEnd);
  kept.append(foreign);
  kept.append(kLineEnd);
  kept.append(BuildGeneratedBlock(values));
  return kept;
}
