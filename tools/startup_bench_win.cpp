// Start-up benchmark: the time from CreateProcess until a program's window is
// up and idle, over several runs, for VelderSetup beside a program that
// opens one empty dialog. Prints both medians and their ratio.
//   startup_bench.exe <program.exe> <baseline.exe> <runs>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tests/win/program_process_win.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Median start-up time in milliseconds, or a negative number if a run failed.
double MedianStartup(const char *program, int runs) {
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    ProgramProcess process(program);
    HWND window = process.Window();
    QueryPerformanceCounter(&after);
    process.Close(window);
    if (!window) return -1;
    times.push_back(Milliseconds(before, after));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 4 || std::atoi(argv[3]) < 1) {
    std::fprintf(stderr, "usage: startup_bench <program.exe> <baseline.exe> <runs>\n");
    return 2;
  }
  int runs = std::atoi(argv[3]);
  MedianStartup(argv[1], 1);  // warm the file cache and the server once
  double program = MedianStartup(argv[1], runs);
  double baseline = MedianStartup(argv[2], runs);
  if (program < 0 || baseline < 0) {
    std::fprintf(stderr, "a program did not come up\n");
    return 1;
  }
  std::printf("%-24s median %8.1f ms over %d runs\n", "program", program, runs);
  std::printf("%-24s median %8.1f ms over %d runs\n", "empty dialog", baseline, runs);
  std::printf("%-24s %8.2f\n", "ratio", program / baseline);
  return 0;
}
