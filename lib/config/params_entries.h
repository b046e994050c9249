// What the driver parameters page edits, apart from its controls: each
// number entry's field, how its whole number stands for the value and the
// limits of a save; the override flags; and how an entry moves between the
// set and the number shown.
#pragma once

#include "lib/config/driver_params.h"

// How an entry's whole number stands for its value.
enum class EntryKind {
  kInteger,      // the value itself, limited on save
  kWhole,        // a double shown truncated and stored as the number entered
  kThousandths,  // a double shown times 1000; the entry times 0.001, limited
};

struct ParamsEntry {
  ParamField field;
  EntryKind kind;
  double low;  // the save's limits, both ends included
  double high;
};

// In the page's order.
extern const ParamsEntry ParamsEntries[19];
// The entry that shows the field; null when none does.
const ParamsEntry *FindParamsEntry(const ParamField &field);

// The override flags, each one bit of OverWriteFlags, in the page's order.
extern const ParamField OverrideFlags[6];

// The number an entry shows for the set's value.
int ShownEntry(const DriverParams &params, const ParamsEntry &entry);
// Takes the number read from an entry into the set.
void StoreEntry(DriverParams *params, const ParamsEntry &entry, int number);
