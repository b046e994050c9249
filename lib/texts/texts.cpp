#include "lib/texts/texts.h"

#include <cstddef>

namespace {

struct TextRow {
  TextId id;
  const char *text;
};

// To add a text: a name in TextId, then its row in each table below, at the
// same place. The Japanese texts are code page 932 bytes; the English ones
// 7-bit ASCII, which every code page shows alike. Names of files and of the
// program stay the same in both.
constexpr TextRow kJapanese[] = {
    {TextId::kTabEditor, "orvane.cfg"},
    {TextId::kTabParams, "ドライバ設定(soundfont.ini)"},
    {TextId::kTabOptions, "ドライバ設定"},
    {TextId::kTabReference, "コマンドラインオプション一覧"},
    {TextId::kTabDiagnosis, "診断"},
    {TextId::kSaveFailed, "ファイルの保存に失敗しました"},
    {TextId::kSaveFailedCaption, "エラー"},
    {TextId::kOptionsWritten, "orvane.cfg に書き込みました"},
    {TextId::kConfirmCaption, "確認"},
    {TextId::kCfgChangedQuestion, "orvane.cfg は読み込んだ後に変更されています。上書きしますか？"},
    {TextId::kOptionsChangedQuestion,
     "orvane.cfg のオプションは読み込んだ後に変更されています。上書きしますか？"},
    {TextId::kParamsChangedQuestion,
     "velder_soundfont.ini は読み込んだ後に変更されています。上書きしますか？"},
    {TextId::kCfgUnshownBytesQuestion,
     "orvane.cfg には、このページで表示できないバイトがあります。保存すると変わります。保存しますか？"},
    {TextId::kCfgFilter, "定義ファイル (*.cfg)\0*.cfg\0"},
    {TextId::kSoundFontFilter, "サウンドフォント (*.sf2)\0*.sf2\0"},
    {TextId::kFolderTitle, "フォルダを選択して下さい"},
    {TextId::kDirFolderTitle, "dirとして追加するフォルダを選択してください"},
    {TextId::kNone, "なし"},
    {TextId::kReverbStandard, "標準リバーヴ"},
    {TextId::kReverbStandardG, "標準リバーヴ (G)"},
    {TextId::kReverbNew, "新リバーヴ"},
    {TextId::kReverbNewG, "新リバーヴ (G)"},
    {TextId::kChorusStandard, "標準コーラス"},
    {TextId::kChorusSurround, "サラウンドコーラス"},
    {TextId::kResampleOff, "無効 (一番軽い)"},
    {TextId::kResampleLinear, "線形 (軽い)"},
    {TextId::kResampleCSpline, "C スプライン (そこそこ重い)"},
    {TextId::kResampleLagrange, "ラグランジュ (そこそこ重い)"},
    {TextId::kResampleNewton, "ニュートン (死ぬほど重い)"},
    {TextId::kResampleGauss, "ガウス (滅茶苦茶重い/default)"},
    {TextId::kVoiceLpfChamberlin, "LPF 12db/oct Chamberlin LPF"},
    {TextId::kVoiceLpfMoog, "LPF 24db/oct Moog VCF"},
    {TextId::kNoiseShapingOff, "ノイズシェーピングなし"},
    {TextId::kNoiseShapingClassic, "従来のノイズシェーピング"},
    {TextId::kNoiseShapingOverdrive, "過負荷風ソフトクリッピング+新ノイズシェーピング"},
    {TextId::kNoiseShapingTube, "真空管風ソフトクリッピング+新ノイズシェーピング"},
    {TextId::kNoiseShapingNew, "新ノイズシェーピング"},
    {TextId::kRecheck, "再チェック"},
    {TextId::kNoProblem, "問題は見つかりませんでした"},
    {TextId::kPlayPhrase, "試聴"},
    {TextId::kStopPhrase, "停止"},
    {TextId::kMidiMapperDevice, "MIDI マッパー（既定のデバイス）"},
    {TextId::kNoMidiDevice, "MIDI 出力デバイスがないため、試聴できません。"},
    {TextId::kMidiOpenFailed, "次の MIDI 出力デバイスを開けませんでした:"},
    {TextId::kTabSoundfonts, "サウンドフォント"},
    {TextId::kColumnFile, "ファイル"},
    {TextId::kColumnName, "名前"},
    {TextId::kColumnStatus, "状態"},
    {TextId::kColumnSize, "大きさ"},
    {TextId::kColumnOptions, "オプション"},
    {TextId::kSoundfontOk, "OK"},
    {TextId::kSoundfontNotFound, "見つかりません"},
    {TextId::kSoundfontUnreadable, "読めません"},
    {TextId::kSoundfontNotSoundfont, "SoundFont ではありません"},
    {TextId::kSoundfontTruncated, "途中で切れています"},
    {TextId::kSoundfontSourced, "%s から"},
    {TextId::kSoundfontsNotAdded, "次のファイルは追加しませんでした:"},
    {TextId::kSoundfontListed, "すでに一覧にあります"},
    {TextId::kSoundfontFolder, "フォルダです"},
    {TextId::kSoundfontUnfit, "orvane.cfg に書けない名前です"},
    {TextId::kSoundfontsFilter, "サウンドフォント (*.sf2)\0*.sf2\0すべてのファイル (*.*)\0*.*\0"},
    {TextId::kSoundfontsChangedQuestion,
     "orvane.cfg のサウンドフォントは読み込んだ後に変更されています。上書きしますか？"},
};

constexpr TextRow kEnglish[] = {
    {TextId::kTabEditor, "orvane.cfg"},
    {TextId::kTabParams, "Driver parameters (soundfont.ini)"},
    {TextId::kTabOptions, "Synthesizer options"},
    {TextId::kTabReference, "Command-line options"},
    {TextId::kTabDiagnosis, "Diagnosis"},
    {TextId::kSaveFailed, "The file could not be saved."},
    {TextId::kSaveFailedCaption, "Error"},
    {TextId::kOptionsWritten, "orvane.cfg has been written."},
    {TextId::kConfirmCaption, "Confirmation"},
    {TextId::kCfgChangedQuestion, "orvane.cfg has changed since it was read. Overwrite it?"},
    {TextId::kOptionsChangedQuestion,
     "The options in orvane.cfg have changed since they were read. Overwrite them?"},
    {TextId::kParamsChangedQuestion, "velder_soundfont.ini has changed since it was read. Overwrite it?"},
    {TextId::kCfgUnshownBytesQuestion,
     "orvane.cfg holds bytes this page cannot show; saving will change them. Save anyway?"},
    {TextId::kCfgFilter, "Configuration files (*.cfg)\0*.cfg\0"},
    {TextId::kSoundFontFilter, "SoundFonts (*.sf2)\0*.sf2\0"},
    {TextId::kFolderTitle, "Choose a folder"},
    {TextId::kDirFolderTitle, "Choose a folder to add as dir"},
    {TextId::kNone, "None"},
    {TextId::kReverbStandard, "Standard reverb"},
    {TextId::kReverbStandardG, "Standard reverb (G)"},
    {TextId::kReverbNew, "New reverb"},
    {TextId::kReverbNewG, "New reverb (G)"},
    {TextId::kChorusStandard, "Standard chorus"},
    {TextId::kChorusSurround, "Surround chorus"},
    {TextId::kResampleOff, "Off (lightest)"},
    {TextId::kResampleLinear, "Linear (light)"},
    {TextId::kResampleCSpline, "C spline (fairly heavy)"},
    {TextId::kResampleLagrange, "Lagrange (fairly heavy)"},
    {TextId::kResampleNewton, "Newton (extremely heavy)"},
    {TextId::kResampleGauss, "Gauss (very heavy/default)"},
    {TextId::kVoiceLpfChamberlin, "LPF 12db/oct Chamberlin LPF"},
    {TextId::kVoiceLpfMoog, "LPF 24db/oct Moog VCF"},
    {TextId::kNoiseShapingOff, "No noise shaping"},
    {TextId::kNoiseShapingClassic, "Classic noise shaping"},
    {TextId::kNoiseShapingOverdrive, "Overdrive soft clipping + new noise shaping"},
    {TextId::kNoiseShapingTube, "Tube soft clipping + new noise shaping"},
    {TextId::kNoiseShapingNew, "New noise shaping"},
    {TextId::kRecheck, "&Check again"},
    {TextId::kNoProblem, "No problems were found."},
    {TextId::kPlayPhrase, "&Play test"},
    {TextId::kStopPhrase, "&Stop"},
    {TextId::kMidiMapperDevice, "MIDI mapper (the default device)"},
    {TextId::kNoMidiDevice, "There is no MIDI output device to play the test on."},
    {TextId::kMidiOpenFailed, "This MIDI output device could not be opened:"},
    {TextId::kTabSoundfonts, "Soundfonts"},
    {TextId::kColumnFile, "File"},
    {TextId::kColumnName, "Name"},
    {TextId::kColumnStatus, "Status"},
    {TextId::kColumnSize, "Size"},
    {TextId::kColumnOptions, "Options"},
    {TextId::kSoundfontOk, "OK"},
    {TextId::kSoundfontNotFound, "not found"},
    {TextId::kSoundfontUnreadable, "cannot be read"},
    {TextId::kSoundfontNotSoundfont, "not a SoundFont file"},
    {TextId::kSoundfontTruncated, "truncated"},
    {TextId::kSoundfontSourced, "in %s"},
    {TextId::kSoundfontsNotAdded, "These files were not added:"},
    {TextId::kSoundfontListed, "already in the list"},
    {TextId::kSoundfontFolder, "a folder"},
    {TextId::kSoundfontUnfit, "a name orvane.cfg cannot hold"},
    {TextId::kSoundfontsFilter, "SoundFonts (*.sf2)\0*.sf2\0All files (*.*)\0*.*\0"},
    {TextId::kSoundfontsChangedQuestion,
     "The soundfonts in orvane.cfg have changed since they were read. Overwrite them?"},
};

constexpr size_t kTextCount = static_cast<size_t>(TextId::kCount);

// A table is whole when it holds one row for each name, in the names' order,
// so that a name is its row's index.
template <size_t N>
constexpr bool Whole(const TextRow (&rows)[N]) {
  if (N != kTextCount) return false;
  for (size_t i = 0; i < N; ++i)
    if (static_cast<size_t>(rows[i].id) != i) return false;
  return true;
}
static_assert(Whole(kJapanese), "the Japanese table lacks a text or has one out of place");
static_assert(Whole(kEnglish), "the English table lacks a text or has one out of place");

}  // namespace

Language LanguageOfCodePage(unsigned codePage) {
  return codePage == 932 ? Language::kJapanese : Language::kEnglish;
}

const char *TextIn(Language language, TextId id) {
  const TextRow *rows = language == Language::kJapanese ? kJapanese : kEnglish;
  return rows[static_cast<size_t>(id)].text;
}
