#include "lib/config/unseen_change.h"

#include <algorithm>
#include <iterator>
#include <tuple>

#include "lib/config/option_reader.h"

namespace {

// Every member but the effect boxes, which are compared on their own.
auto Members(const OptionValues &v) {
  return std::tie(v.volume, v.drumPower, v.polyphony, v.sampleRate, v.chorus, v.reverb, v.voiceLpf,
                  v.resample, v.cacheSize, v.noiseShaping, v.chorusLevelOn, v.reverbLevelOn, v.chorusLevel,
                  v.reverbLevel, v.mode, v.byteSwap, v.fastPanning, v.fastDecay, v.unloadInstruments,
                  v.latency, v.resampleN, v.pseudoReverb);
}

}  // namespace

SeenFile ReadSeenFile(const char *path) {
  SeenFile file;
  file.status = ReadWholeFile(path, &file.bytes);
  if (file.status != ReadStatus::kOk) file.bytes.clear();
  return file;
}

bool BytesChangedSince(const SeenFile &seen, const SeenFile &now) {
  if (now.status == ReadStatus::kMissing) return false;
  return seen.status != ReadStatus::kOk || now.status != ReadStatus::kOk || seen.bytes != now.bytes;
}

OptionValues FileOptions(std::string_view fileText) {
  OptionValues values = DefaultOptionValues();
  ApplyOptionLines(&values, fileText);
  return values;
}

bool SameOptionValues(const OptionValues &a, const OptionValues &b) {
  return Members(a) == Members(b) &&
         std::equal(std::begin(a.effects), std::end(a.effects), std::begin(b.effects));
}
