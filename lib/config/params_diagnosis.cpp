// velder_soundfont.ini: what the setup program's load does to it.
#include "lib/config/diagnosis.h"
#include "lib/config/driver_params.h"
#include "lib/config/numbered_lines.h"

namespace {

// The last line that gives `key` in `section`, by the parser's rules; 0 when none.
int FindKeyLine(std::string_view text, std::string_view section, std::string_view key) {
  std::string_view current;
  bool inSection = false;
  int found = 0;
  ForEachNumberedLine(text, [&](std::string_view line, int number) {
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos) return;
    line.remove_prefix(start);
    if (line[0] == '[') {
      current = line.substr(1, line.find(']') - 1);
      inSection = true;
      return;
    }
    if (line[0] == ';' || !inSection || current != section) return;
    size_t keyStart = line.find_first_not_of('=');
    if (keyStart != std::string_view::npos &&
        line.substr(keyStart, line.find('=', keyStart) - keyStart) == key)
      found = number;
  });
  return found;
}

}  // namespace

void DiagnoseParamsText(const std::string &file, ReadStatus status, std::string_view text,
                        const FileSystemView &fs, std::vector<Finding> *findings) {
  if (status != ReadStatus::kOk) {
    AddFinding(findings, file, 0,
               status == ReadStatus::kMissing ? FindingKind::kParamsMissing : FindingKind::kParamsUnreadable);
    return;
  }
  DriverParams params = {};
  std::vector<ParamsFinding> found;
  ReadDriverParamsText(text, &params, &found);
  for (const ParamsFinding &f : found) {
    if (f.kind == ParamsFinding::kOlderLayout) {
      AddFinding(findings, file, 0, FindingKind::kParamsOlderLayout);
      continue;
    }
    Finding &finding = AddFinding(
        findings, file, FindKeyLine(text, f.section, f.key),
        f.kind == ParamsFinding::kNarrowed ? FindingKind::kParamNarrowed : FindingKind::kParamLimited);
    finding.section = f.section;
    finding.key = f.key;
    finding.text = fs.decode(f.text);
    finding.number = f.value;
  }
}
