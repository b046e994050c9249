// Drives a modal window that code running on this thread opens (a dialog
// box, a message box, a chooser) from inside that window's own loop, as a
// user would act on it.
#pragma once

#include <windows.h>

#include <functional>

// A dialog made by the dialog manager (class "#32770").
bool IsDialogWindow(HWND window);
// A message box: a dialog with the static text control 0xFFFF.
bool IsMessageBox(HWND window);

// While it lives, a thread timer ticks inside whatever modal loop this
// thread runs. On each tick the first top-level window of this thread that
// `matches` is handed to `act`; ticks go on for as long as `act` returns
// false. Several drivers may live at once, each with its own timer.
class ModalDriver {
 public:
  using WindowTest = std::function<bool(HWND window)>;
  ModalDriver(WindowTest matches, WindowTest act);
  ~ModalDriver();
  ModalDriver(const ModalDriver &) = delete;
  ModalDriver &operator=(const ModalDriver &) = delete;

  // How many times `act` has run.
  int calls() const { return calls_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD);

  WindowTest matches_;
  WindowTest act_;
  UINT_PTR timer_;
  int calls_ = 0;
};
