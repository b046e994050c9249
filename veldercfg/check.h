// How `velder-cfg check` prints the findings of the driver's two files and
// the rows of the MIDI system.
#pragma once

#include <string>

#include "lib/config/diagnosis.h"
#include "lib/midi/midi_system.h"

// "FILE:LINE: message", or "FILE: message" for the file as a whole, in English.
std::string FormatFinding(const Finding &finding);

// A row of the MIDI system as one line, in English.
std::string FormatMidiRow(const MidiRow &row);
