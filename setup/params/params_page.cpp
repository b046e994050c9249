#include "setup/params/params_page.h"

#include <cmath>

#include "setup/res/resource.h"

namespace {

using P = DriverParams;
using K = EntryKind;

}  // namespace

const ParamsPageEdit ParamsPageEdits[19] = {
    {IDC_VIBRATO_DELAY, &P::VibratoDelay, K::kInteger, 0, 2000},
    {IDC_VIBRATO_DEPTH, &P::VibratoDepth, K::kInteger, 0, 200},
    {IDC_VEL_TO_FC, &P::VelToFc, K::kInteger, -10000, 10000},
    {IDC_VEL_TO_RES, &P::VelToRes, K::kInteger, -100, 100},
    {IDC_VEL_TO_FC_THR, &P::VelToFcThr, K::kInteger, -120, 120},
    {IDC_TREMOLO_DELAY, &P::TremoloDelay, K::kInteger, 0, 1000},
    {IDC_TREMOLO_DEPTH, &P::TremoloDepth, K::kInteger, 0, 200},
    {IDC_TREMOLO_TO_FC, &P::TremoloToFc, K::kInteger, -10000, 10000},
    {IDC_TREMOLO_TO_PITCH, &P::TremoloToPitch, K::kInteger, -1000, 1000},
    {IDC_MODENV_DELAY, &P::ModEnvDelay, K::kInteger, 1, 2000},
    {IDC_MODENV_TO_PITCH, &P::ModEnvToPitch, K::kInteger, -1000, 1000},
    {IDC_MODENV_TO_FC, &P::ModEnvToFc, K::kInteger, -10000, 10000},
    {IDC_CUTOFF_FREQ, &P::CutoffFreq, K::kInteger, 0, 20000},
    {IDC_RES, &P::Res, K::kInteger, -200, 200},
    {IDC_ENV_DELAY, &P::EnvDelay, K::kInteger, 1, 1000},
    {IDC_CALC_VIBRATO_DELAY, &P::CalcVibratoDelay, K::kWhole, -HUGE_VAL, HUGE_VAL},
    {IDC_CALC_VIBRATO_CENT, &P::CalcVibratoCent, K::kWhole, -HUGE_VAL, HUGE_VAL},
    {IDC_OD_DRIVE, &P::GS_OD_Drive, K::kThousandths, 0.001, 2.0},
    {IDC_OD_LEVEL, &P::GS_OD_Level, K::kThousandths, 0.001, 2.0},
};

const ParamsPageCheckBox OverrideCheckBoxes[6] = {
    {IDC_OVERWRITE_VIBRATO, {&P::OverWriteFlags, 0}}, {IDC_OVERWRITE_TREMOLO, {&P::OverWriteFlags, 1}},
    {IDC_OVERWRITE_CUTOFF, {&P::OverWriteFlags, 2}},  {IDC_OVERWRITE_VEL, {&P::OverWriteFlags, 3}},
    {IDC_OVERWRITE_MODENV, {&P::OverWriteFlags, 4}},  {IDC_OVERWRITE_ENV, {&P::OverWriteFlags, 5}},
};

int ShownEntry(const DriverParams &params, const ParamsPageEdit &edit) {
  double value = ReadField(params, edit.field);
  return TruncatedToInt(edit.kind == K::kThousandths ? value * 1000.0 : value);
}

// Limits come before the value meets its field, and every range lies within
// its field's width: an entry above the range saves its upper end, never a
// value whose high bits were cut off.
void StoreEntry(DriverParams *params, const ParamsPageEdit &edit, int entry) {
  double value = edit.kind == K::kThousandths ? entry * 0.001 : entry;
  WriteField(params, edit.field, LimitedDouble(value, edit.low, edit.high));
}
