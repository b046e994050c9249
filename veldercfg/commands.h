// The command line of velder-cfg: check, show and set over the driver's two
// files in a Windows directory.
#pragma once

#include <string>
#include <vector>

#include "veldercfg/platform.h"

// The usage text, for the program of the given name.
std::string Usage(const char *program);

// Runs the command that `args` (the arguments after the program's name)
// give, writing what it prints to `out` and `err`; returns the exit status:
// 0 done, 1 a finding or a failed read or write, 2 a wrong command line or a
// refused value.
int RunVelderCfg(const std::vector<std::string> &args, const Platform &platform, std::string *out,
                 std::string *err);
