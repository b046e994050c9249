#include "setup/shell/save_failure_win.h"

#include "lib/texts/interface_text_win.h"

void ReportSaveFailure(HWND owner) {
  MessageBoxA(owner, UiText(TextId::kSaveFailed), UiText(TextId::kSaveFailedCaption), MB_ICONERROR);
}
