#include "setup/params/params_page.h"

#include <gtest/gtest.h>

#include "setup/res/resource.h"

namespace {

const ParamsPageEdit &EditOf(int id) {
  for (const ParamsPageEdit &edit : ParamsPageEdits)
    if (edit.id == id) return edit;
  ADD_FAILURE() << "no edit " << id;
  return ParamsPageEdits[0];
}

struct Entry {
  int id;
  int entry;
  double stored;
  int shownAfter;  // what a page filled from the stored set would show
};

const Entry kEntries[] = {
    {IDC_VIBRATO_DELAY, 2500, 2000, 2000},
    {IDC_VIBRATO_DELAY, -1, 0, 0},
    {IDC_VIBRATO_DEPTH, 70000, 200, 200},  // limited, not cut to 16 bits (4464)
    {IDC_VIBRATO_DEPTH, -70000, 0, 0},
    {IDC_VEL_TO_RES, -50, -50, -50},
    {IDC_VEL_TO_RES, -150, -100, -100},
    {IDC_VEL_TO_FC_THR, 200, 120, 120},     // not cut to 8 bits (-56), which lies within the range
    {IDC_VEL_TO_FC_THR, -150, -120, -120},  // nor to 106
    {IDC_VEL_TO_FC, 40000, 10000, 10000},   // nor to 16 bits (-25536), which would save -10000
    {IDC_VEL_TO_FC_THR, 100, 100, 100},
    {IDC_VEL_TO_FC, -20000, -10000, -10000},
    {IDC_TREMOLO_DELAY, 1001, 1000, 1000},
    {IDC_TREMOLO_TO_PITCH, 1500, 1000, 1000},
    {IDC_MODENV_DELAY, 0, 1, 1},  // an empty entry reads as 0
    {IDC_MODENV_TO_FC, 12345, 10000, 10000},
    {IDC_CUTOFF_FREQ, 0, 0, 0},
    {IDC_CUTOFF_FREQ, 25000, 20000, 20000},
    {IDC_RES, -201, -200, -200},
    {IDC_ENV_DELAY, 5000, 1000, 1000},
    {IDC_CALC_VIBRATO_DELAY, -5, -5, -5},  // no limits
    {IDC_CALC_VIBRATO_CENT, 123456, 123456, 123456},
    {IDC_OD_DRIVE, 2500, 2.0, 2000},
    {IDC_OD_DRIVE, -5, 0.001, 1},
    {IDC_OD_DRIVE, 0, 0.001, 1},
    {IDC_OD_LEVEL, 50, 0.05, 50},
    {IDC_OD_LEVEL, 1234, 1.234, 1234},
};

TEST(ParamsPageEntries, AreLimitedOnSave) {
  for (const Entry &e : kEntries) {
    DriverParams params = {};
    StoreEntry(&params, EditOf(e.id), e.entry);
    EXPECT_DOUBLE_EQ(ReadField(params, EditOf(e.id).field), e.stored) << e.id << " " << e.entry;
    EXPECT_EQ(ShownEntry(params, EditOf(e.id)), e.shownAfter) << e.id << " " << e.entry;
  }
}

TEST(ParamsPageEntries, ShowDoublesTruncatedTowardZero) {
  DriverParams params = {};
  params.GS_OD_Level = 0.1239;
  params.GS_OD_Drive = -0.0019;
  params.CalcVibratoCent = 55.9;
  params.VelToFcThr = -56;
  EXPECT_EQ(ShownEntry(params, EditOf(IDC_OD_LEVEL)), 123);
  EXPECT_EQ(ShownEntry(params, EditOf(IDC_OD_DRIVE)), -1);
  EXPECT_EQ(ShownEntry(params, EditOf(IDC_CALC_VIBRATO_CENT)), 55);
  EXPECT_EQ(ShownEntry(params, EditOf(IDC_VEL_TO_FC_THR)), -56);
}

}  // namespace
