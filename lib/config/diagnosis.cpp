#include "lib/config/diagnosis.h"

#include <algorithm>

Finding &AddFinding(std::vector<Finding> *findings, const std::string &file, int line, FindingKind kind) {
  findings->emplace_back();
  Finding &finding = findings->back();
  finding.file = file;
  finding.line = line;
  finding.kind = kind;
  return finding;
}

namespace {

// A copy of `file` in the VirtualStore: where the system redirects the
// writes of programs without a manifest into the folder of the driver's
// files, those programs read the copy too, while every other program (and
// the driver loaded into it) reads the file itself. Only reported: which of
// the two the user meant to keep is theirs to say.
void DiagnoseShadowCopy(const std::string &file, ReadStatus status, const std::string &text,
                        const std::string &virtualStore, const FileSystemView &fs,
                        std::vector<Finding> *findings) {
  if (virtualStore.empty()) return;
  std::string found, copy;
  std::string name = file.substr(file.find_last_of(fs.separator) + 1);
  if (fs.find(virtualStore + fs.separator + name, &found) != PathKind::kFile) return;
  Finding &finding = AddFinding(findings, file, 0, FindingKind::kShadowCopy);
  finding.path = found;
  if (status == ReadStatus::kMissing)
    finding.shadow = ShadowBytes::kNoRealFile;
  else if (status == ReadStatus::kOk && fs.read(found.c_str(), &copy) == ReadStatus::kOk)
    finding.shadow = copy == text ? ShadowBytes::kSame : ShadowBytes::kDiffer;
}

// Every line of `text` that ends in a lone CR, numbered as the editor shows it.
void DiagnoseLoneCrs(const std::string &file, std::string_view text, std::vector<Finding> *findings) {
  int number = 1;
  for (size_t at = FindLineEnd(text); at != std::string_view::npos;
       at = FindLineEnd(text, at + LineEndLength(text, at)), ++number)
    if (IsLoneCr(text, at)) AddFinding(findings, file, number, FindingKind::kLoneCr);
}

}  // namespace

std::vector<Finding> DiagnoseDriverFiles(const std::string &cfg, const std::string &ini,
                                         const std::string &virtualStore, const FileSystemView &fs) {
  std::vector<Finding> findings;
  std::string found, text;
  ReadStatus status =
      fs.find(cfg, &found) == PathKind::kMissing ? ReadStatus::kMissing : fs.read(cfg.c_str(), &text);
  if (status == ReadStatus::kMissing) AddFinding(&findings, cfg, 0, FindingKind::kConfigMissing);
  if (status == ReadStatus::kFailed) AddFinding(&findings, cfg, 0, FindingKind::kConfigUnreadable);
  DiagnoseShadowCopy(cfg, status, text, virtualStore, fs, &findings);
  if (status == ReadStatus::kOk) {
    DiagnoseDirectives(found, text, fs, &findings);
    // Findings name orvane.cfg as it was asked for.
    for (Finding &finding : findings)
      if (finding.file == found) finding.file = cfg;
    DiagnoseOptionLines(cfg, text, fs, &findings);
    DiagnoseLoneCrs(cfg, text, &findings);
  }
  text.clear();
  status = fs.read(ini.c_str(), &text);
  DiagnoseParamsText(ini, status, text, fs, &findings);
  if (status == ReadStatus::kOk) DiagnoseLoneCrs(ini, text, &findings);
  DiagnoseShadowCopy(ini, status, text, virtualStore, fs, &findings);

  // File by file in the order they were first named, each by line.
  std::vector<std::string> order;
  for (const Finding &finding : findings)
    if (std::find(order.begin(), order.end(), finding.file) == order.end()) order.push_back(finding.file);
  std::stable_sort(findings.begin(), findings.end(), [&](const Finding &a, const Finding &b) {
    auto rank = [&](const Finding &f) {
      return std::find(order.begin(), order.end(), f.file) - order.begin();
    };
    return rank(a) != rank(b) ? rank(a) < rank(b) : a.line < b.line;
  });
  return findings;
}
