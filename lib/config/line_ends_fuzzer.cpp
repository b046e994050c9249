// Feeds arbitrary bytes to the editor's line-end conversion. Every text
// shown holds its line ends as CR LF only; a file whose line ends are all LF
// or all CR LF comes back byte for byte when shown and saved unchanged, and
// no save writes a lone CR.
#include <cstdlib>
#include <string>
#include <string_view>

#include "lib/config/line_ends.h"
#include "lib/files/lines.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// True when every CR in `text` starts a CR LF and every LF ends one.
bool OnlyCrLf(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return false;
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
  }
  return true;
}

// `bytes` with every CR and every LF byte standing for one line end of the
// form `end`: a file whose line ends all have that form.
std::string ConsistentFile(std::string_view bytes, LineEnd end) {
  const char *form = end == LineEnd::kLf ? "\n" : "\r\n";
  std::string file;
  for (char c : bytes) {
    if (c == '\r' || c == '\n')
      file += form;
    else
      file += c;
  }
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size) {
  if (size == 0) return 0;
  std::string_view bytes(reinterpret_cast<const char *>(data) + 1, size - 1);

  const std::string shown = WithLineEnds(bytes, LineEnd::kCrLf);
  Check(OnlyCrLf(shown));
  // Saving and showing again changes nothing the user saw.
  for (LineEnd end : {LineEnd::kCrLf, LineEnd::kLf})
    Check(WithLineEnds(WithLineEnds(shown, end), LineEnd::kCrLf) == shown);
  // An unedited save of the bytes as they came writes no lone CR.
  const std::string saved = WithLineEnds(shown, FirstLineEnd(bytes));
  for (size_t at = FindLineEnd(saved); at != std::string::npos; at = FindLineEnd(saved, at + 1))
    Check(!IsLoneCr(saved, at));

  const LineEnd end = data[0] % 2 ? LineEnd::kLf : LineEnd::kCrLf;
  const std::string file = ConsistentFile(bytes, end);
  const bool hasLineEnd = file.find_first_of("\r\n") != std::string::npos;
  Check(FirstLineEnd(file) == (hasLineEnd ? end : LineEnd::kCrLf));
  Check(WithLineEnds(WithLineEnds(file, LineEnd::kCrLf), FirstLineEnd(file)) == file);
  return 0;
}
