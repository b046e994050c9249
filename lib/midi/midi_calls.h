// The system calls the MIDI side of the diagnosis page and of velder-cfg
// make, winmm's and the registry's, as one table: the system's own
// (midi_calls_win.cpp), or a test's, which records and fails on demand.
#pragma once

#include <cstdint>
#include <string>

// A result as winmm gives it: 0 for success, else an MMSYSERR_ or MIDIERR_ code.
using MidiResult = unsigned;
constexpr MidiResult kMidiOk = 0;

// The device id of the MIDI mapper, which plays to the system's default device.
constexpr unsigned kMidiMapper = 0xFFFFFFFFu;
// The mapper's answer when no device qualifies as its preferred one.
constexpr unsigned kNoPreferredDevice = 0xFFFFFFFFu;

// An open output device, as the table's calls know it.
using MidiOut = intptr_t;

// The two registry views of a 64-bit Windows: the one 64-bit programs read
// by default and the one 32-bit programs do. A 32-bit Windows has the 32-bit
// view alone.
enum class RegistryView { k64Bit, k32Bit };

// A registry value under Drivers32: a string (REG_SZ, REG_EXPAND_SZ) or a
// number (REG_DWORD).
struct RegistryValue {
  bool isNumber = false;
  std::string text;
  uint32_t number = 0;
};

struct MidiCalls {
  // winmm's output devices: midiOutGetNumDevs, midiOutGetDevCapsA (the
  // device's name), midiOutMessage(MIDI_MAPPER, DRVM_MAPPER_PREFERRED_GET)
  // (the mapper's device id) and midiOutGetErrorTextA.
  unsigned (*deviceCount)();
  MidiResult (*deviceName)(unsigned id, std::string *name);
  MidiResult (*mapperDevice)(unsigned *id);
  std::string (*errorText)(MidiResult result);
  // Playing: midiOutOpen (no callback), midiOutShortMsg, midiOutReset, midiOutClose.
  MidiResult (*open)(unsigned id, MidiOut *out);
  MidiResult (*shortMessage)(MidiOut out, uint32_t message);
  MidiResult (*reset)(MidiOut out);
  MidiResult (*close)(MidiOut out);
  // Whether the system has `view`: the 32-bit view always, the 64-bit one on 64-bit Windows.
  bool (*hasView)(RegistryView view);
  // The value `name` under HKLM\Software\Microsoft\Windows NT\CurrentVersion\Drivers32
  // in `view`; false when there is none (or the key is missing, or it is of another type).
  bool (*readValue)(RegistryView view, const char *name, RegistryValue *value);
  // The system folder from which programs of the view's width load DLLs
  // named without a path (System32, or SysWOW64 for 32-bit programs on a
  // 64-bit Windows), by the name users know it by.
  std::string (*systemFolder)(RegistryView view);
  // Whether `path` is a file as programs of the view's width see it (past
  // the redirection a 32-bit program's System32 is subject to).
  bool (*fileExists)(RegistryView view, const std::string &path);
};

// The system's own calls (on Windows; winmm is loaded at the first call).
extern const MidiCalls kSystemMidiCalls;
