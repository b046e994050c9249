// How `velder-cfg check` words the findings of the driver's two files.
#pragma once

#include <string>
#include <vector>

#include "lib/config/diagnosis.h"

// What the finding says, without its place.
std::string DescribeFinding(const Finding &finding);
// "FILE:LINE: message", or "FILE: message" for the file as a whole.
std::string FormatFinding(const Finding &finding);

// The findings of orvane.cfg's option lines, given the file's text.
void DiagnoseOptionLines(const std::string &file, std::string_view text, const FileSystemView &fs,
                         std::vector<Finding> *findings);

// Every finding of orvane.cfg (and the files it sources) and of
// velder_soundfont.ini at the given paths, file by file in the order they
// are first named, each by line.
std::vector<Finding> DiagnoseDriverFiles(const std::string &cfg, const std::string &ini,
                                         const FileSystemView &fs);
