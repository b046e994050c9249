// velder_soundfont.ini: what the setup program's load does to it.
#include "lib/config/diagnosis.h"
#include "lib/config/driver_params.h"

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
        findings, file, f.line,
        f.kind == ParamsFinding::kNarrowed ? FindingKind::kParamNarrowed : FindingKind::kParamLimited);
    finding.section = f.section;
    finding.key = f.key;
    finding.text = fs.decode(f.text);
    finding.number = f.value;
  }
}
