// Benchmark of the soundfonts page: the time to fill it with 1,000 entries
// (orvane.cfg read, each file found and its start read), beside inserting
// the same 1,000 rows, from texts at hand, into a list view of the same
// columns, emptied first as the page empties its own. Prints both medians and
// their ratio. Run by scripts/bench-soundfonts.sh, in a prefix of its own.
//   soundfonts_bench.exe <runs>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "setup/res/resource.h"
#include "setup/shell/driver_files_win.h"
#include "setup/shell/instance_win.h"
#include "setup/soundfonts/soundfonts_page_win.h"
#include "tests/portable/soundfont_bytes.h"

namespace {

const int kEntries = 1000;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <class Run>
double Median(int runs, Run run) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    run();
    QueryPerformanceCounter(&after);
    times.push_back(Milliseconds(before, after));
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

bool Write(const std::string &path, const std::string &bytes) {
  FILE *file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

std::string Path(const std::string &folder, int i) { return folder + "\\font" + std::to_string(i) + ".sf2"; }

// A list view of the page's columns and styles, empty.
HWND EmptyList(HWND parent) {
  HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 0,
                              0, 600, 400, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
               LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 100;
  column.pszText = const_cast<char *>("");
  for (int i = 0; i < 5; ++i) SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  return list;
}

// The rows as the page shows them, put into `list` as the page puts them,
// from texts at hand.
void InsertRows(HWND list, const std::string &folder) {
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  SendMessageA(list, LVM_SETITEMCOUNT, kEntries, 0);
  for (int i = 0; i < kEntries; ++i) {
    std::string path = Path(folder, i), name = "Font " + std::to_string(i);
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = const_cast<char *>(path.c_str());
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    const char *cells[] = {name.c_str(), "OK", "0.1 KB", "amp=100"};
    for (int cell = 0; cell < 4; ++cell) {
      LVITEMA text = {};
      text.iSubItem = cell + 1;
      text.pszText = const_cast<char *>(cells[cell]);
      SendMessageA(list, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&text));
    }
    LVITEMA state = {};
    state.stateMask = LVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(2);
    SendMessageA(list, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&state));
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

}  // namespace

int main(int argc, char **argv) {
  int runs = argc > 1 ? std::atoi(argv[1]) : 15;
  if (runs < 1) runs = 1;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  g_instance = GetModuleHandleA(nullptr);

  char temp[MAX_PATH], cfg[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "velder soundfonts bench";
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string text;
  for (int i = 0; i < kEntries; ++i) {
    if (!Write(Path(folder, i), SoundfontBytes("Font " + std::to_string(i), 64))) return 1;
    text += "soundfont \"" + Path(folder, i) + "\" amp=100\r\n";
  }
  if (!BuildDriverFilePath(cfg, kCfgFileName) || !Write(cfg, text)) return 1;

  HWND parent =
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, g_instance, nullptr);
  HWND page = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_SOUNDFONTS), parent, SoundfontsDlgProc, 0);
  if (!page) return 1;
  ShowWindow(page, SW_SHOW);  // the first fill
  HWND list = GetDlgItem(page, IDC_SF_LIST);
  if (SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) != kEntries) return 1;
  double fill =
      Median(runs, [&] { SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_SF_RELOAD, BN_CLICKED), 0); });
  HWND bare = EmptyList(parent);
  double insert = Median(runs, [&] { InsertRows(bare, folder); });
  std::printf("page filled with %d entries: %.1f ms\n", kEntries, fill);
  std::printf("%d rows inserted into an empty list view: %.1f ms\n", kEntries, insert);
  std::printf("ratio: %.2f\n", fill / insert);

  DestroyWindow(parent);
  DeleteFileA(cfg);
  for (int i = 0; i < kEntries; ++i) DeleteFileA(Path(folder, i).c_str());
  RemoveDirectoryA(folder.c_str());
  return 0;
}
