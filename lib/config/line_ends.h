// The line ends of orvane.cfg as the editor page handles them. Windows'
// multi-line edit breaks lines only at CR LF, so the page shows every line
// end as CR LF and writes them back in the form the file used.
#pragma once

#include <string>
#include <string_view>

enum class LineEnd { kCrLf, kLf };

// The form the editor writes a file in: that of its first line end that
// holds an LF (LF or CR LF); CR LF where none does (a new, empty or one-line
// file, or one of lone CRs only).
LineEnd FirstLineEnd(std::string_view bytes);

// `text` with every line end, whatever its form (CR LF, a lone CR or a lone
// LF, lib/files/lines.h), as `end`. Other bytes are kept as they are. May
// throw std::bad_alloc.
std::string WithLineEnds(std::string_view text, LineEnd end);
