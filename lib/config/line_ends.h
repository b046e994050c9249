// The line ends of orvane.cfg as the editor page handles them. Windows'
// multi-line edit breaks lines only at CR LF, so the page shows every line
// end as CR LF and writes them back in the form the file used.
#pragma once

#include <string>
#include <string_view>

enum class LineEnd { kCrLf, kLf, kCr };

// The form of the first line end in `bytes`; CR LF where there is none (a
// new, empty or one-line file).
LineEnd FirstLineEnd(std::string_view bytes);

// `text` with every line end, whatever its form (CR LF, a lone CR or a lone
// LF), as `end`. Other bytes are kept as they are: CR and LF never occur as
// the trail byte of a double-byte character in code page 932. May throw
// std::bad_alloc.
std::string WithLineEnds(std::string_view text, LineEnd end);
