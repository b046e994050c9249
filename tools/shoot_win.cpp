// Photographs a program's window for the README: starts the program, and for
// each tab of its tab control (or once, when it has none) clicks the tab and
// saves the window as <prefix><n>.bmp.
//   shoot.exe <program.exe> <output prefix>
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/win/program_process_win.h"

namespace {

bool SaveWindowBitmap(HWND window, const std::string &path) {
  RECT rect;
  GetWindowRect(window, &rect);
  int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);

  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  std::vector<char> pixels(stride * static_cast<DWORD>(height));
  GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO *>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  BITMAPFILEHEADER header = {};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof header + sizeof info;
  header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE *file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(&header, sizeof header, 1, file) == 1 &&
            std::fwrite(&info, sizeof info, 1, file) == 1 &&
            std::fwrite(pixels.data(), 1, pixels.size(), file) == pixels.size();
  return std::fclose(file) == 0 && ok;
}

// Clicks a tab of another process's tab control where the user would. Its
// rectangle is asked for through memory in that process, since the message
// carries a pointer.
void ClickTab(HWND tabs, int index) {
  DWORD processId = 0;
  GetWindowThreadProcessId(tabs, &processId);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
  if (!process) return;
  void *remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
  RECT rect = {};
  if (remote && SendMessageA(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote)) &&
      ReadProcessMemory(process, remote, &rect, sizeof rect, nullptr)) {
    LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(tabs, WM_LBUTTONUP, 0, point);
  }
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: shoot <program.exe> <output prefix>\n");
    return 2;
  }
  ProgramProcess program(argv[1]);
  HWND window = program.Window();
  if (!window) {
    std::fprintf(stderr, "%s did not come up\n", argv[1]);
    return 1;
  }
  HWND tabs = FindWindowExA(window, nullptr, "SysTabControl32", nullptr);
  int count = tabs ? static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0)) : 1;
  bool ok = true;
  for (int tab = 0; tab < count && ok; ++tab) {
    if (tabs) ClickTab(tabs, tab);
    Sleep(800);
    std::string path = std::string(argv[2]) + std::to_string(tab + 1) + ".bmp";
    ok = SaveWindowBitmap(window, path);
    std::printf("%s\n", path.c_str());
  }
  program.Close(window);
  return ok ? 0 : 1;
}
