// Feeds arbitrary bytes to the soundfont list's portable code. As a file's
// start, the RIFF reader never reads beyond them and names at most 256
// bytes. As orvane.cfg's text with arbitrary edits of its entries, the
// rewrite leaves every other line byte for byte and in order, the file reads
// back as the edited entries, and with no edit it gives the text back whole.
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <string_view>
#include <vector>

#include "lib/config/soundfont_file.h"
#include "lib/config/soundfont_lines.h"
#include "lib/config/text.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// The lines that are no soundfont entry, as the text helpers split them,
// the CRs they end with counted with their line ends.
std::vector<std::string> OtherLines(std::string_view text) {
  std::vector<std::string> lines;
  SoundfontLine parts;
  ForEachLineWithNumber(text, [&](std::string_view line, int) {
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!ParseSoundfontLine(line, &parts)) lines.emplace_back(line);
  });
  return lines;
}

// The rows selected by the fuzzer's bits, ascending.
std::vector<size_t> Selection(FuzzedDataProvider &data, size_t count) {
  std::vector<size_t> selected;
  for (size_t i = 0; i < count; ++i)
    if (data.ConsumeBool()) selected.push_back(i);
  return selected;
}

void Edit(FuzzedDataProvider &data, std::vector<std::string> *rows) {
  std::string path = data.ConsumeRandomLengthString(16);
  std::vector<size_t> selected = Selection(data, rows->size());
  switch (data.ConsumeIntegralInRange(0, 4)) {
    case 0:
      if (FitsSoundfontLine(path)) rows->push_back(NewSoundfontLine(path));
      break;
    case 1:
      RemoveRows(rows, selected);
      break;
    case 2: {
      bool up = data.ConsumeBool();
      MoveRows(rows, selected, MovedPositions(selected, rows->size(), up));
      break;
    }
    case 3:
      for (size_t at : selected) (*rows)[at] = SwitchedSoundfontLine((*rows)[at], data.ConsumeBool());
      break;
    default:
      if (FitsSoundfontLine(path))
        for (size_t at : selected) (*rows)[at] = RelocatedSoundfontLine((*rows)[at], path);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size) {
  FuzzedDataProvider data(bytes, size);
  // A heap copy of the exact size, so that a read beyond it is caught.
  std::string head = data.ConsumeRandomLengthString(512);
  uint64_t fileSize = data.ConsumeIntegral<uint32_t>();
  SoundfontHead read = ReadSoundfontHead(std::string_view(head.data(), head.size()), fileSize);
  Check(read.name.size() <= kSoundfontNameLimit && read.name.find('\0') == std::string::npos);

  int edits = data.ConsumeIntegralInRange(0, 8);
  std::string editBytes = data.ConsumeBytesAsString(data.ConsumeIntegralInRange<size_t>(0, 256));
  std::string text = data.ConsumeRemainingBytesAsString();
  std::vector<std::string> rows = ReadSoundfontLines(text);
  Check(RewriteSoundfontLines(text, rows) == text);

  FuzzedDataProvider editData(reinterpret_cast<const uint8_t *>(editBytes.data()), editBytes.size());
  for (int i = 0; i < edits; ++i) Edit(editData, &rows);
  std::string rewritten = RewriteSoundfontLines(text, rows);
  Check(OtherLines(rewritten) == OtherLines(text));
  Check(ReadSoundfontLines(rewritten) == rows);
  return 0;
}
