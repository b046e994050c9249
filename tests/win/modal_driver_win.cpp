#include "tests/win/modal_driver_win.h"

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Often enough that a test hardly waits for a window that is up.
const UINT kTickMs = 100;

// The drivers alive; a tick finds its own by its timer.
std::vector<ModalDriver *> &LiveDrivers() {
  static std::vector<ModalDriver *> drivers;
  return drivers;
}

struct Search {
  const ModalDriver::WindowTest *matches;
  HWND found;
};

BOOL CALLBACK FindMatch(HWND window, LPARAM data) {
  Search *search = reinterpret_cast<Search *>(data);
  if ((*search->matches)(window)) search->found = window;
  return search->found == nullptr;
}

}  // namespace

bool IsDialogWindow(HWND window) {
  char className[16];
  return GetClassNameA(window, className, sizeof className) && lstrcmpA(className, "#32770") == 0;
}

bool IsMessageBox(HWND window) { return IsDialogWindow(window) && GetDlgItem(window, 0xFFFF); }

ModalDriver::ModalDriver(WindowTest matches, WindowTest act)
    : matches_(std::move(matches)), act_(std::move(act)), timer_(SetTimer(nullptr, 0, kTickMs, Tick)) {
  LiveDrivers().push_back(this);
}

ModalDriver::~ModalDriver() {
  if (timer_) KillTimer(nullptr, timer_);
  auto &drivers = LiveDrivers();
  drivers.erase(std::remove(drivers.begin(), drivers.end(), this), drivers.end());
}

void CALLBACK ModalDriver::Tick(HWND, UINT, UINT_PTR timer, DWORD) {
  const auto &drivers = LiveDrivers();
  auto it =
      std::find_if(drivers.begin(), drivers.end(), [timer](ModalDriver *d) { return d->timer_ == timer; });
  if (it == drivers.end()) return;
  ModalDriver *driver = *it;
  Search search = {&driver->matches_, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindMatch, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return;
  ++driver->calls_;
  if (driver->act_(search.found)) {
    KillTimer(nullptr, driver->timer_);
    driver->timer_ = 0;
  }
}
