// The directive line that the editor page's insertion buttons put in.
#pragma once

// `format` with its one "%s" replaced by the whole of `path`, however long,
// in a new block that the caller frees with free(); null when memory runs
// out. The path goes in unchanged: no quoting, escaping or separator added.
char *ComposeDirective(const char *format, const char *path);
