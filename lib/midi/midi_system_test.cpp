#include "lib/midi/midi_system.h"

#include <algorithm>
#include <gtest/gtest.h>

#include "tests/portable/fake_midi.h"

namespace {

using Kind = MidiRowKind;
constexpr RegistryView k64 = RegistryView::k64Bit, k32 = RegistryView::k32Bit;

// A row in a line of its own: kind, whether a finding, and the values it carries.
std::string Shown(const MidiRow &row) {
  std::string view = row.view == k64 ? "64" : "32";
  switch (row.kind) {
    case Kind::kOutputDevice:
      return "device " + std::to_string(row.device) + " " + row.name + row.error;
    case Kind::kNoOutputDevice:
      return "no device";
    case Kind::kMapperDevice:
      return "mapper " + std::to_string(row.device) + " " + row.name;
    case Kind::kMapperNoPreferred:
      return "mapper none";
    case Kind::kMapperNoAnswer:
      return "mapper silent " + row.error;
    case Kind::kDriver:
      return "driver " + view + " " + row.value + "=" + row.dll;
    case Kind::kDriverDllMissing:
      return "missing " + view + " " + row.value + "=" + row.dll + " in " + row.folder;
    case Kind::kDriverOneView:
      return "only " + view + " " + row.value + "=" + row.dll;
    case Kind::kNoDrivers:
      return "no drivers " + view;
    case Kind::kMidiServicesInactive:
      return "services off";
    case Kind::kMidiServicesActive:
      return "services on " + (row.legacyMode == kNoLegacyMode ? "-" : std::to_string(row.legacyMode));
  }
  return "";
}

std::vector<std::string> Rows(const FakeMidi &fake) {
  std::vector<std::string> shown;
  for (const MidiRow &row : ReadMidiRows(fake.calls()))
    shown.push_back(std::string(row.finding ? "! " : "") + Shown(row));
  return shown;
}

// A 64-bit system with the in-box synthesizer and the driver registered
// alike in both views, every DLL in place.
class MidiSystem : public testing::Test {
 protected:
  MidiSystem() {
    fake_.devices = {"Microsoft GS Wavetable Synth", "Velder MIDI"};
    fake_.mapperDevice = 0;
    fake_.SetBoth("midi", "wdmaud.drv");
    fake_.SetBoth("midi1", "velder.dll");
    fake_.SetString(k64, "wave", "wdmaud.drv");  // not a MIDI value
    for (const char *folder : {"C:\\windows\\system32\\", "C:\\windows\\syswow64\\"})
      for (const char *dll : {"wdmaud.drv", "velder.dll", "wdmaud2.drv"})
        fake_.files.insert(folder + std::string(dll));
  }
  FakeMidi fake_;
};

TEST_F(MidiSystem, AHealthySystemGivesInformationOnlyInItsOrder) {
  std::vector<std::string> expected = {
      "device 0 Microsoft GS Wavetable Synth",
      "device 1 Velder MIDI",
      "mapper 0 Microsoft GS Wavetable Synth",
      "driver 64 midi=wdmaud.drv",
      "driver 64 midi1=velder.dll",
      "driver 32 midi=wdmaud.drv",
      "driver 32 midi1=velder.dll",
      "services off",
  };
  EXPECT_EQ(Rows(fake_), expected);
  EXPECT_FALSE(HasMidiFinding(ReadMidiRows(fake_.calls())));
}

TEST_F(MidiSystem, FindsMissingDllsAndDriversOfOneViewOnly) {
  fake_.files.erase("C:\\windows\\syswow64\\velder.dll");
  fake_.values.erase({k32, "midi1"});
  fake_.SetString(k32, "midi3", "  VELDER.DLL ");        // the same driver under another number and case
  fake_.SetString(k64, "midi9", "D:\\synths\\x64.dll");  // a path is looked for where it says
  fake_.SetString(k32, "midi2", "extra.drv");
  fake_.SetNumber(k64, "midi4", 1);  // not a driver
  fake_.SetString(k64, "midi5", "");
  fake_.SetString(k64, "midi0", "ignored.dll");  // winmm reads no midi0
  std::vector<std::string> expected = {
      "device 0 Microsoft GS Wavetable Synth",
      "device 1 Velder MIDI",
      "mapper 0 Microsoft GS Wavetable Synth",
      "driver 64 midi=wdmaud.drv",
      "driver 64 midi1=velder.dll",
      "! missing 64 midi9=D:\\synths\\x64.dll in ",
      "driver 32 midi=wdmaud.drv",
      "! missing 32 midi2=extra.drv in C:\\windows\\syswow64",
      "! missing 32 midi3=VELDER.DLL in C:\\windows\\syswow64",
      "! only 64 midi9=D:\\synths\\x64.dll",
      "! only 32 midi2=extra.drv",
      "services off",
  };
  EXPECT_EQ(Rows(fake_), expected);
  EXPECT_TRUE(HasMidiFinding(ReadMidiRows(fake_.calls())));
}

TEST_F(MidiSystem, NoDeviceIsAFindingAndTheMappersFailuresAreInformation) {
  fake_.devices.clear();
  fake_.mapperResult = 6;  // MMSYSERR_NODRIVER
  std::vector<std::string> rows = Rows(fake_);
  ASSERT_GE(rows.size(), 2u);
  EXPECT_EQ(rows[0], "! no device");
  EXPECT_EQ(rows[1], "mapper silent " + FakeMidi::ErrorText(6));

  fake_.devices = {"A", "B"};
  fake_.nameFailures[0] = 2;  // MMSYSERR_BADDEVICEID
  fake_.mapperResult = kMidiOk;
  fake_.mapperDevice = kNoPreferredDevice;
  rows = Rows(fake_);
  EXPECT_EQ(std::vector<std::string>(rows.begin(), rows.begin() + 3),
            (std::vector<std::string>{"device 0 " + FakeMidi::ErrorText(2), "device 1 B", "mapper none"}));

  fake_.mapperDevice = 5;  // none of the devices listed
  EXPECT_EQ(Rows(fake_)[2], "mapper 5 ");

  fake_.deviceCount = 100000;  // a count no system has is not read to its end
  rows = Rows(fake_);
  EXPECT_EQ(std::count_if(rows.begin(), rows.end(),
                          [](const std::string &r) { return r.rfind("device ", 0) == 0; }),
            256);
}

TEST_F(MidiSystem, AThirtyTwoBitWindowsHasOneViewAndNoOneViewFindings) {
  fake_.has64BitView = false;
  fake_.values.clear();
  fake_.SetString(k32, "midi", "wdmaud.drv");
  fake_.SetString(k32, "midi1", "velder.dll");
  fake_.files = {"C:\\windows\\system32\\wdmaud.drv"};
  std::vector<std::string> rows = Rows(fake_);
  std::vector<std::string> drivers(rows.begin() + 3, rows.end());
  EXPECT_EQ(drivers, (std::vector<std::string>{"driver 32 midi=wdmaud.drv",
                                               "! missing 32 midi1=velder.dll in C:\\windows\\system32",
                                               "services off"}));
  fake_.values.clear();
  rows = Rows(fake_);
  EXPECT_EQ(std::vector<std::string>(rows.begin() + 3, rows.end()),
            (std::vector<std::string>{"no drivers 32", "services off"}));
}

TEST_F(MidiSystem, MidiServicesIsActiveOnlyWithBothValuesAndShowsItsMode) {
  struct Case {
    const char *midi1;
    bool transferIsNumber;
    uint32_t transfer;
    bool legacySet;
    uint32_t legacy;
    const char *shown;
  };
  const Case cases[] = {
      {"wdmaud2.drv", true, 1, true, 0, "services on 0"},  {"WdmAud2.drv", true, 1, true, 2, "services on 2"},
      {"wdmaud2.drv", true, 1, false, 0, "services on -"}, {"wdmaud2.drv", true, 0, true, 1, "services off"},
      {"wdmaud2.drv", false, 1, true, 1, "services off"},  // "1" as a string is not the flag
      {"velder.dll", true, 1, true, 1, "services off"},
  };
  for (const Case &c : cases) {
    fake_.SetString(k64, "midi1", c.midi1);
    fake_.SetString(k32, "midi1", c.midi1);
    if (c.transferIsNumber)
      fake_.SetNumber(k64, "MidisrvTransferComplete", c.transfer);
    else
      fake_.SetString(k64, "MidisrvTransferComplete", "1");
    fake_.values.erase({k64, "UseLegacyMidi"});
    if (c.legacySet) fake_.SetNumber(k64, "UseLegacyMidi", c.legacy);
    EXPECT_EQ(Rows(fake_).back(), c.shown) << c.midi1 << " " << c.transfer << " " << c.legacy;
  }
  // The system's own view decides: the same values in the 32-bit view alone do not.
  fake_.values.erase({k64, "MidisrvTransferComplete"});
  fake_.SetNumber(k32, "MidisrvTransferComplete", 1);
  fake_.SetString(k64, "midi1", "wdmaud2.drv");
  EXPECT_EQ(Rows(fake_).back(), "services off");
}

}  // namespace
