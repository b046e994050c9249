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

std::vector<Finding> DiagnoseDriverFiles(const std::string &cfg, const std::string &ini,
                                         const FileSystemView &fs) {
  std::vector<Finding> findings;
  std::string found, text;
  ReadStatus status =
      fs.find(cfg, &found) == PathKind::kMissing ? ReadStatus::kMissing : fs.read(cfg.c_str(), &text);
  if (status == ReadStatus::kMissing) {
    AddFinding(&findings, cfg, 0, FindingKind::kConfigMissing);
  } else if (status == ReadStatus::kFailed) {
    AddFinding(&findings, cfg, 0, FindingKind::kConfigUnreadable);
  } else {
    DiagnoseDirectives(found, text, fs, &findings);
    // Findings name orvane.cfg as it was asked for.
    for (Finding &finding : findings)
      if (finding.file == found) finding.file = cfg;
    DiagnoseOptionLines(cfg, text, fs, &findings);
  }
  text.clear();
  status = fs.read(ini.c_str(), &text);
  DiagnoseParamsText(ini, status, text, fs, &findings);

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
