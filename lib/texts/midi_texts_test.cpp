#include "lib/texts/midi_texts.h"

#include <gtest/gtest.h>

namespace {

MidiRow Of(MidiRowKind kind, RegistryView view = RegistryView::k64Bit) {
  MidiRow row;
  row.kind = kind;
  row.view = view;
  row.value = "midi1";
  row.dll = "velder.dll";
  return row;
}

// The rows whose words carry the most values, in both languages.
TEST(MidiTexts, EachRowSaysWhatItIsAboutAndItsValues) {
  MidiRow nameless = Of(MidiRowKind::kOutputDevice);
  nameless.device = 2;
  nameless.error = "bad id";
  MidiRow mapper = Of(MidiRowKind::kMapperDevice);
  mapper.device = 1;
  mapper.name = "Velder MIDI";
  MidiRow silent = Of(MidiRowKind::kMapperNoAnswer);
  silent.error = "No driver.";
  MidiRow missing = Of(MidiRowKind::kDriverDllMissing, RegistryView::k32Bit);
  missing.folder = "C:\\windows\\SysWOW64";
  MidiRow pathMissing = Of(MidiRowKind::kDriverDllMissing);
  pathMissing.dll = "D:\\x.dll";
  MidiRow none = Of(MidiRowKind::kNoDrivers, RegistryView::k32Bit);
  none.value.clear();
  MidiRow hybrid = Of(MidiRowKind::kMidiServicesActive);
  hybrid.legacyMode = 2;
  MidiRow unset = Of(MidiRowKind::kMidiServicesActive);
  const struct {
    MidiRow row;
    const char *japanese;
    const char *english;
  } cases[] = {
      {nameless, "MIDI 出力 2: 名前を取得できません（bad id）",
       "MIDI output 2: the system gives no name (bad id)"},
      {mapper, "MIDI マッパー（既定のデバイス）の出力先: MIDI 出力 1 Velder MIDI",
       "MIDI mapper (the default device): plays to MIDI output 1, Velder MIDI"},
      {silent, "MIDI マッパー（既定のデバイス）の出力先をシステムから取得できません（No driver.）",
       "MIDI mapper (the default device): the system does not say which device it plays to (No driver.)"},
      {missing,
       "Drivers32 midi1（32 ビット）: velder.dll が C:\\windows\\SysWOW64 にありません（32 "
       "ビットのプログラムはこのドライバを読み込めません）",
       "Drivers32 midi1 (32-bit): velder.dll is not in C:\\windows\\SysWOW64, so 32-bit programs cannot load "
       "this "
       "driver"},
      {pathMissing,
       "Drivers32 midi1（64 ビット）: D:\\x.dll がありません（64 "
       "ビットのプログラムはこのドライバを読み込めません）",
       "Drivers32 midi1 (64-bit): D:\\x.dll does not exist, so 64-bit programs cannot load this driver"},
      {Of(MidiRowKind::kDriverOneView, RegistryView::k32Bit),
       "Drivers32 midi1（32 ビット）: velder.dll は 32 ビットのプログラムにだけ登録されています（64 "
       "ビットのプログラムからは見えません）",
       "Drivers32 midi1 (32-bit): velder.dll is registered for 32-bit programs only; 64-bit programs do not "
       "see "
       "this driver"},
      {none, "Drivers32（32 ビット）: MIDI ドライバは登録されていません",
       "Drivers32 (32-bit): no MIDI driver registered"},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(DescribeMidiRow(c.row, Language::kJapanese), c.japanese);
    EXPECT_EQ(DescribeMidiRow(c.row, Language::kEnglish), c.english);
  }
  // MIDI Services' mode closes its row.
  std::string english = DescribeMidiRow(hybrid, Language::kEnglish);
  EXPECT_EQ(english.substr(english.rfind("; ") + 2),
            "UseLegacyMidi = 2: hybrid mode, where winmm programs do not see the service's new ports");
  english = DescribeMidiRow(unset, Language::kEnglish);
  EXPECT_EQ(english.substr(english.rfind("; ") + 2), "UseLegacyMidi is not set");
  unset.legacyMode = 7;
  std::string japanese = DescribeMidiRow(unset, Language::kJapanese);
  EXPECT_EQ(japanese.substr(japanese.rfind("。") + std::string("。").size()),
            "UseLegacyMidi = 7: 不明なモード");
}

}  // namespace
