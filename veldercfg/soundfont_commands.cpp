#include "veldercfg/soundfont_commands.h"

#include <algorithm>

#include "lib/config/soundfont_lines.h"
#include "lib/config/soundfont_list.h"
#include "lib/config/text.h"
#include "lib/texts/soundfont_texts.h"

namespace {

std::string English(TextId id) { return TextIn(Language::kEnglish, id); }

std::string Listed(const Files &files, size_t number, const SoundfontRow &row) {
  std::string line = std::to_string(number) + (IsOn(row) ? " on " : " off ") +
                     English(SoundfontStatusText(row.check.status)) + " " + files.fs.decode(TargetOf(row));
  if (!row.check.name.empty()) line += " " + files.fs.decode(row.check.name);
  if (!row.source.empty()) line += " (in " + std::string(FileNameOf(row.source, files.fs.separator)) + ")";
  return line + "\n";
}

// orvane.cfg's text and its list; false, with a message, when it cannot be read.
bool ReadList(const Files &files, std::string *text, SoundfontList *list, std::string *err) {
  if (!ReadDriverFile(files.cfg, text, err)) return false;
  *list = ListSoundfonts(files.cfg, *text, files.fs);
  return true;
}

// Writes orvane.cfg with `own` as its entries; a run of its own.
int WriteList(const Files &files, const std::string &text, const std::vector<SoundfontRow> &own,
              std::string *out, std::string *err) {
  RunWrites run;
  return WriteDriverFile(files, &run, files.cfg, RewriteSoundfontLines(text, LinesOf(own)), out, err) ? 0 : 1;
}

// The entry numbers `args` give, as indices of orvane.cfg's own rows,
// ascending, each once; what is wrong with them goes to `err`.
std::vector<size_t> TakeNumbers(const std::vector<std::string> &args, const SoundfontList &list,
                                std::string *err) {
  std::vector<size_t> indices;
  for (const std::string &arg : args) {
    int32_t number = 0;
    size_t count = list.own.size() + list.sourced.size();
    if (!ParseExactDecimal(arg, &number) || number < 1 || static_cast<size_t>(number) > count) {
      *err += "no entry " + arg + " (soundfonts lists them)\n";
    } else if (static_cast<size_t>(number) > list.own.size()) {
      *err += arg + " is an entry of " +
              list.sourced[static_cast<size_t>(number) - list.own.size() - 1].source +
              "; only orvane.cfg's own entries can be changed\n";
    } else {
      indices.push_back(static_cast<size_t>(number) - 1);
    }
  }
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  return indices;
}

// Reads the list, takes the numbers and edits the rows at them with `edit`,
// then writes.
template <class Edit>
int EditNumbered(const Files &files, const std::vector<std::string> &args, std::string *out, std::string *err,
                 Edit edit) {
  std::string text;
  SoundfontList list;
  if (!ReadList(files, &text, &list, err)) return 1;
  std::vector<size_t> indices = TakeNumbers(args, list, err);
  if (!err->empty()) {
    *err += "nothing written\n";
    return 2;
  }
  edit(&list.own, indices);
  return WriteList(files, text, list.own, out, err);
}

int Switch(const Files &files, const std::vector<std::string> &args, std::string *out, std::string *err,
           bool on) {
  return EditNumbered(files, args, out, err,
                      [on](std::vector<SoundfontRow> *own, const std::vector<size_t> &at) {
                        for (size_t i : at) (*own)[i].line = SwitchedSoundfontLine((*own)[i].line, on);
                      });
}

}  // namespace

int ListSoundfontEntries(const Files &files, const std::vector<std::string> &, std::string *out,
                         std::string *err) {
  std::string text;
  SoundfontList list;
  if (!ReadList(files, &text, &list, err)) return 1;
  bool allOk = true;
  size_t number = 0;
  for (const std::vector<SoundfontRow> *rows : {&list.own, &list.sourced})
    for (const SoundfontRow &row : *rows) {
      *out += Listed(files, ++number, row);
      allOk = allOk && (!IsOn(row) || row.check.status == SoundfontStatus::kOk);
    }
  return allOk ? 0 : 1;
}

int AddSoundfontEntries(const Files &files, const std::vector<std::string> &args, std::string *out,
                        std::string *err) {
  std::string text;
  SoundfontList list;
  if (!ReadList(files, &text, &list, err)) return 1;
  for (const SoundfontOutcome &outcome : AddSoundfonts(files.cfg, text, args, &list.own, files.fs))
    if (outcome.refusal != SoundfontRefusal::kNone)
      *err += files.fs.decode(outcome.path) + " refused: " + English(SoundfontRefusalText(outcome)) + "\n";
  if (!err->empty()) {
    *err += "nothing written\n";
    return 2;
  }
  return WriteList(files, text, list.own, out, err);
}

int RemoveSoundfontEntries(const Files &files, const std::vector<std::string> &args, std::string *out,
                           std::string *err) {
  return EditNumbered(
      files, args, out, err,
      [](std::vector<SoundfontRow> *own, const std::vector<size_t> &at) { RemoveRows(own, at); });
}

int SwitchSoundfontEntriesOn(const Files &files, const std::vector<std::string> &args, std::string *out,
                             std::string *err) {
  return Switch(files, args, out, err, true);
}

int SwitchSoundfontEntriesOff(const Files &files, const std::vector<std::string> &args, std::string *out,
                              std::string *err) {
  return Switch(files, args, out, err, false);
}

int MoveSoundfontEntry(const Files &files, const std::vector<std::string> &args, std::string *out,
                       std::string *err) {
  if (args.size() != 2) {
    *err += "move takes an entry's number and the place to move it to\nnothing written\n";
    return 2;
  }
  return EditNumbered(files, args, out, err,
                      [&args](std::vector<SoundfontRow> *own, const std::vector<size_t> &) {
                        size_t from = std::stoul(args[0]) - 1, to = std::stoul(args[1]) - 1;
                        MoveRows(own, {from}, {to});
                      });
}
