#include "lib/config/params_entries.h"

#include <gtest/gtest.h>

namespace {

using P = DriverParams;

const ParamsEntry &EntryOf(const ParamField &field) {
  const ParamsEntry *entry = FindParamsEntry(field);
  if (entry) return *entry;
  ADD_FAILURE() << "no entry";
  return ParamsEntries[0];
}

struct Entry {
  const char *name;
  ParamField field;
  int entry;
  double stored;
  int shownAfter;  // what a page filled from the stored set would show
};

const Entry kEntries[] = {
    {"VibratoDelay", &P::VibratoDelay, 2500, 2000, 2000},
    {"VibratoDelay", &P::VibratoDelay, -1, 0, 0},
    {"VibratoDepth", &P::VibratoDepth, 70000, 200, 200},  // limited, not cut to 16 bits (4464)
    {"VibratoDepth", &P::VibratoDepth, -70000, 0, 0},
    {"VelToRes", &P::VelToRes, -50, -50, -50},
    {"VelToRes", &P::VelToRes, -150, -100, -100},
    {"VelToFcThr", &P::VelToFcThr, 200, 120, 120},     // not cut to 8 bits (-56), which lies within the range
    {"VelToFcThr", &P::VelToFcThr, -150, -120, -120},  // nor to 106
    {"VelToFc", &P::VelToFc, 40000, 10000, 10000},     // nor to 16 bits (-25536), which would save -10000
    {"VelToFcThr", &P::VelToFcThr, 100, 100, 100},
    {"VelToFc", &P::VelToFc, -20000, -10000, -10000},
    {"TremoloDelay", &P::TremoloDelay, 1001, 1000, 1000},
    {"TremoloToPitch", &P::TremoloToPitch, 1500, 1000, 1000},
    {"ModEnvDelay", &P::ModEnvDelay, 0, 1, 1},  // an empty entry reads as 0
    {"ModEnvToFc", &P::ModEnvToFc, 12345, 10000, 10000},
    {"CutoffFreq", &P::CutoffFreq, 0, 0, 0},
    {"CutoffFreq", &P::CutoffFreq, 25000, 20000, 20000},
    {"Res", &P::Res, -201, -200, -200},
    {"EnvDelay", &P::EnvDelay, 5000, 1000, 1000},
    {"_VibratoDelay", &P::CalcVibratoDelay, -5, -5, -5},  // no limits
    {"_VibratoCent", &P::CalcVibratoCent, 123456, 123456, 123456},
    {"GS_OD_Drive", &P::GS_OD_Drive, 2500, 2.0, 2000},
    {"GS_OD_Drive", &P::GS_OD_Drive, -5, 0.001, 1},
    {"GS_OD_Drive", &P::GS_OD_Drive, 0, 0.001, 1},
    {"GS_OD_Level", &P::GS_OD_Level, 50, 0.05, 50},
    {"GS_OD_Level", &P::GS_OD_Level, 1234, 1.234, 1234},
};

TEST(ParamsPageEntries, AreLimitedOnSave) {
  for (const Entry &e : kEntries) {
    DriverParams params = {};
    StoreEntry(&params, EntryOf(e.field), e.entry);
    EXPECT_DOUBLE_EQ(ReadField(params, e.field), e.stored) << e.name << " " << e.entry;
    EXPECT_EQ(ShownEntry(params, EntryOf(e.field)), e.shownAfter) << e.name << " " << e.entry;
  }
}

TEST(ParamsPageEntries, ShowDoublesTruncatedTowardZero) {
  DriverParams params = {};
  params.GS_OD_Level = 0.1239;
  params.GS_OD_Drive = -0.0019;
  params.CalcVibratoCent = 55.9;
  params.VelToFcThr = -56;
  EXPECT_EQ(ShownEntry(params, EntryOf(&P::GS_OD_Level)), 123);
  EXPECT_EQ(ShownEntry(params, EntryOf(&P::GS_OD_Drive)), -1);
  EXPECT_EQ(ShownEntry(params, EntryOf(&P::CalcVibratoCent)), 55);
  EXPECT_EQ(ShownEntry(params, EntryOf(&P::VelToFcThr)), -56);
}

}  // namespace
