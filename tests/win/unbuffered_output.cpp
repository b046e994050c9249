// Linked into every Windows test program: its output leaves as it is
// printed, so that GoogleTest's first line is out as soon as the program
// runs. A run that printed nothing then never started (wine-env.sh's
// run_windows_program starts it once more), and a crash keeps the lines
// printed before it.
#include <cstdio>

namespace {

struct UnbufferedOutput {
  UnbufferedOutput() { std::setvbuf(stdout, nullptr, _IONBF, 0); }
} unbufferedOutput;

}  // namespace
