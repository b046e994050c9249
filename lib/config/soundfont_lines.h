// The soundfont lines of orvane.cfg as the soundfonts page and velder-cfg
// keep them: each entry is its line's text, switched on (`soundfont ...`) or
// off (`#soundfont ...`, no blank between the two), and a list of them goes
// back into the file by position, every other line left as it was.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The parts of a soundfont line, as views into it.
struct SoundfontLine {
  bool on = true;
  std::string_view target;   // the path as written, without its quotes
  std::string_view written;  // the target as written, quotes included
  std::string_view options;  // what follows the target, the blanks before it left out
};

// False for a line that is no soundfont entry, switched on or off.
bool ParseSoundfontLine(std::string_view line, SoundfontLine *parts);

// The soundfont entries of a file's text, in file order: each line's text
// without its line end, the CRs it ends with counted with that (before an
// LF elsewhere they would join it).
std::vector<std::string> ReadSoundfontLines(std::string_view text);

// `line` without the CRs it ends with, as ReadSoundfontLines takes it.
std::string_view WithoutEndingCrs(std::string_view line);

// Whether `path` can stand between a line's double quotes: no quote, no
// line end, no NUL.
bool FitsSoundfontLine(std::string_view path);

// The line of a file added to the list: `soundfont "PATH"`, as the editor
// page's insertion writes it. `path` fits a line.
std::string NewSoundfontLine(std::string_view path);

// `line` switched on or off; as it was when it already is.
std::string SwitchedSoundfontLine(std::string_view line, bool on);

// `line` naming `path` (which fits a line) in double quotes instead of its
// target; the options and every other byte as they were.
std::string RelocatedSoundfontLine(std::string_view line, std::string_view path);

// `text` with its soundfont entries replaced by `lines`, by position: the
// first line takes the place of the first entry, and so on; lines beyond
// the entries go right after the last one (with none, after the last dir
// line, else at the end), lines that are not taken are removed. Every other
// byte stays as it is; new line ends take the form of the text's first.
std::string RewriteSoundfontLines(std::string_view text, const std::vector<std::string> &lines);

// The positions that moving the rows at `selected` (ascending) of `count`
// rows one place up (`up`) or down gives them: a row at the list's end, or
// behind a selected row that cannot move, stays; their order is kept.
std::vector<size_t> MovedPositions(const std::vector<size_t> &selected, size_t count, bool up);

// Moves the rows at `selected` (ascending) to `positions` (as
// MovedPositions gives them), the others keeping their order.
template <class Row>
void MoveRows(std::vector<Row> *rows, const std::vector<size_t> &selected,
              const std::vector<size_t> &positions) {
  std::vector<Row> moved, others;
  std::vector<bool> chosen(rows->size());
  for (size_t at : selected) chosen[at] = true;
  for (size_t i = 0; i < rows->size(); ++i) ((chosen[i]) ? moved : others).push_back(std::move((*rows)[i]));
  rows->clear();
  size_t next = 0, other = 0;
  for (size_t i = 0; i < moved.size() + others.size(); ++i)
    rows->push_back(next < positions.size() && positions[next] == i ? std::move(moved[next++])
                                                                    : std::move(others[other++]));
}

// Removes the rows at `selected`, the others keeping their order.
template <class Row>
void RemoveRows(std::vector<Row> *rows, const std::vector<size_t> &selected) {
  std::vector<Row> kept;
  size_t next = 0;
  for (size_t i = 0; i < rows->size(); ++i) {
    while (next < selected.size() && selected[next] < i) ++next;
    if (next < selected.size() && selected[next] == i) continue;
    kept.push_back(std::move((*rows)[i]));
  }
  rows->swap(kept);
}
