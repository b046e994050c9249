#include "lib/midi/midi_system.h"

#include <algorithm>

const char *const kMidiDriverValues[10] = {"midi",  "midi1", "midi2", "midi3", "midi4",
                                           "midi5", "midi6", "midi7", "midi8", "midi9"};

namespace {

// More output devices than any system has: a count beyond it is the
// system's error, and reading that many names would stall the page.
constexpr unsigned kDeviceLimit = 256;

constexpr RegistryView kViews[] = {RegistryView::k64Bit, RegistryView::k32Bit};

MidiRow Row(MidiRowKind kind, bool finding = false) {
  MidiRow row;
  row.kind = kind;
  row.finding = finding;
  return row;
}

// Registry value names and DLL names, as Windows compares them for these
// ASCII names: letter case does not count.
char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool SameName(const std::string &a, const std::string &b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Folded(x) == Folded(y); });
}

bool HasPath(const std::string &dll) { return dll.find_first_of("\\/:") != std::string::npos; }
std::string FileName(const std::string &dll) { return dll.substr(dll.find_last_of("\\/:") + 1); }

std::string Trimmed(const std::string &text) {
  size_t start = text.find_first_not_of(" \t"), end = text.find_last_not_of(" \t");
  return start == std::string::npos ? "" : text.substr(start, end - start + 1);
}

void ReadDevices(const MidiCalls &calls, std::vector<MidiRow> *rows) {
  unsigned count = std::min(calls.deviceCount(), kDeviceLimit);
  for (unsigned id = 0; id < count; ++id) {
    MidiRow row = Row(MidiRowKind::kOutputDevice);
    row.device = id;
    MidiResult result = calls.deviceName(id, &row.name);
    if (result != kMidiOk) {
      row.name.clear();
      row.error = calls.errorText(result);
    }
    rows->push_back(row);
  }
  if (count == 0) rows->push_back(Row(MidiRowKind::kNoOutputDevice, true));
}

void ReadMapper(const MidiCalls &calls, const std::vector<MidiRow> &devices, std::vector<MidiRow> *rows) {
  unsigned id = kNoPreferredDevice;
  MidiResult result = calls.mapperDevice(&id);
  if (result != kMidiOk) {
    MidiRow row = Row(MidiRowKind::kMapperNoAnswer);
    row.error = calls.errorText(result);
    rows->push_back(row);
    return;
  }
  if (id == kNoPreferredDevice) {
    rows->push_back(Row(MidiRowKind::kMapperNoPreferred));
    return;
  }
  MidiRow row = Row(MidiRowKind::kMapperDevice);
  row.device = id;
  for (const MidiRow &device : devices)
    if (device.kind == MidiRowKind::kOutputDevice && device.device == id) row.name = device.name;
  rows->push_back(row);
}

// The drivers `view` registers, each checked for its DLL: one named
// without a path is looked for in the view's system folder, as the loader
// of a program of that width looks first; one with a path where it says.
std::vector<MidiRow> ReadDrivers(const MidiCalls &calls, RegistryView view) {
  std::vector<MidiRow> drivers;
  for (const char *value : kMidiDriverValues) {
    RegistryValue found;
    if (!calls.readValue(view, value, &found) || found.isNumber) continue;
    std::string dll = Trimmed(found.text);
    if (dll.empty()) continue;
    std::string folder = HasPath(dll) ? "" : calls.systemFolder(view);
    bool present = calls.fileExists(view, folder.empty() ? dll : folder + "\\" + dll);
    MidiRow row = Row(present ? MidiRowKind::kDriver : MidiRowKind::kDriverDllMissing, !present);
    row.view = view;
    row.value = value;
    row.dll = dll;
    if (!present) row.folder = folder;
    drivers.push_back(row);
  }
  return drivers;
}

bool RegistersDll(const std::vector<MidiRow> &drivers, const std::string &dll) {
  return std::any_of(drivers.begin(), drivers.end(),
                     [&dll](const MidiRow &row) { return SameName(FileName(row.dll), FileName(dll)); });
}

// A driver of one view that the other view lacks (under any midiN value):
// the programs of the other width never see it.
void FindOneViewDrivers(const std::vector<MidiRow> &mine, const std::vector<MidiRow> &other,
                        std::vector<MidiRow> *rows) {
  for (const MidiRow &driver : mine) {
    if (RegistersDll(other, driver.dll)) continue;
    MidiRow row = driver;
    row.kind = MidiRowKind::kDriverOneView;
    row.finding = true;
    row.folder.clear();
    rows->push_back(row);
  }
}

// Windows MIDI Services has taken winmm's enumeration over where the system's
// own view says so (midi1 = wdmaud2.drv, MidisrvTransferComplete = 1).
MidiRow ReadMidiServices(const MidiCalls &calls) {
  RegistryView view = calls.hasView(RegistryView::k64Bit) ? RegistryView::k64Bit : RegistryView::k32Bit;
  RegistryValue midi1, transfer, legacy;
  bool active = calls.readValue(view, "midi1", &midi1) && !midi1.isNumber &&
                SameName(Trimmed(midi1.text), "wdmaud2.drv") &&
                calls.readValue(view, "MidisrvTransferComplete", &transfer) && transfer.isNumber &&
                transfer.number == 1;
  if (!active) return Row(MidiRowKind::kMidiServicesInactive);
  MidiRow row = Row(MidiRowKind::kMidiServicesActive);
  if (calls.readValue(view, "UseLegacyMidi", &legacy) && legacy.isNumber) row.legacyMode = legacy.number;
  return row;
}

}  // namespace

std::vector<MidiRow> ReadMidiRows(const MidiCalls &calls) {
  std::vector<MidiRow> rows;
  ReadDevices(calls, &rows);
  std::vector<MidiRow> devices = rows;
  ReadMapper(calls, devices, &rows);

  std::vector<MidiRow> drivers[2];
  for (RegistryView view : kViews) {
    if (!calls.hasView(view)) continue;
    std::vector<MidiRow> &mine = drivers[static_cast<int>(view)];
    mine = ReadDrivers(calls, view);
    rows.insert(rows.end(), mine.begin(), mine.end());
    if (mine.empty()) {
      MidiRow none = Row(MidiRowKind::kNoDrivers);
      none.view = view;
      rows.push_back(none);
    }
  }
  if (calls.hasView(RegistryView::k64Bit) && calls.hasView(RegistryView::k32Bit)) {
    FindOneViewDrivers(drivers[0], drivers[1], &rows);
    FindOneViewDrivers(drivers[1], drivers[0], &rows);
  }
  rows.push_back(ReadMidiServices(calls));
  return rows;
}

bool HasMidiFinding(const std::vector<MidiRow> &rows) {
  return std::any_of(rows.begin(), rows.end(), [](const MidiRow &row) { return row.finding; });
}
