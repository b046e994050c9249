// The diagnosis page: what is wrong in the driver's two files and in the
// MIDI system, diagnosed afresh each time the page is shown and on
// "再チェック"; it never writes. "試聴" plays a test phrase on a device.
#pragma once

#include <windows.h>

#include "lib/midi/midi_calls.h"

INT_PTR CALLBACK DiagnosisDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The MIDI calls the page makes from now on (kSystemMidiCalls unless a test says otherwise).
void UseMidiCalls(const MidiCalls &calls);
