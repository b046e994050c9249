// Why a program may play nothing though both driver files are right: the
// MIDI side of the system as such a program meets it, read afresh through a
// table of calls and never written. The rows carry values, not sentences:
// each program words them (lib/texts/midi_texts.h).
#pragma once

#include <string>
#include <vector>

#include "lib/midi/midi_calls.h"

enum class MidiRowKind {
  // winmm's output devices, the ones this program sees.
  kOutputDevice,    // device, name (empty with `error`: the system gave no name)
  kNoOutputDevice,  // finding: programs playing MIDI hear nothing
  // The MIDI mapper, the default device most programs play to.
  kMapperDevice,       // device, name (empty when it is none of the devices listed)
  kMapperNoPreferred,  // it names no device
  kMapperNoAnswer,     // error: why the system did not say
  // User-mode drivers under Drivers32 (midi, midi1 to midi9), view by view.
  kDriver,            // view, value, dll
  kDriverDllMissing,  // finding: view, value, dll, folder (where it was looked for)
  kDriverOneView,     // finding: view (the one that has it), value, dll
  kNoDrivers,         // view
  // Windows MIDI Services (midi1 = wdmaud2.drv and MidisrvTransferComplete = 1).
  kMidiServicesInactive,
  kMidiServicesActive,  // legacyMode: UseLegacyMidi, kNoLegacyMode when it is not set
};

constexpr uint32_t kNoLegacyMode = 0xFFFFFFFFu;

struct MidiRow {
  MidiRowKind kind = MidiRowKind::kOutputDevice;
  bool finding = false;  // counts as a finding; else information
  unsigned device = 0;
  std::string name;
  std::string error;  // the system's own text for a failed call
  RegistryView view = RegistryView::k64Bit;
  std::string value;  // "midi", "midi1" ... "midi9"
  std::string dll;
  std::string folder;
  uint32_t legacyMode = kNoLegacyMode;
};

// The names of the Drivers32 values winmm loads MIDI drivers from, in its order.
extern const char *const kMidiDriverValues[10];

// Every row, in this order: the output devices (or the one row that there
// is none), the mapper's device, the drivers of the 64-bit view and then of
// the 32-bit view (a driver whose DLL is missing as that finding; a view with
// none as one row saying so), the drivers registered in one view only, and
// Windows MIDI Services.
std::vector<MidiRow> ReadMidiRows(const MidiCalls &calls);

// Whether any of `rows` is a finding.
bool HasMidiFinding(const std::vector<MidiRow> &rows);
