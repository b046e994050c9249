// A MIDI system of the test's own making behind the calls table: its
// devices, the mapper's answer, the Drivers32 values of each registry view
// and the files there are, with every playing call recorded in order and
// any call failing on demand. One lives at a time; its table is calls().
#pragma once

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "lib/midi/midi_calls.h"

class FakeMidi {
 public:
  // The handle an open device gets.
  static constexpr MidiOut kHandle = 7;

  FakeMidi() { current_ = this; }
  ~FakeMidi() { current_ = nullptr; }
  FakeMidi(const FakeMidi &) = delete;
  FakeMidi &operator=(const FakeMidi &) = delete;

  const MidiCalls &calls() const { return kCalls; }

  void SetString(RegistryView view, const std::string &name, const std::string &text) {
    values[{view, name}] = RegistryValue{false, text, 0};
  }
  void SetNumber(RegistryView view, const std::string &name, uint32_t number) {
    values[{view, name}] = RegistryValue{true, "", number};
  }
  // The same string in both views.
  void SetBoth(const std::string &name, const std::string &text) {
    SetString(RegistryView::k64Bit, name, text);
    SetString(RegistryView::k32Bit, name, text);
  }

  std::vector<std::string> devices;
  unsigned deviceCount = kCountOfDevices;  // else the count winmm gives
  std::map<unsigned, MidiResult> nameFailures;
  MidiResult mapperResult = kMidiOk;
  unsigned mapperDevice = 0;
  bool has64BitView = true;
  std::map<std::pair<RegistryView, std::string>, RegistryValue> values;
  std::set<std::string> files;  // full paths
  MidiResult openResult = kMidiOk, messageResult = kMidiOk, resetResult = kMidiOk, closeResult = kMidiOk;
  // "open ID", "message 0xHHHHHHHH", "reset", "close"; a call on another
  // handle than the open one adds "wrong handle".
  std::vector<std::string> log;
  // How many times the devices were counted or a registry value read.
  int queries = 0;

  static constexpr unsigned kCountOfDevices = ~0u;

  // The text errorText gives for `result`.
  static std::string ErrorText(MidiResult result) { return "error " + std::to_string(result); }
  static std::string Message(uint32_t message) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08x", static_cast<unsigned>(message));
    return std::string("message ") + text;
  }

 private:
  static FakeMidi &Now() { return *current_; }
  static void Check(MidiOut out) {
    if (out != kHandle) Now().log.push_back("wrong handle");
  }

  static unsigned DeviceCount() {
    ++Now().queries;
    return Now().deviceCount == kCountOfDevices ? static_cast<unsigned>(Now().devices.size())
                                                : Now().deviceCount;
  }
  static MidiResult DeviceName(unsigned id, std::string *name) {
    auto failure = Now().nameFailures.find(id);
    if (failure != Now().nameFailures.end()) return failure->second;
    *name = id < Now().devices.size() ? Now().devices[id] : "device " + std::to_string(id);
    return kMidiOk;
  }
  static MidiResult MapperDevice(unsigned *id) {
    if (Now().mapperResult == kMidiOk) *id = Now().mapperDevice;
    return Now().mapperResult;
  }
  static MidiResult Open(unsigned id, MidiOut *out) {
    Now().log.push_back("open " + std::to_string(id));
    if (Now().openResult == kMidiOk) *out = kHandle;
    return Now().openResult;
  }
  static MidiResult ShortMessage(MidiOut out, uint32_t message) {
    Check(out);
    Now().log.push_back(Message(message));
    return Now().messageResult;
  }
  static MidiResult Reset(MidiOut out) {
    Check(out);
    Now().log.push_back("reset");
    return Now().resetResult;
  }
  static MidiResult Close(MidiOut out) {
    Check(out);
    Now().log.push_back("close");
    return Now().closeResult;
  }
  static bool HasView(RegistryView view) { return view == RegistryView::k32Bit || Now().has64BitView; }
  static bool ReadValue(RegistryView view, const char *name, RegistryValue *value) {
    ++Now().queries;
    auto found = Now().values.find({view, name});
    if (found == Now().values.end()) return false;
    *value = found->second;
    return true;
  }
  static std::string SystemFolder(RegistryView view) {
    return view == RegistryView::k64Bit || !Now().has64BitView ? "C:\\windows\\system32"
                                                               : "C:\\windows\\syswow64";
  }
  static bool FileExists(RegistryView, const std::string &path) { return Now().files.count(path) > 0; }

  static inline FakeMidi *current_ = nullptr;
  static constexpr MidiCalls kCalls = {DeviceCount, DeviceName,   MapperDevice, ErrorText,
                                       Open,        ShortMessage, Reset,        Close,
                                       HasView,     ReadValue,    SystemFolder, FileExists};
};
