// The start-up benchmark's baseline: a program that opens one empty dialog.
#include <windows.h>

namespace {

INT_PTR CALLBACK EmptyDlgProc(HWND window, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_CLOSE) EndDialog(window, 0);
  return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(1), nullptr, EmptyDlgProc, 0));
}
