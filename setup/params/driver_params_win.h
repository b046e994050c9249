// The one parameter set of the process and its file in the Windows directory.
#pragma once

#include "lib/config/driver_params.h"

// Every field is 0 until the first load.
extern DriverParams g_driverParams;

// Fills the set from the file; a missing file or one of the older layout is
// written converted at once.
void LoadDriverParams();
// True when the file now gives other values than the set was last loaded
// from or saved as, for what a save writes; never after a load that could
// not read the file, whose saves all fail.
bool ParamsChangedSinceRead();
// Writes the set as it stands, 0 values included; a set not yet loaded is
// loaded first (and its conversion written), as at the page's start. False
// when nothing was written; always so after a load that could not read the
// file, until the next load that can.
bool SaveDriverParams();
