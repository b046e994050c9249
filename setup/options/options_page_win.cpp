#include "setup/options/options_page_win.h"

#include <commctrl.h>

#include <cstdio>
#include <new>
#include <string>

#include "lib/config/option_reader.h"
#include "lib/config/option_writer.h"
#include "lib/config/unseen_change.h"
#include "lib/files/file_io.h"
#include "lib/texts/interface_text_win.h"
#include "setup/res/resource.h"
#include "setup/shell/driver_files_win.h"
#include "setup/shell/overwrite_question_win.h"
#include "setup/shell/save_failure_win.h"

namespace {

// The option values orvane.cfg gave over the defaults when the page last
// read or wrote it, so that "適用" asks before it overwrites a change to them
// that the page has not shown.
OptionValues g_seen;

// Which control holds which of the values.
struct ListControl {
  int id;
  int OptionValues::*row;
};

const ListControl kLists[] = {
    {IDC_SAMPLE_RATE, &OptionValues::sampleRate},
    {IDC_CHORUS, &OptionValues::chorus},
    {IDC_REVERB, &OptionValues::reverb},
    {IDC_VOICE_LPF, &OptionValues::voiceLpf},
    {IDC_RESAMPLE, &OptionValues::resample},
    {IDC_CACHE_SIZE, &OptionValues::cacheSize},
    {IDC_NOISE_SHAPING, &OptionValues::noiseShaping},
};

struct SliderControl {
  int id;
  int mirror;
  int OptionValues::*position;
  Range range;
  const int *shown;  // what the mirror shows per position; null: the position
};

const SliderControl kSliders[] = {
    {IDC_VOLUME, IDC_VOLUME_MIRROR, &OptionValues::volume, kVolumeRange, nullptr},
    {IDC_DRUM_POWER, IDC_DRUM_POWER_MIRROR, &OptionValues::drumPower, kDrumPowerRange, nullptr},
    {IDC_POLYPHONY, IDC_POLYPHONY_MIRROR, &OptionValues::polyphony, kPolyphonyRange, PolyphonyLevels},
};

struct BoxControl {
  int id;
  bool OptionValues::*checked;
};

const BoxControl kBoxes[] = {
    {IDC_CHORUS_LEVEL_ON, &OptionValues::chorusLevelOn},
    {IDC_REVERB_LEVEL_ON, &OptionValues::reverbLevelOn},
    {IDC_BYTE_SWAP, &OptionValues::byteSwap},
    {IDC_FAST_PANNING, &OptionValues::fastPanning},
    {IDC_FAST_DECAY, &OptionValues::fastDecay},
    {IDC_UNLOAD_INSTRUMENTS, &OptionValues::unloadInstruments},
};

// The effect boxes, by row of EffectFlags: w p v e t s o z j d x c q.
const int kEffectBoxes[] = {
    IDC_FX_MOD_WHEEL,        IDC_FX_PORTAMENTO, IDC_FX_NRPN_VIBRATO, IDC_FX_MOD_ENVELOPE, IDC_FX_TEXT_META,
    IDC_FX_CHANNEL_PRESSURE, IDC_FX_RETRIGGER,  IDC_FX_TEMPERAMENT,  IDC_FX_INSERTION,    IDC_FX_NRPN_DRUM,
    IDC_FX_TVA_ENVELOPE,     IDC_FX_CC94_DELAY, IDC_FX_EQ,
};
static_assert(sizeof kEffectBoxes / sizeof kEffectBoxes[0] == kEffectFlagCount, "one box per effect flag");

struct EditControl {
  int id;
  std::string OptionValues::*text;
};

const EditControl kEdits[] = {
    {IDC_CHORUS_LEVEL, &OptionValues::chorusLevel},
    {IDC_REVERB_LEVEL, &OptionValues::reverbLevel},
    {IDC_LATENCY, &OptionValues::latency},
    {IDC_RESAMPLE_N, &OptionValues::resampleN},
    {IDC_PSEUDO_REVERB, &OptionValues::pseudoReverb},
};

// The words of each list's rows, in the order of the model's table.
const TextId kReverbTexts[] = {TextId::kNone, TextId::kReverbStandard, TextId::kReverbStandardG,
                               TextId::kReverbNew, TextId::kReverbNewG};
const TextId kChorusTexts[] = {TextId::kNone, TextId::kChorusStandard, TextId::kChorusSurround};
const TextId kVoiceLpfTexts[] = {TextId::kNone, TextId::kVoiceLpfChamberlin, TextId::kVoiceLpfMoog};
const TextId kNoiseShapingTexts[] = {TextId::kNoiseShapingOff, TextId::kNoiseShapingClassic,
                                     TextId::kNoiseShapingOverdrive, TextId::kNoiseShapingTube,
                                     TextId::kNoiseShapingNew};
const TextId kResampleTexts[] = {TextId::kResampleOff,      TextId::kResampleLinear, TextId::kResampleCSpline,
                                 TextId::kResampleLagrange, TextId::kResampleNewton, TextId::kResampleGauss};
static_assert(sizeof kReverbTexts / sizeof kReverbTexts[0] == kReverbChoiceCount, "one text per reverb row");
static_assert(sizeof kChorusTexts / sizeof kChorusTexts[0] == kChorusChoiceCount, "one text per chorus row");
static_assert(sizeof kVoiceLpfTexts / sizeof kVoiceLpfTexts[0] == kVoiceLpfChoiceCount,
              "one text per LPF row");
static_assert(sizeof kNoiseShapingTexts / sizeof kNoiseShapingTexts[0] == kNoiseShapingChoiceCount,
              "one text per noise shaping row");
static_assert(sizeof kResampleTexts / sizeof kResampleTexts[0] == kResampleChoiceCount,
              "one text per resampling row");

void AddEntry(HWND page, int id, const char *text) {
  SendDlgItemMessageA(page, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

template <size_t N>
void FillList(HWND page, int id, const TextId (&texts)[N]) {
  for (TextId text : texts) AddEntry(page, id, UiText(text));
}

void FillLists(HWND page) {
  for (int rate : SampleRates) {
    char label[16];
    std::snprintf(label, sizeof label, "%d Hz ", rate);
    AddEntry(page, IDC_SAMPLE_RATE, label);
  }
  FillList(page, IDC_REVERB, kReverbTexts);
  FillList(page, IDC_CHORUS, kChorusTexts);
  FillList(page, IDC_VOICE_LPF, kVoiceLpfTexts);
  FillList(page, IDC_NOISE_SHAPING, kNoiseShapingTexts);
  FillList(page, IDC_RESAMPLE, kResampleTexts);
  // A cache of no bytes has no size to show.
  for (const CacheSize &size : CacheSizes)
    AddEntry(page, IDC_CACHE_SIZE, size.bytes ? size.label : UiText(TextId::kNone));
}

void UpdateMirror(HWND page, const SliderControl &slider) {
  int position = static_cast<int>(SendDlgItemMessageA(page, slider.id, TBM_GETPOS, 0, 0));
  SetDlgItemInt(page, slider.mirror, slider.shown ? slider.shown[position] : position, TRUE);
}

void UpdateMirrorOf(HWND page, HWND control) {
  int id = GetDlgCtrlID(control);
  for (const SliderControl &slider : kSliders)
    if (slider.id == id) UpdateMirror(page, slider);
}

std::string EditText(HWND page, int id) {
  HWND edit = GetDlgItem(page, id);
  std::string text(static_cast<size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(edit, &text[0], static_cast<int>(text.size()))));
  return text;
}

OptionValues ReadPage(HWND page) {
  OptionValues values;
  for (const ListControl &list : kLists)
    values.*list.row = static_cast<int>(SendDlgItemMessageA(page, list.id, CB_GETCURSEL, 0, 0));
  for (const SliderControl &slider : kSliders)
    values.*slider.position = static_cast<int>(SendDlgItemMessageA(page, slider.id, TBM_GETPOS, 0, 0));
  for (const BoxControl &box : kBoxes) values.*box.checked = IsDlgButtonChecked(page, box.id) == BST_CHECKED;
  for (int i = 0; i < kEffectFlagCount; ++i)
    values.effects[i] = IsDlgButtonChecked(page, kEffectBoxes[i]) == BST_CHECKED;
  for (const EditControl &edit : kEdits) values.*edit.text = EditText(page, edit.id);
  values.mode = IsDlgButtonChecked(page, IDC_MONO) == BST_CHECKED     ? OutputMode::kMono
                : IsDlgButtonChecked(page, IDC_STEREO) == BST_CHECKED ? OutputMode::kStereo
                                                                      : OutputMode::kUnset;
  return values;
}

void ShowOnPage(HWND page, const OptionValues &values) {
  for (const ListControl &list : kLists)
    SendDlgItemMessageA(page, list.id, CB_SETCURSEL, values.*list.row, 0);
  for (const SliderControl &slider : kSliders) {
    SendDlgItemMessageA(page, slider.id, TBM_SETPOS, TRUE, values.*slider.position);
    UpdateMirror(page, slider);
  }
  for (const BoxControl &box : kBoxes)
    CheckDlgButton(page, box.id, values.*box.checked ? BST_CHECKED : BST_UNCHECKED);
  for (int i = 0; i < kEffectFlagCount; ++i)
    CheckDlgButton(page, kEffectBoxes[i], values.effects[i] ? BST_CHECKED : BST_UNCHECKED);
  for (const EditControl &edit : kEdits) SetDlgItemTextA(page, edit.id, (values.*edit.text).c_str());
  CheckDlgButton(page, IDC_STEREO, values.mode == OutputMode::kStereo ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(page, IDC_MONO, values.mode == OutputMode::kMono ? BST_CHECKED : BST_UNCHECKED);
}

// Puts the options of orvane.cfg onto the page, over what it shows. A file
// that is missing or cannot be read leaves the page, and what it remembers
// of the file, as they are.
void LoadExtOptions(HWND page) {
  char path[MAX_PATH];
  if (!BuildDriverFilePath(path, kCfgFileName)) return;
  try {
    std::string text;
    if (ReadWholeFile(path, &text) != ReadStatus::kOk) return;
    OptionValues values = ReadPage(page);
    ApplyOptionLines(&values, text);
    ShowOnPage(page, values);
    g_seen = FileOptions(text);
  } catch (const std::bad_alloc &) {
    // Too large to hold: the page stays as it is, as for an unreadable file.
  }
}

// Rewrites orvane.cfg from the page, completely or not at all, after asking
// where its options have changed since the page read them. Fails when the
// file could not be read (it is then left alone) or not be written.
WriteOutcome SaveExtOptions(HWND page) {
  char path[MAX_PATH];
  if (!BuildDriverFilePath(path, kCfgFileName)) return WriteOutcome::kFailed;
  try {
    // Only a missing file counts as empty: one that cannot be read holds the
    // user's directives, which a rewrite would throw away.
    std::string text;
    ReadStatus status = ReadWholeFile(path, &text);
    if (status == ReadStatus::kFailed) return WriteOutcome::kFailed;
    if (status == ReadStatus::kOk && !SameOptionValues(FileOptions(text), g_seen) &&
        !AskToOverwrite(page, TextId::kOptionsChangedQuestion))
      return WriteOutcome::kDeclined;
    std::string rewritten = RewriteOptionLines(text, ReadPage(page));
    if (!SafeWriteInRun(ThisRun(), path, rewritten.data(), rewritten.size())) return WriteOutcome::kFailed;
    g_seen = FileOptions(rewritten);
    return WriteOutcome::kWritten;
  } catch (const std::bad_alloc &) {
    return WriteOutcome::kFailed;
  }
}

void InitOptionsPage(HWND page) {
  FillLists(page);
  for (const SliderControl &slider : kSliders)
    SendDlgItemMessageA(page, slider.id, TBM_SETRANGE, TRUE, MAKELPARAM(slider.range.low, slider.range.high));
  g_seen = DefaultOptionValues();
  ShowOnPage(page, g_seen);
  LoadExtOptions(page);
}

void ApplyOptions(HWND page) { ReportCfgWrite(page, SaveExtOptions(page)); }

void OnOptionsCommand(HWND page, WORD id) {
  switch (id) {
    case IDC_OPT_RELOAD:
      LoadExtOptions(page);
      break;
    case IDC_OPT_APPLY:
      ApplyOptions(page);
      break;
  }
}

}  // namespace

INT_PTR CALLBACK OptionsDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitOptionsPage(page);
      return TRUE;
    case WM_COMMAND:
      OnOptionsCommand(page, LOWORD(wParam));
      return FALSE;
    case WM_HSCROLL:
      UpdateMirrorOf(page, reinterpret_cast<HWND>(lParam));
      return FALSE;
    case WM_CLOSE:  // as the setup window answers; on a modeless child page EndDialog only hides it
      EndDialog(page, 1);
      return TRUE;
  }
  return FALSE;
}
