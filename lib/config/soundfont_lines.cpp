#include "lib/config/soundfont_lines.h"

#include "lib/config/directive_line.h"
#include "lib/config/text.h"

namespace {

size_t OffsetIn(std::string_view outer, std::string_view inner) {
  return static_cast<size_t>(inner.data() - outer.data());
}

// A line of a text and what ends it: the CRs it ends with (which a line of
// its own must not carry elsewhere: before an LF they would join the line
// end) and its terminator, none for a last line without one.
struct TextLine {
  std::string_view line;
  std::string_view end;
  bool terminated = false;
};

// The lines as the text helpers split them, each with its own line end.
std::vector<TextLine> SplitLines(std::string_view text) {
  std::vector<TextLine> lines;
  ForEachLineWithNumber(text, [&](std::string_view line, int) { lines.push_back({line, {}, false}); });
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string_view &line = lines[i].line;
    size_t end = OffsetIn(text, line) + line.size();
    size_t next = i + 1 < lines.size() ? OffsetIn(text, lines[i + 1].line) : text.size();
    lines[i].terminated = next > end;
    line = WithoutEndingCrs(line);
    size_t start = OffsetIn(text, line) + line.size();
    lines[i].end = text.substr(start, next - start);
  }
  return lines;
}

// The line end that a terminated line's end closes with: CR LF, or its last byte.
std::string_view Terminator(std::string_view end) {
  bool crLf = end.size() >= 2 && end.substr(end.size() - 2) == "\r\n";
  return end.substr(end.size() - (crLf ? 2 : 1));
}

bool IsDirLine(std::string_view line) {
  std::string_view directive, target;
  return FindDirective(line, &directive, &target) && directive == "dir";
}

}  // namespace

std::string_view WithoutEndingCrs(std::string_view line) {
  while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

bool ParseSoundfontLine(std::string_view line, SoundfontLine *parts) {
  std::string_view rest = SkipBlanks(line);
  parts->on = rest.empty() || rest[0] != '#';
  if (!parts->on) {
    rest.remove_prefix(1);
    if (rest.empty() || IsBlankChar(rest[0])) return false;
  }
  std::string_view directive, target;
  if (!FindDirective(rest, &directive, &target) || directive != "soundfont") return false;
  parts->target = target;
  size_t start = OffsetIn(line, target), end = start + target.size();
  bool quoted = start > 0 && line[start - 1] == '"';
  if (quoted) {
    --start;
    if (end < line.size()) ++end;  // the closing quote
  }
  parts->written = line.substr(start, end - start);
  parts->options = SkipBlanks(line.substr(end));
  return true;
}

std::vector<std::string> ReadSoundfontLines(std::string_view text) {
  std::vector<std::string> lines;
  SoundfontLine parts;
  for (const TextLine &line : SplitLines(text))
    if (ParseSoundfontLine(line.line, &parts)) lines.emplace_back(line.line);
  return lines;
}

bool FitsSoundfontLine(std::string_view path) {
  return path.find_first_of(std::string_view("\"\r\n\0", 4)) == std::string_view::npos;
}

std::string NewSoundfontLine(std::string_view path) { return "soundfont \"" + std::string(path) + "\""; }

std::string SwitchedSoundfontLine(std::string_view line, bool on) {
  SoundfontLine parts;
  std::string switched(line);
  if (!ParseSoundfontLine(line, &parts) || parts.on == on) return switched;
  size_t word = OffsetIn(line, SkipBlanks(line));
  if (on)
    switched.erase(word, 1);
  else
    switched.insert(word, 1, '#');
  return switched;
}

std::string RelocatedSoundfontLine(std::string_view line, std::string_view path) {
  SoundfontLine parts;
  std::string relocated(line);
  if (!ParseSoundfontLine(line, &parts)) return relocated;
  size_t start = OffsetIn(line, parts.written);
  std::string quoted = "\"" + std::string(path) + "\"";
  // A line that names nothing gets the blank its word needs before a target.
  if (start == 0 || !IsBlankChar(line[start - 1])) quoted.insert(0, 1, ' ');
  return relocated.replace(start, parts.written.size(), quoted);
}

std::string RewriteSoundfontLines(std::string_view text, const std::vector<std::string> &lines) {
  std::vector<TextLine> split = SplitLines(text);
  std::string_view newEnd = "\r\n";
  for (const TextLine &line : split)
    if (line.terminated) {
      newEnd = Terminator(line.end);
      break;
    }
  size_t entries = 0, anchor = split.size();
  SoundfontLine parts;
  std::vector<bool> isEntry(split.size());
  for (size_t i = 0; i < split.size(); ++i) {
    isEntry[i] = ParseSoundfontLine(split[i].line, &parts);
    if (isEntry[i]) ++entries;
  }
  for (size_t i = split.size(); i-- > 0 && anchor == split.size();)
    if (isEntry[i]) anchor = i;
  for (size_t i = split.size(); entries == 0 && i-- > 0 && anchor == split.size();)
    if (IsDirLine(split[i].line)) anchor = i;

  std::string out;
  out.reserve(text.size() + 64 * lines.size());
  auto addRest = [&](bool lineEnded) {
    if (entries >= lines.size()) return;
    if (!lineEnded) out += newEnd;
    for (size_t k = entries; k < lines.size(); ++k) out.append(lines[k]).append(newEnd);
  };
  size_t taken = 0;
  for (size_t i = 0; i < split.size(); ++i) {
    if (!isEntry[i]) {
      out.append(split[i].line).append(split[i].end);
    } else if (taken++ < lines.size()) {
      out.append(lines[taken - 1]).append(split[i].end);
    }
    if (i == anchor) addRest(split[i].terminated);
  }
  if (anchor == split.size()) addRest(split.empty() || split.back().terminated);
  return out;
}

std::vector<size_t> MovedPositions(const std::vector<size_t> &selected, size_t count, bool up) {
  std::vector<size_t> positions(selected);
  if (up) {
    for (size_t i = 0; i < positions.size(); ++i)
      if (positions[i] > 0 && (i == 0 || positions[i] - 1 > positions[i - 1])) --positions[i];
  } else {
    for (size_t i = positions.size(); i-- > 0;)
      if (positions[i] + 1 < count && (i + 1 == positions.size() || positions[i] + 1 < positions[i + 1]))
        ++positions[i];
  }
  return positions;
}
