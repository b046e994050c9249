// What `velder-cfg check` finds in the driver's two files: directives whose
// targets are missing, settings of the options page given more than once or
// with values the page cannot show, and what loading the parameter file
// changes. Nothing is written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "veldercfg/platform.h"

struct Finding {
  std::string file;
  int line;  // 0: the file as a whole
  std::string message;
};

// "FILE:LINE: message", or "FILE: message" for the file as a whole.
std::string FormatFinding(const Finding &finding);

// The first word after a soundfont, source or dir directive: in double
// quotes, or up to the first blank. False for any other line.
bool FindDirective(std::string_view line, std::string_view *directive, std::string_view *target);

// `path` as the file system names it: separators, and drive letters through
// the drive links.
std::string NativePath(std::string_view path, const FileSystemView &fs);

// Every finding of orvane.cfg (and the files it sources) and of
// velder_soundfont.ini at the given paths, file by file in line order.
std::vector<Finding> CheckDriverFiles(const std::string &cfg, const std::string &ini,
                                      const FileSystemView &fs);

// The findings of orvane.cfg's option lines, given the file's text.
void CheckOptionLines(const std::string &file, std::string_view text, const FileSystemView &fs,
                      std::vector<Finding> *findings);

// The findings of velder_soundfont.ini, given how reading it went.
void CheckParamsText(const std::string &file, ReadStatus status, std::string_view text,
                     const FileSystemView &fs, std::vector<Finding> *findings);
