#include "lib/config/option_writer.h"

#include <cstdarg>
#include <cstdio>

#include "lib/config/option_lines.h"
#include "lib/config/option_syntax.h"

const char kLineEnd[] = "\r\n";

namespace {

// Appends "#extension opt " and the formatted option as one line.
__attribute__((format(printf, 2, 3))) void AddOptionLine(std::string *out, const char *format, ...) {
  char small[128];
  va_list args, again;
  va_start(args, format);
  va_copy(again, args);
  int length = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  out->append("#extension opt ");
  if (length >= 0 && static_cast<size_t>(length) < sizeof small) {
    out->append(small, static_cast<size_t>(length));
  } else if (length > 0) {
    size_t at = out->size();
    out->resize(at + static_cast<size_t>(length) + 1);
    std::vsnprintf(&(*out)[at], static_cast<size_t>(length) + 1, format, again);
    out->resize(at + static_cast<size_t>(length));
  }
  va_end(again);
  out->append(kLineEnd);
}

template <class Row, size_t N>
const Row *SelectedRow(const Row (&rows)[N], int index) {
  return index >= 0 && static_cast<size_t>(index) < N ? &rows[index] : nullptr;
}

// "--chorus=n" or, with a level that is on and not 0, "--chorus=n,64".
template <size_t N>
void AddEffectLine(std::string *out, const char *name, const LetterChoice (&rows)[N], int row, bool levelOn,
                   const std::string &levelText) {
  const LetterChoice *choice = SelectedRow(rows, row);
  if (!choice) return;
  int32_t level = levelOn ? ReadDecimal(levelText) : 0;
  if (level != 0)
    AddOptionLine(out, "--%s=%c,%d", name, choice->letter, static_cast<int>(level));
  else
    AddOptionLine(out, "--%s=%c", name, choice->letter);
}

void AddLetterLine(std::string *out, const char *name, char letter) {
  AddOptionLine(out, "--%s=%c", name, letter);
}

// N only for the algorithms that take it, within their bounds.
void AddResampleN(std::string *out, const ResampleChoice *algorithm, const std::string &text) {
  if (!algorithm || algorithm->maxN == 0) return;
  int32_t n = ReadDecimal(text);
  AddOptionLine(out, "-N%d", n <= 0 ? algorithm->defaultN : n > algorithm->maxN ? algorithm->maxN : n);
}

}  // namespace

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
  AddOptionLine(&out, "--volume=%d", values.volume);
  AddOptionLine(&out, "--drum-power=%d", values.drumPower);
  AddEffectLine(&out, "chorus", ChorusChoices, values.chorus, values.chorusLevelOn, values.chorusLevel);
  AddEffectLine(&out, "reverb", ReverbChoices, values.reverb, values.reverbLevelOn, values.reverbLevel);
  if (const LetterChoice *lpf = SelectedRow(VoiceLpfChoices, values.voiceLpf))
    AddLetterLine(&out, "voice-lpf", lpf->letter);
  if (const int *rate = SelectedRow(SampleRates, values.sampleRate))
    AddOptionLine(&out, "--sampling-freq=%d", *rate);
  if (const int *voices = SelectedRow(PolyphonyLevels, values.polyphony))
    AddOptionLine(&out, "--polyphony=%d", *voices);
  AddOptionLine(&out, "-Od%cs1l%s", values.mode == OutputMode::kMono ? 'M' : 'S', values.byteSwap ? "x" : "");
  AddOptionLine(&out, "%s", BuildEffectFlags(values).c_str());
  const ResampleChoice *algorithm = SelectedRow(ResampleChoices, values.resample);
  if (algorithm) AddLetterLine(&out, "resample", algorithm->letter);
  double latency = ReadFraction(values.latency);
  AddOptionLine(&out, "--rtsyn-latency=%.03f", latency < 0.04 ? 0.04 : latency);
  AddResampleN(&out, algorithm, values.resampleN);
  if (values.fastPanning) AddOptionLine(&out, "--fast-panning");
  if (values.fastDecay) AddOptionLine(&out, "--fast-decay");
  if (values.unloadInstruments) AddOptionLine(&out, "-U");
  AddOptionLine(&out, "-R%d", Limited(ReadDecimal(values.pseudoReverb), Range{0, 1000}));
  if (const CacheSize *cache = SelectedRow(CacheSizes, values.cacheSize))
    AddOptionLine(&out, "-B%u", static_cast<unsigned>(cache->bytes));
  if (SelectedRow(NoiseShapingChoices, values.noiseShaping))
    AddOptionLine(&out, "-EFns=%d", values.noiseShaping);
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
