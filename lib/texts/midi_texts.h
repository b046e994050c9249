// The words of the MIDI system's rows on the diagnosis page and in
// velder-cfg check, in each language of the interface.
#pragma once

#include <string>

#include "lib/midi/midi_system.h"
#include "lib/texts/language.h"

// The row as one line, beginning with what it is about ("MIDI output 0: ...").
std::string DescribeMidiRow(const MidiRow &row, Language language);
