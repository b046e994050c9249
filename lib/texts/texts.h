// Every text the programs set in their windows, asked for by name. Each
// language has one table of them (texts.cpp); dialog templates hold the rest.
#pragma once

#include "lib/texts/language.h"

enum class TextId {
  // The setup window's tab labels, in the order of its page table.
  kTabEditor,
  kTabParams,
  kTabOptions,
  kTabReference,
  kTabDiagnosis,
  // Message boxes: a save that did not happen; the options page's apply;
  // the question before a page's write overwrites a change it has not seen,
  // one per page; the editor's question before it saves bytes it could not
  // show. kConfirmCaption is the caption of all but the first.
  kSaveFailed,
  kSaveFailedCaption,
  kOptionsWritten,
  kConfirmCaption,
  kCfgChangedQuestion,
  kOptionsChangedQuestion,
  kParamsChangedQuestion,
  kCfgUnshownBytesQuestion,
  // The editor page's choosers: file type filters (pairs of a description
  // and a pattern, ending in an empty one) and folder browser titles.
  kCfgFilter,
  kSoundFontFilter,
  kFolderTitle,
  kDirFolderTitle,
  // The options page's list entries; kNone opens the lists that start with
  // "none".
  kNone,
  kReverbStandard,
  kReverbStandardG,
  kReverbNew,
  kReverbNewG,
  kChorusStandard,
  kChorusSurround,
  kResampleOff,
  kResampleLinear,
  kResampleCSpline,
  kResampleLagrange,
  kResampleNewton,
  kResampleGauss,
  kVoiceLpfChamberlin,
  kVoiceLpfMoog,
  kNoiseShapingOff,
  kNoiseShapingClassic,
  kNoiseShapingOverdrive,
  kNoiseShapingTube,
  kNoiseShapingNew,
  // The diagnosis page's button and its one row when nothing is found.
  kRecheck,
  kNoProblem,
  // The test phrase: its button while idle and while it plays, the MIDI
  // mapper's entry in the list of devices, and its message boxes.
  kPlayPhrase,
  kStopPhrase,
  kMidiMapperDevice,
  kNoMidiDevice,
  kMidiOpenFailed,
  // The soundfonts page: its tab, its list's columns, what each entry's
  // file is (velder-cfg says these in English too), where a sourced entry
  // is from ("%s": the file's name), Add's refusal box, its choosers'
  // filters and its question before overwriting.
  kTabSoundfonts,
  kColumnFile,
  kColumnName,
  kColumnStatus,
  kColumnSize,
  kColumnOptions,
  kSoundfontOk,
  kSoundfontNotFound,
  kSoundfontUnreadable,
  kSoundfontNotSoundfont,
  kSoundfontTruncated,
  kSoundfontSourced,
  kSoundfontsNotAdded,
  kSoundfontListed,
  kSoundfontFolder,
  kSoundfontUnfit,
  kSoundfontsFilter,
  kSoundfontsChangedQuestion,
  kCount
};

// Japanese for code page 932, English for any other.
Language LanguageOfCodePage(unsigned codePage);

// The text `id` in `language`, in the bytes of that language's code page.
const char *TextIn(Language language, TextId id);
