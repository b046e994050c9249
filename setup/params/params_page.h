// What the driver parameters page shows, and how its entries become values
// of the set: the page's tables and conversions, apart from its controls.
#pragma once

#include "lib/config/driver_params.h"

// How an edit's whole number stands for its value.
enum class EntryKind {
  kInteger,      // the value itself, limited on save
  kWhole,        // a double shown truncated and stored as the number entered
  kThousandths,  // a double shown times 1000; the entry times 0.001, limited
};

struct ParamsPageEdit {
  int id;
  ParamField field;
  EntryKind kind;
  double low;  // the save's limits, both ends included
  double high;
};

extern const ParamsPageEdit ParamsPageEdits[19];

// The override check boxes, each one bit of OverWriteFlags.
struct ParamsPageCheckBox {
  int id;
  ParamField flag;
};

extern const ParamsPageCheckBox OverrideCheckBoxes[6];

// The number an edit shows for the set's value.
int ShownEntry(const DriverParams &params, const ParamsPageEdit &edit);
// Takes the number read from an edit into the set.
void StoreEntry(DriverParams *params, const ParamsPageEdit &edit, int entry);
