#include "veldercfg/check.h"

#include "lib/texts/finding_texts.h"
#include "lib/texts/midi_texts.h"

std::string FormatFinding(const Finding &finding) {
  std::string where = finding.file + (finding.line > 0 ? ":" + std::to_string(finding.line) : "");
  return where + ": " + DescribeFinding(finding, Language::kEnglish) + "\n";
}

std::string FormatMidiRow(const MidiRow &row) { return DescribeMidiRow(row, Language::kEnglish) + "\n"; }
