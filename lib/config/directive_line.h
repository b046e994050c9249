// The directive lines of orvane.cfg: the soundfont, source and dir lines that
// name a file or a folder, and the line that the editor page's insertion
// buttons put in.
#pragma once

#include <string_view>

// The first word after a soundfont, source or dir directive: in double
// quotes, or up to the first blank. False for any other line.
bool FindDirective(std::string_view line, std::string_view *directive, std::string_view *target);

// `format` with its one "%s" replaced by the whole of `path`, however long,
// in a new block that the caller frees with free(); null when memory runs
// out. The path goes in unchanged: no quoting, escaping or separator added.
char *ComposeDirective(const char *format, const char *path);
