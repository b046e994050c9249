// The forms of line ends a driver file may come in, for the tests that every
// reader and writer keeps each line whatever its end: CR LF, LF and a lone CR
// each end a line, as the editor shows them.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

struct LineForm {
  const char *name;
  // The ends of the lines in turn, the last one repeated for the rest.
  std::initializer_list<const char *> ends;
  // How many lines the editor shows for each line joined (CR CR LF: two).
  int shownPerLine;
};

inline const LineForm kLineForms[] = {
    {"LF", {"\n"}, 1},
    {"CR LF", {"\r\n"}, 1},
    {"CR", {"\r"}, 1},
    {"CR CR LF", {"\r\r\n"}, 2},  // a CR LF file converted twice
    {"mixed", {"\r\n", "\n", "\r"}, 1},
};

// The lines, each ended as the form says.
inline std::string JoinedLines(std::initializer_list<const char *> lines, const LineForm &form) {
  std::string text;
  const char *const *end = form.ends.begin();
  for (const char *line : lines) {
    text += line;
    text += *end;
    if (end + 1 != form.ends.end()) ++end;
  }
  return text;
}

// The line the editor shows as line `number` of the lines joined.
inline int ShownLine(int number, const LineForm &form) { return (number - 1) * form.shownPerLine + 1; }

// The lines, as the editor shows them, that end in a lone CR, of `count`
// lines joined: those whose end is neither LF nor CR LF.
inline std::vector<int> LoneCrLines(int count, const LineForm &form) {
  std::vector<int> lines;
  const char *const *end = form.ends.begin();
  for (int number = 1; number <= count; ++number) {
    if (std::string(*end) != "\n" && std::string(*end) != "\r\n") lines.push_back(ShownLine(number, form));
    if (end + 1 != form.ends.end()) ++end;
  }
  return lines;
}
