// velder-cfg: checks, shows and sets the driver's configuration.
#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "lib/ini/ini.h"
#include "veldercfg/commands.h"

int main(int argc, char **argv) {
  std::setlocale(LC_CTYPE, "");
  // Standard output is data: the INI library's word of memory running out goes with the messages.
  IniSetErrorStream(stderr);
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string out, err;
  int status = RunVelderCfg(args, kPlatform, &out, &err);
  std::fputs(ForTerminal(out).c_str(), stdout);
  std::fflush(stdout);
  std::fputs(ForTerminal(err).c_str(), stderr);
  return status;
}
