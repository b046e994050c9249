#include "lib/config/diagnosis.h"

Finding &AddFinding(std::vector<Finding> *findings, const std::string &file, int line, FindingKind kind) {
  findings->emplace_back();
  Finding &finding = findings->back();
  finding.file = file;
  finding.line = line;
  finding.kind = kind;
  return finding;
}
