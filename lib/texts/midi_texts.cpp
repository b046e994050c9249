#include "lib/texts/midi_texts.h"

namespace {

std::string Number(unsigned number) { return std::to_string(number); }

std::string Bits(const MidiRow &row) { return row.view == RegistryView::k64Bit ? "64" : "32"; }

// "Drivers32 midi1 (64-bit)", or "Drivers32 (64-bit)" for the view as a whole.
std::string DriverPlace(const MidiRow &row) {
  return "Drivers32" + (row.value.empty() ? "" : " " + row.value) + " (" + Bits(row) + "-bit): ";
}

std::string OtherBits(const MidiRow &row) { return row.view == RegistryView::k64Bit ? "32" : "64"; }

std::string LegacyModeInEnglish(uint32_t mode) {
  switch (mode) {
    case kNoLegacyMode:
      return "UseLegacyMidi is not set";
    case 0:
      return "UseLegacyMidi = 0: full mode";
    case 1:
      return "UseLegacyMidi = 1: legacy mode, winmm alone";
    case 2:
      return "UseLegacyMidi = 2: hybrid mode, where winmm programs do not see the service's new ports";
  }
  return "UseLegacyMidi = " + std::to_string(mode) + ": no known mode";
}

// Every kind has its words in each language: a kind added without them does
// not compile.
std::string InEnglish(const MidiRow &row) {
  const std::string mapper = "MIDI mapper (the default device): ";
  switch (row.kind) {
    case MidiRowKind::kOutputDevice:
      return "MIDI output " + Number(row.device) + ": " +
             (row.error.empty() ? row.name : "the system gives no name (" + row.error + ")");
    case MidiRowKind::kNoOutputDevice:
      return "MIDI output: none, so programs that play MIDI hear nothing";
    case MidiRowKind::kMapperDevice:
      return mapper + "plays to MIDI output " + Number(row.device) +
             (row.name.empty() ? "" : ", " + row.name);
    case MidiRowKind::kMapperNoPreferred:
      return mapper + "names no device";
    case MidiRowKind::kMapperNoAnswer:
      return mapper + "the system does not say which device it plays to (" + row.error + ")";
    case MidiRowKind::kDriver:
      return DriverPlace(row) + row.dll;
    case MidiRowKind::kDriverDllMissing:
      return DriverPlace(row) + row.dll +
             (row.folder.empty() ? " does not exist" : " is not in " + row.folder) + ", so " + Bits(row) +
             "-bit programs cannot load this driver";
    case MidiRowKind::kDriverOneView:
      return DriverPlace(row) + row.dll + " is registered for " + Bits(row) + "-bit programs only; " +
             OtherBits(row) + "-bit programs do not see this driver";
    case MidiRowKind::kNoDrivers:
      return DriverPlace(row) + "no MIDI driver registered";
    case MidiRowKind::kMidiServicesInactive:
      return "Windows MIDI Services: not active";
    case MidiRowKind::kMidiServicesActive:
      return "Windows MIDI Services: active (Drivers32 midi1 = wdmaud2.drv, MidisrvTransferComplete = 1); "
             "winmm still loads the drivers above, but the service may number the ports anew; " +
             LegacyModeInEnglish(row.legacyMode);
  }
  return "";
}

std::string DriverPlaceJa(const MidiRow &row) {
  return "Drivers32" + (row.value.empty() ? "" : " " + row.value) + "（" + Bits(row) + " ビット）: ";
}

std::string LegacyModeInJapanese(uint32_t mode) {
  switch (mode) {
    case kNoLegacyMode:
      return "UseLegacyMidi は設定されていません";
    case 0:
      return "UseLegacyMidi = 0: 完全モード";
    case 1:
      return "UseLegacyMidi = 1: 従来モード（winmm のみ）";
    case 2:
      return "UseLegacyMidi = 2: ハイブリッドモード（winmm "
             "のプログラムからはサービスの新しいポートが見えません）";
  }
  return "UseLegacyMidi = " + std::to_string(mode) + ": 不明なモード";
}

std::string InJapanese(const MidiRow &row) {
  const std::string mapper = "MIDI マッパー（既定のデバイス）";
  switch (row.kind) {
    case MidiRowKind::kOutputDevice:
      return "MIDI 出力 " + Number(row.device) + ": " +
             (row.error.empty() ? row.name : "名前を取得できません（" + row.error + "）");
    case MidiRowKind::kNoOutputDevice:
      return "MIDI 出力デバイスがありません（MIDI を再生するプログラムの音は出ません）";
    case MidiRowKind::kMapperDevice:
      return mapper + "の出力先: MIDI 出力 " + Number(row.device) + (row.name.empty() ? "" : " " + row.name);
    case MidiRowKind::kMapperNoPreferred:
      return mapper + "の出力先はありません";
    case MidiRowKind::kMapperNoAnswer:
      return mapper + "の出力先をシステムから取得できません（" + row.error + "）";
    case MidiRowKind::kDriver:
      return DriverPlaceJa(row) + row.dll;
    case MidiRowKind::kDriverDllMissing:
      return DriverPlaceJa(row) + row.dll +
             (row.folder.empty() ? " がありません" : " が " + row.folder + " にありません") + "（" +
             Bits(row) + " ビットのプログラムはこのドライバを読み込めません）";
    case MidiRowKind::kDriverOneView:
      return DriverPlaceJa(row) + row.dll + " は " + Bits(row) +
             " ビットのプログラムにだけ登録されています（" + OtherBits(row) +
             " ビットのプログラムからは見えません）";
    case MidiRowKind::kNoDrivers:
      return DriverPlaceJa(row) + "MIDI ドライバは登録されていません";
    case MidiRowKind::kMidiServicesInactive:
      return "Windows MIDI Services: 使われていません";
    case MidiRowKind::kMidiServicesActive:
      return "Windows MIDI Services: 有効です（Drivers32 midi1 = wdmaud2.drv、MidisrvTransferComplete = "
             "1。ドライバは winmm から読み込まれますが、ポートの番号が変わることがあります）。" +
             LegacyModeInJapanese(row.legacyMode);
  }
  return "";
}

}  // namespace

std::string DescribeMidiRow(const MidiRow &row, Language language) {
  return language == Language::kJapanese ? InJapanese(row) : InEnglish(row);
}
