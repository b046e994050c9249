// velder-cfg soundfonts and its subcommands: the soundfonts page's list on
// the command line, edited with the page's rules and written as set writes.
#pragma once

#include <string>
#include <vector>

#include "veldercfg/command_files.h"

// Each takes the arguments after its name; exit status as RunVelderCfg's.
int ListSoundfontEntries(const Files &files, const std::vector<std::string> &args, std::string *out,
                         std::string *err);
int AddSoundfontEntries(const Files &files, const std::vector<std::string> &args, std::string *out,
                        std::string *err);
int RemoveSoundfontEntries(const Files &files, const std::vector<std::string> &args, std::string *out,
                           std::string *err);
int SwitchSoundfontEntriesOn(const Files &files, const std::vector<std::string> &args, std::string *out,
                             std::string *err);
int SwitchSoundfontEntriesOff(const Files &files, const std::vector<std::string> &args, std::string *out,
                              std::string *err);
int MoveSoundfontEntry(const Files &files, const std::vector<std::string> &args, std::string *out,
                       std::string *err);
