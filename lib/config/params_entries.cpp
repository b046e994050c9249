#include "lib/config/params_entries.h"

#include <cmath>

namespace {

using P = DriverParams;
using K = EntryKind;

}  // namespace

const ParamsEntry ParamsEntries[19] = {
    {&P::VibratoDelay, K::kInteger, 0, 2000},
    {&P::VibratoDepth, K::kInteger, 0, 200},
    {&P::VelToFc, K::kInteger, -10000, 10000},
    {&P::VelToRes, K::kInteger, -100, 100},
    {&P::VelToFcThr, K::kInteger, -120, 120},
    {&P::TremoloDelay, K::kInteger, 0, 1000},
    {&P::TremoloDepth, K::kInteger, 0, 200},
    {&P::TremoloToFc, K::kInteger, -10000, 10000},
    {&P::TremoloToPitch, K::kInteger, -1000, 1000},
    {&P::ModEnvDelay, K::kInteger, 1, 2000},
    {&P::ModEnvToPitch, K::kInteger, -1000, 1000},
    {&P::ModEnvToFc, K::kInteger, -10000, 10000},
    {&P::CutoffFreq, K::kInteger, 0, 20000},
    {&P::Res, K::kInteger, -200, 200},
    {&P::EnvDelay, K::kInteger, 1, 1000},
    {&P::CalcVibratoDelay, K::kWhole, -HUGE_VAL, HUGE_VAL},
    {&P::CalcVibratoCent, K::kWhole, -HUGE_VAL, HUGE_VAL},
    {&P::GS_OD_Drive, K::kThousandths, 0.001, 2.0},
    {&P::GS_OD_Level, K::kThousandths, 0.001, 2.0},
};

const ParamField OverrideFlags[6] = {
    {&P::OverWriteFlags, 0}, {&P::OverWriteFlags, 1}, {&P::OverWriteFlags, 2},
    {&P::OverWriteFlags, 3}, {&P::OverWriteFlags, 4}, {&P::OverWriteFlags, 5},
};

const ParamsEntry *FindParamsEntry(const ParamField &field) {
  for (const ParamsEntry &entry : ParamsEntries)
    if (SameField(entry.field, field)) return &entry;
  return nullptr;
}

int ShownEntry(const DriverParams &params, const ParamsEntry &entry) {
  double value = ReadField(params, entry.field);
  return TruncatedToInt(entry.kind == K::kThousandths ? value * 1000.0 : value);
}

// Limits come before the value meets its field, and every range lies within
// its field's width: an entry above the range saves its upper end, never a
// value whose high bits were cut off.
void StoreEntry(DriverParams *params, const ParamsEntry &entry, int number) {
  double value = entry.kind == K::kThousandths ? number * 0.001 : number;
  WriteField(params, entry.field, LimitedDouble(value, entry.low, entry.high));
}
